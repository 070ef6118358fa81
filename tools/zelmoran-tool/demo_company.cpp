// tools/zelmoran-tool/demo_company.cpp — the demo wholesaler's tables (rules in the header):
// one writer per kind of data, each filling the program's table and, at head office, the
// invoicing program's tables of the same data in the same pass.
#include "demo_company.hpp"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>

#include "demo_data.hpp"
#include "inst_builder.hpp"
#include "invoicing_folder.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"

namespace tool {
namespace {

namespace fs = std::filesystem;
using namespace demo;

constexpr std::array<const char*, 6> kNotes = {
    "Dostawy tylko do godziny 10:00.",
    "Płatność przy odbiorze towaru, bez wyjątków.",
    "Przed dostawą zadzwonić do właściciela.",
    "Towar odbiera osobiście w hurtowni.",
    "Zainteresowany nowościami z grupy napojów.",
    "Reklamacje zgłasza wyłącznie na piśmie.",
};

class Progress {
 public:
  Progress(const DemoOptions& o, std::string_view table, std::uint64_t total) : o_(o), table_(table), total_(total) {
    step_ = std::max<std::uint64_t>(1, total / 50);
  }
  void tick(std::uint64_t done) {
    if (o_.progress && (done % step_ == 0 || done == total_)) o_.progress(table_, done, total_);
  }

 private:
  const DemoOptions& o_;
  std::string_view table_;
  std::uint64_t total_, step_ = 1;
};

rt::Value text(std::string s) { return rt::Value::character(std::move(s)); }
rt::Value number(double v, int width, int decimals = 0) { return rt::Value::number(v, width, decimals); }
rt::Value date(rt::Date d) { return rt::Value::date(d); }

// A table written record by record, its fields set by name.
class Writer {
 public:
  Writer(sys::Env& env, const sys::Clock& clock, const fs::path& file, const store::TableDef& def)
      : w_(env, clock, file, def) {}
  Writer& set(std::string_view field, const rt::Value& v) {
    w_.set(w_.field(field), v);
    return *this;
  }
  void clear() { w_.clear(); }
  void append() { w_.append(); }
  void close() { w_.close(); }

 private:
  TableWriter w_;
};

// Where the tables go: the program folder, and at head office the invoicing program's.
struct Target {
  sys::Env& env;
  const sys::Clock& clock;
  fs::path program;
  bool invoicing = false;
  std::unique_ptr<Writer> own(std::string_view table) const {
    return std::make_unique<Writer>(env, clock, program / (std::string(table) + ".DBF"), *store::findTable(table));
  }
  // The invoicing program's table, or nothing for a representative's copy.
  std::unique_ptr<Writer> theirs(std::string_view table, bool contractorFolder = false) const {
    if (!invoicing) return nullptr;
    const fs::path folder = program / (contractorFolder ? kContractorFolder : kInvoicingFolder);
    return std::make_unique<Writer>(env, clock, folder / (std::string(table) + ".DBF"), invoicingTable(table));
  }
};

bool ownContractor(const DemoOptions& o, const Contractor& c) {
  return o.account == "00000" || c.account == o.account || c.number == "00000";
}

void contractorFields(Writer& w, const Contractor& c, const ContractorTotals& t, double limit, std::uint32_t i) {
  w.clear();
  w.set("NR_KON", text(c.number)).set("GRUPA_KON", text(c.group)).set("ID_KON", text(c.taxId));
  w.set("NAZWA_KON", text(c.name)).set("NAZWA_KON2", text(c.name2)).set("SKROT", text(c.shortName));
  w.set("KOD", text(c.postcode)).set("MIASTO", text(c.town)).set("ADRES", text(c.street));
  w.set("TELEFON", text(c.phone)).set("KONTO", text(c.account)).set("KREDYT", text(c.onCredit ? "T" : "N"));
  w.set("WN_ODB", number(t.turnover, 12, 2)).set("MA_ODB", number(money(t.turnover - t.unpaid), 12, 2));
  if (c.supplier) {
    const double bought = money(static_cast<double>(i * 7919u % 400000u) / 10.0);
    w.set("MA_DOS", number(bought, 12, 2)).set("WN_DOS", number(i % 3 == 0 ? money(bought * 0.8) : bought, 12, 2));
  }
  w.set("CENNIK", text(std::string(1, c.priceList))).set("RABAT_KON", number(c.discount, 4, 1));
  w.set("LIMIT", number(limit, 12, 2)).set("DNI", number(c.paymentDays, 3));
  w.set("SZEF", text(c.chief)).set("PRACOWNIK", text(c.clerk)).set("MAIL", text(c.mail));
  w.set("PUNKTY_RA", number(t.points, 5)).set("PUNKTY_OK", number(t.settledPoints, 5));
  w.append();
}

std::uint64_t writeContractors(const Target& to, const DemoOptions& o, std::uint32_t count,
                               const std::vector<ContractorTotals>& totals) {
  auto kon = to.own("KON");
  auto firmy = to.theirs("FIRMY", true);
  Progress progress(o, "KON", count);
  std::uint64_t written = 0;
  for (std::uint32_t i = 0; i <= count; ++i) {
    progress.tick(i);
    const Contractor c = i == 0 ? generalContractor() : contractorAt(i);
    const double limit = i == 0 ? 0 : limitOf(c, i, totals[i]);
    if (firmy) contractorFields(*firmy, c, totals[i], limit, i);
    if (!ownContractor(o, c)) continue;
    contractorFields(*kon, c, totals[i], limit, i);
    ++written;
  }
  kon->close();
  if (firmy) firmy->close();
  return written;
}

// At head office the goods as the invoicing program has them; in a representative's copy
// as the package brings them: no purchase prices, and head office's stock also in STAN_MIN.
void goodsFields(Writer& w, const Article& a, char mark, bool package) {
  w.clear();
  w.set("INDEKS", text(a.code)).set("NAZWA_TOW", text(a.name)).set("OPIS_TOW", text(a.description));
  w.set("KOD_PAS", number(a.barcode, 13)).set("GRUPA_TOW", text(a.group)).set("OPAKOWANIE", number(a.pack, 7, 1));
  w.set("JM", text(a.unit)).set("VAT", text(a.vat)).set("STAN", number(a.stock, 10, 3));
  w.set("CENA_1", number(a.price1, 9, 2)).set("CENA_2", number(a.price2, 9, 2)).set("CENA_3", number(a.price3, 9, 2));
  w.set("CENA_ZAK", number(package ? 0 : a.purchase, 12, 2)).set("NR_KON", text(a.supplier));
  w.set("OPAK_ZWR", text(a.returnable ? "T" : "N")).set("STAN_MIN", number(package ? a.stock : a.minimum, 10, 3));
  w.set("USLUGA", text(std::string(1, mark)));
  w.append();
}

// The first delivery of each article: the date and price its invoice lines carry.
struct Delivery {
  rt::Date date;
  double price = 0;
};

std::vector<Delivery> writeGoods(const Target& to, const DemoOptions& o, std::uint32_t count, std::uint32_t contractors) {
  auto tow = to.own("TOW");
  auto marks = to.own("ZMIANY");
  auto theirs = to.theirs("TOW");
  auto batches = to.theirs("MAG001");
  std::vector<Delivery> first(count + 1);
  Progress progress(o, "TOW", count);
  for (std::uint32_t j = 0; j <= count; ++j) {
    progress.tick(j);
    const Article a = articleAt(j, contractors);
    const Mark m = markOf(a, j, o.today);
    goodsFields(*tow, a, m.status, o.account != "00000");
    marks->clear();
    marks->set("INDEKS", text(a.code)).set("DATA", date(m.since)).set("STATUS", text(std::string(1, m.status)));
    marks->append();
    if (!theirs || j == 0) continue;  // the invoicing program has no remarks goods
    goodsFields(*theirs, a, ' ', false);
    const std::vector<Batch> bs = batchesOf(a, j, o.today);
    first[j] = {bs.front().delivered, bs.front().price};
    for (const Batch& b : bs) {
      batches->clear();
      batches->set("INDEKS", text(a.code)).set("NR_DOS", text(b.document)).set("DATA_DOS", date(b.delivered));
      batches->set("NR_KON", text(a.supplier)).set("STAN", number(b.stock, 10, 3)).set("STAN_B", number(0, 10, 3));
      batches->set("CENA_ZAK", number(b.price, 12, 2));
      batches->append();
    }
  }
  tow->close();
  marks->close();
  if (theirs) theirs->close(), batches->close();
  return first;
}

std::uint64_t writeDiscounts(const Target& to, const DemoOptions& o, std::uint32_t contractors, std::uint32_t goods) {
  auto ours = to.own("UPUSTY");
  auto theirs = to.theirs("UPUSTY");
  Progress progress(o, "UPUSTY", contractors);
  std::uint64_t written = 0;
  for (std::uint32_t i = 0; i <= contractors; ++i) {
    progress.tick(i);
    const bool own = i == 0 || ownContractor(o, contractorAt(i));
    for (const Discount& d : discountsOf(i, goods, o.today)) {
      for (Writer* w : {own ? ours.get() : nullptr, theirs.get()}) {
        if (w == nullptr) continue;
        w->clear();
        w->set("NR_KON", text(d.contractor)).set("GRUPA_TOW", text(d.group)).set("INDEKS", text(d.goods));
        w->set("CENA", number(d.price, 12, 2)).set("UPUST", number(d.percent, 5, 2));
        w->set("DATA_OD", date(d.from)).set("DATA_DO", date(d.to));
        w->append();
      }
      written += own;
    }
  }
  ours->close();
  if (theirs) theirs->close();
  return written;
}

// The days a document is overdue (from its due date to its payment, or to today), at most 9999.
std::string daysAfterDue(const Document& d, rt::Date today) {
  const rt::Date end = d.settled().empty() ? today : d.settled();
  return rt::str(std::min(9999, end.julianDay() - d.due.julianDay()), 4);
}

class DocumentWriter {
 public:
  DocumentWriter(const Target& to, const DemoOptions& o, const std::vector<Delivery>& deliveries, std::uint32_t contractors)
      : o_(o), deliveries_(deliveries), contractors_(contractors), heads_(to.own("SPR_N")), lines_(to.own("SPR_P")),
        theirHeads_(to.theirs("SPR_N")), theirLines_(to.theirs("SPR_P")), payments_(to.theirs("ZAP")) {}

  void write(const Document& d, DemoCounts& counts) {
    const Contractor c = contractorAt(d.contractor);
    const bool own = ownContractor(o_, c);
    if (theirHeads_) theirs(d, c);
    if (!own) return;
    heads_->clear();
    heads_->set("DOKUMENT", text(d.text())).set("DATA_DOK", date(d.date)).set("NR_MAG", text(std::string(kWarehouse)));
    heads_->set("WART_ZAK", number(o_.account == "00000" ? d.purchase : 0, 12, 2));
    heads_->set("WART_BRU", number(d.gross, 12, 2)).set("KONTO", text(c.account)).set("NR_KON", text(c.number));
    heads_->set("GRUPA_KON", text(c.group)).set("ID_KON", text(c.taxId)).set("NAZWA_KON", text(c.name));
    heads_->set("KOD", text(c.postcode)).set("MIASTO", text(c.town)).set("ADRES", text(c.street));
    heads_->set("WN", number(d.unpaid, 12, 2)).set("DATA_PLA", date(d.due)).set("DATA_ZAP", date(d.settled()));
    heads_->set("DNI_PO", text(daysAfterDue(d, o_.today))).set("RODZAJ_DOK", text(d.kind()));
    heads_->set("SERIA_FAK", text(d.series())).set("ROK_DOK", text(d.year())).set("NR_DOK", text(d.numberText()));
    heads_->append();
    ++counts.documents;
    for (const Line& l : d.lines) {
      const Article a = articleAt(l.article, contractors_);
      lines_->clear();
      lines_->set("DOKUMENT", text(d.text())).set("DATA_DOK", date(d.date)).set("NR_KON", text(c.number));
      lines_->set("INDEKS", text(a.code)).set("VAT", text(a.vat)).set("ILOSC", number(l.quantity, 10, 3));
      lines_->set("CENA_SPR", number(l.price, 12, 2)).set("JM", text(a.unit));
      lines_->append();
      ++counts.lines;
    }
  }

  void close() {
    heads_->close();
    lines_->close();
    if (theirHeads_) theirHeads_->close(), theirLines_->close(), payments_->close();
  }

 private:
  void key(Writer& w, const Document& d) {
    w.set("RODZAJ_DOK", text(d.kind())).set("SERIA_FAK", text(d.series())).set("ROK_DOK", text(d.year()));
    w.set("NR_DOK", text(d.numberText()));
  }

  void theirs(const Document& d, const Contractor& c) {
    Writer& h = *theirHeads_;
    h.clear();
    key(h, d);
    h.set("DATA_DOK", date(d.date)).set("NR_MAG", text(std::string(kWarehouse))).set("KONTO", text(c.account));
    h.set("NR_KON", text(c.number)).set("GRUPA_KON", text(c.group)).set("ID_KON", text(c.taxId));
    h.set("NAZWA_KON", text(c.name)).set("KOD", text(c.postcode)).set("MIASTO", text(c.town)).set("ADRES", text(c.street));
    h.set("CENNIK_S", text(std::string(1, c.priceList))).set("RABAT", number(c.discount, 5, 2));
    h.set("OPERATOR", text("ADM")).set("TERMIN", number(c.paymentDays, 3)).set("DATA_PLA", date(d.due));
    h.set("SPOSOB_PLA", text(c.paymentDays > 0 ? "przelew" : rt::cp852FromUtf8("gotówka")));
    h.set("WART_ZAK", number(d.purchase, 12, 2)).set("WART_NET1", number(d.net[0], 12, 2));
    h.set("WART_NET2", number(d.net[1], 12, 2)).set("WART_NET3", number(d.net[2], 12, 2));
    h.set("WART_NET4", number(d.net[3], 12, 2)).set("WART_VAT1", number(d.vat[0], 12, 2));
    h.set("WART_VAT2", number(d.vat[1], 12, 2)).set("WART_VAT3", number(d.vat[2], 12, 2));
    double discount = 0;
    for (const Line& l : d.lines) discount += (l.listNet - l.price) * l.quantity;
    h.set("BONIFIKATA", number(money(discount), 12, 2)).set("RABAT_NET", number(money(discount), 12, 2));
    h.set("WART_ZAP", number(d.gross, 12, 2)).set("WN", number(d.unpaid, 12, 2)).set("PUNKTY", number(d.points, 5));
    h.append();
    for (const Line& l : d.lines) {
      const Article a = articleAt(l.article, contractors_);
      const double rate = vatRate(a.vat);
      Writer& w = *theirLines_;
      w.clear();
      key(w, d);
      w.set("DATA_DOK", date(d.date)).set("NR_MAG", text(std::string(kWarehouse))).set("NR_KON", text(c.number));
      w.set("INDEKS", text(a.code)).set("GRUPA_TOW", text(a.group)).set("NAZWA_TOW", text(a.name));
      w.set("OPIS_TOW", text(a.description)).set("JM", text(a.unit)).set("VAT", text(a.vat));
      w.set("ILOSC", number(l.quantity, 10, 3)).set("ZNAK", number(-1, 2));
      w.set("CENA_ZAK", number(deliveries_[l.article].price, 12, 2)).set("DATA_DOS", date(deliveries_[l.article].date));
      w.set("CENA_CEN_S", number(l.listNet, 12, 2)).set("CENA_BRU", number(money(l.listNet * (1 + rate)), 12, 2));
      w.set("CENA_DET", number(money(l.price * (1 + rate)), 12, 2)).set("BONIFIKATA", number(l.listNet, 12, 2));
      w.set("CENA_SPR", number(l.price, 12, 2)).set("MARZA", number(c.discount, 7, 2));
      w.append();
    }
    for (const Payment& p : d.payments) {
      Writer& z = *payments_;
      z.clear();
      z.set("RODZAJ_DOK", text(d.kind())).set("SERIA_FAK", text(d.series())).set("ROK_FAK", text(d.year()));
      z.set("NR_FAK", text(d.numberText())).set("NR_KON", text(c.number)).set("DATA_ZAP", date(p.date));
      z.set("KWOTA", number(p.amount, 12, 2));
      z.append();
    }
  }

  const DemoOptions& o_;
  const std::vector<Delivery>& deliveries_;
  std::uint32_t contractors_;
  std::unique_ptr<Writer> heads_, lines_, theirHeads_, theirLines_, payments_;
};

// Notes on about one contractor in twenty-five, at head office and in the invoicing
// program (a representative's copy gets none: the package carries no notes).
void writeNotes(const Target& to, const DemoOptions& o, std::uint32_t contractors) {
  auto ours = to.own("KON_TXT");
  auto theirs = to.theirs("KON_TXT");
  for (std::uint32_t i = 1; i <= contractors; ++i) {
    if (i % 25 != 7) continue;
    const std::string note = rt::cp852FromUtf8(kNotes[(i / 25) % kNotes.size()]) + "\r\n";
    for (Writer* w : {o.account == "00000" ? ours.get() : nullptr, theirs.get()}) {
      if (w == nullptr) continue;
      w->clear();
      w->set("NR_KON", text(digits(i, 5))).set("TEKST", rt::Value::memo(note));
      w->append();
    }
  }
  ours->close();
  if (theirs) theirs->close();
}

void writeDataDate(const Target& to, const DemoOptions& o) {
  auto w = to.own("DATA_AKT");
  w->set("DATA", date(o.today)).set("CZAS", text("06:00"));
  w->append();
  w->close();
}

}  // namespace

DemoCounts writeDemoCompany(sys::Env& env, const sys::Clock& clock, const fs::path& target, const DemoOptions& o) {
  if (o.scale < 1) throw BuildError("the scale is a whole number from 1");
  if (o.today.empty()) throw BuildError("the demo needs today's date");
  const auto capped = [&](std::uint64_t perUnit) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(perUnit * static_cast<std::uint64_t>(o.scale), 99999));
  };
  const std::uint32_t contractors = capped(1000), goods = capped(500);
  const Documents docs(static_cast<std::uint32_t>(2000ull * static_cast<std::uint64_t>(o.scale)), contractors, goods, o.today);
  const Target to{env, clock, target, o.invoicingFolders};
  if (o.invoicingFolders) makeInvoicingFolders(env, clock, target);
  DemoCounts counts;
  counts.contractors = writeContractors(to, o, contractors, totalsOf(docs, contractors));
  const std::vector<Delivery> deliveries = writeGoods(to, o, goods, contractors);
  counts.goods = goods + 1;
  counts.discounts = writeDiscounts(to, o, contractors, goods);
  DocumentWriter w(to, o, deliveries, contractors);
  Progress progress(o, "SPR_N, SPR_P", docs.count());
  for (std::uint32_t d = 0; d < docs.count(); ++d) {
    progress.tick(d + 1);
    w.write(docs.at(d), counts);
  }
  w.close();
  writeNotes(to, o, contractors);
  writeDataDate(to, o);
  return counts;
}

}  // namespace tool
