// tools/zelmoran-tool/mkdemo_command.cpp —
//   zelmoran-tool mkdemo TARGET [--role hq|phNN] [--scale N] [--data SOURCE] [--force]
// Builds an installation as mkinst does (from SOURCE, by default the data/ folder of the
// checkout the tool was built from) and fills it with the demo company. --role hq (the
// default) makes head office, account "00000"; --role ph01 .. ph25 a representative's
// copy with that account. The date of the demo is today (ZELMORAN_TODAY fixes it).
// Head office also gets the invoicing program's folders, which its CONFIG names
// (invoicing_folder.hpp). Every index of the catalogue, and of the invoicing program's
// tables, is then built as the program's own rebuild builds it, so the installation is
// ready to start.
// Progress goes to stderr; the closing line to stdout.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "commands.hpp"
#include "core/headless_station.hpp"
#include "demo_company.hpp"
#include "inst_builder.hpp"
#include "invoicing_folder.hpp"
#include "store/reindex.hpp"
#include "sys/posix_env.hpp"

namespace tool {

namespace {

constexpr const char* kUsage = "usage: mkdemo TARGET [--role hq|ph01..ph25] [--scale N] [--data SOURCE] [--force]";

int fail(const std::string& message) {
  std::fprintf(stderr, "zelmoran-tool mkdemo: %s\n", message.c_str());
  return 2;
}

// "hq" -> 0, "ph01" .. "ph25" -> 1 .. 25, anything else -> -1.
int representativeOf(std::string_view role) {
  if (role == "hq") return 0;
  if (role.size() != 4 || role.substr(0, 2) != "ph") return -1;
  if (role[2] < '0' || role[2] > '9' || role[3] < '0' || role[3] > '9') return -1;
  const int n = (role[2] - '0') * 10 + (role[3] - '0');
  return n >= 1 && n <= 25 ? n : -1;
}

// The CONFIG fields of the role: the account, and for a representative the archive
// commands its first start would write.
void setRole(InstOptions& options, int representative) {
  char nn[8];
  std::snprintf(nn, sizeof nn, "%02d", representative % 100);
  options.config["KONTO_PH"] = rt::Value::character("000" + std::string(nn));
  if (representative == 0) {
    options.config["GDZIE_KV"] = rt::Value::character(std::string(kInvoicingConfig));
    options.config["GDZIE_KON"] = rt::Value::character(std::string(kContractorConfig));
  }
  if (representative > 0) {
    options.config["ARCH_1"] = rt::Value::character("arj a ARC_PH" + std::string(nn) + ".ARJ *.db? *.mem lzap.exe");
    options.config["ARCH_2"] = rt::Value::character("dir ARC_PH" + std::string(nn) + ".ARJ");
  }
}

void showProgress(std::string_view table, std::uint64_t done, std::uint64_t total) {
  std::fprintf(stderr, "\r%.*s: %llu / %llu", static_cast<int>(table.size()), table.data(),
               static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
  if (done == total) std::fputc('\n', stderr);
}

class IndexProgress final : public store::RebuildHooks {
 public:
  void finished(const store::CatalogueTable& t, std::uint64_t records, std::uint64_t) override {
    std::fprintf(stderr, "indexes of %s: %llu records\n", std::string(t.table).c_str(),
                 static_cast<unsigned long long>(records));
  }
};

// The program's own full rebuild, for station 01, over the new installation, and the
// indexes of the invoicing program's tables.
void buildAllIndexes(const std::filesystem::path& target, bool invoicingFolders) {
  core::HeadlessStation station(target.string());
  station.loadConfiguration();
  IndexProgress hooks;
  store::rebuildIndexes(station.tables, {false, ' ', true}, hooks);
  if (invoicingFolders) buildInvoicingIndexes(station, target);
}

}  // namespace

int mkdemoCommand(Args args) {
  InstOptions options;
  options.source = ZEL_DATA_DIR;
  int representative = 0, scale = 1;
  bool haveTarget = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--force") {
      options.force = true;
    } else if (a == "--role" && hasValue) {
      representative = representativeOf(args[++i]);
      if (representative < 0) return fail(std::string("unknown role ") + args[i] + "; " + kUsage);
    } else if (a == "--scale" && hasValue) {
      char* end = nullptr;
      const long n = std::strtol(args[++i], &end, 10);
      if (*end != '\0' || n < 1 || n > 1000) return fail(std::string("the scale is a whole number from 1 to 1000: ") + args[i]);
      scale = static_cast<int>(n);
    } else if (a == "--data" && hasValue) {
      options.source = args[++i];
    } else if (!a.starts_with("--") && !haveTarget) {
      options.target = args[i];
      haveTarget = true;
    } else {
      return fail(kUsage);
    }
  }
  if (!haveTarget) return fail(kUsage);
  setRole(options, representative);
  sys::PosixEnv env;
  sys::SystemClock clock;
  const sys::CivilTime now = clock.now();
  DemoOptions demo;
  demo.scale = scale;
  demo.account = options.config["KONTO_PH"].text();
  demo.today = rt::Date::fromYmd(now.year, now.month, now.day);
  demo.invoicingFolders = representative == 0;
  demo.progress = showProgress;
  DemoCounts counts;
  options.fill = [&](sys::Env& e, const sys::Clock& c, const std::filesystem::path& target) {
    counts = writeDemoCompany(e, c, target, demo);
  };
  try {
    const InstSummary summary = buildInstallation(env, clock, options);
    buildAllIndexes(options.target, demo.invoicingFolders);
    std::printf("%s; demo company of account %s: %llu contractors, %llu goods, %llu discounts, %llu documents, "
                "%llu document lines\n",
                describe(options.target, summary).c_str(), demo.account.c_str(),
                static_cast<unsigned long long>(counts.contractors), static_cast<unsigned long long>(counts.goods),
                static_cast<unsigned long long>(counts.discounts), static_cast<unsigned long long>(counts.documents),
                static_cast<unsigned long long>(counts.lines));
  } catch (const std::exception& e) {
    return fail(e.what());
  }
  return 0;
}

}  // namespace tool
