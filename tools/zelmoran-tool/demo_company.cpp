// tools/zelmoran-tool/demo_company.cpp — the demo wholesaler (rules in the header).
// Names, towns and goods come from small word lists below; everything else is drawn from
// a random stream per contractor, article and document.
#include "demo_company.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "inst_builder.hpp"
#include "rt/codepage.hpp"

namespace tool {
namespace {

// SplitMix64: small, fast and the same on every machine.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }
  template <typename T, std::size_t N>
  const T& pick(const std::array<T, N>& list) { return list[static_cast<std::size_t>(below(static_cast<int>(N)))]; }

 private:
  std::uint64_t state_;
};

// A stream of its own for each thing drawn, so that one never shifts another.
Random streamOf(std::uint64_t kind, std::uint64_t n) { return Random(kind * 0x100000001B3ull ^ (n * 0x9E3779B97F4A7C15ull)); }
constexpr std::uint64_t kContractorStream = 0xC0, kGoodsStream = 0x70, kDocumentStream = 0xD0, kDiscountStream = 0xA0;

using Words = std::array<const char*, 20>;
constexpr Words kSurnames = {"Kowalski",  "Nowak",    "Wiśniewski", "Wójcik",     "Kowalczyk", "Kamiński",  "Lewandowski",
                             "Zieliński", "Szymański", "Woźniak",   "Dąbrowski",  "Kozłowski", "Jankowski", "Mazur",
                             "Kwiatkowski", "Krawczyk", "Piotrowski", "Grabowski", "Nowakowski", "Pawłowski"};
// Odd entries are women's names: their surnames in -ski, -cki and -dzki end in -ska, -cka, -dzka.
constexpr std::array<const char*, 10> kFirstNames = {"Jan",   "Anna",  "Piotr",  "Maria",     "Krzysztof",
                                                     "Ewa",   "Tomasz", "Agnieszka", "Marek", "Małgorzata"};

// A person's name drawn from the lists, the surname agreeing with the first name.
struct Person {
  std::string first, surname;
};
Person personOf(Random& r) {
  const int f = r.below(static_cast<int>(kFirstNames.size()));
  std::string surname = r.pick(kSurnames);
  if (f % 2 == 1 && surname.size() > 2 && surname.ends_with("ki")) surname.replace(surname.size() - 1, 1, "a");
  return {kFirstNames[static_cast<std::size_t>(f)], surname};
}
// Contractor groups 01..05 (SL_G_KON) and the word a shop of that group starts with.
constexpr std::array<std::array<const char*, 3>, 5> kShopWords = {{
    {"Sklep", "Sklep spożywczy", "Delikatesy"},
    {"Hurtownia", "P.H.U.", "Handel"},
    {"Market", "Supermarket", "Dom Handlowy"},
    {"Stacja paliw", "Stacja", "Auto-Serwis"},
    {"Restauracja", "Bar", "Kawiarnia"},
}};
constexpr std::array<const char*, 5> kFirmForms = {"", " s.c.", " Sp. z o.o.", " Sp.j.", " i Synowie"};
struct Town {
  const char* name;
  const char* postcode;
  const char* dialling;
};
constexpr std::array<Town, 12> kTowns = {{{"Poznań", "61-", "61"},     {"Gniezno", "62-200", "61"},
                                          {"Konin", "62-500", "63"},     {"Leszno", "64-100", "65"},
                                          {"Piła", "64-920", "67"},      {"Kalisz", "62-800", "62"},
                                          {"Września", "62-300", "61"},  {"Śrem", "63-100", "61"},
                                          {"Kościan", "64-000", "65"},   {"Oborniki", "64-600", "61"},
                                          {"Szamotuły", "64-500", "61"}, {"Wągrowiec", "62-100", "67"}}};
constexpr std::array<const char*, 14> kStreets = {"Główna",     "Polna",   "Leśna",     "Słoneczna", "Krótka",
                                                  "Szkolna",    "Ogrodowa", "Lipowa",   "Łąkowa",    "Kościuszki",
                                                  "Mickiewicza", "Kolejowa", "Źródlana", "Żeromskiego"};

// Goods groups 001..008 (SL_G_TOW): kinds, sizes, unit, VAT code, purchase price range.
struct GoodsGroup {
  std::array<const char*, 6> kinds;
  std::array<const char*, 3> sizes;
  const char* unit;
  const char* vat;
  int minPrice, maxPrice;  // in grosze
};
constexpr std::array<GoodsGroup, 8> kGoodsGroups = {{
    {{"Mąka pszenna", "Cukier biały", "Ryż długoziarnisty", "Makaron świderki", "Kasza gryczana", "Olej rzepakowy"},
     {"1 kg", "500 g", "5 kg"}, "szt.", "5", 150, 1800},
    {{"Woda mineralna", "Sok jabłkowy", "Sok pomarańczowy", "Napój cytrynowy", "Oranżada", "Kompot wiśniowy"},
     {"0,5 l", "1 l", "1,5 l"}, "szt.", "8", 80, 600},
    {{"Czekolada mleczna", "Cukierki owocowe", "Wafle kakaowe", "Herbatniki", "Pierniki", "Batony orzechowe"},
     {"100 g", "250 g", "1 kg"}, "szt.", "8", 120, 2500},
    {{"Proszek do prania", "Płyn do naczyń", "Mydło w płynie", "Płyn do szyb", "Odświeżacz", "Środek czyszczący"},
     {"0,5 l", "1 l", "3 kg"}, "szt.", "23", 250, 4000},
    {{"Szampon ziołowy", "Pasta do zębów", "Krem do rąk", "Żel pod prysznic", "Dezodorant", "Mydło toaletowe"},
     {"75 ml", "200 ml", "400 ml"}, "szt.", "23", 300, 2500},
    {{"Zeszyt w kratkę", "Długopis niebieski", "Papier ksero A4", "Koperty C5", "Ołówek HB", "Blok rysunkowy"},
     {"1 szt.", "10 szt.", "500 ark."}, "opak", "23", 50, 2800},
    {{"Żarówka LED", "Baterie AA", "Taśma klejąca", "Worki na śmieci", "Zapałki", "Świeczki"},
     {"1 szt.", "4 szt.", "10 szt."}, "opak", "23", 100, 3000},
    {{"Skrzynka plastikowa", "Butelka zwrotna", "Paleta EUR", "Skrzynka drewniana", "Beczka", "Kontener"},
     {"", "", ""}, "szt.", "23", 50, 4500},
}};
constexpr std::array<const char*, 8> kMakers = {"Zelmor",       "Młyn Kowalewo", "Spółdzielnia Społem", "Polmarket",
                                                "Wielkopolanka", "Agro-Śrem",     "Kujawianka",          "Domix"};
constexpr std::array<int, 4> kPaymentDays = {0, 7, 14, 30};

std::string digits(std::uint64_t n, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*llu", width, static_cast<unsigned long long>(n));
  return buf;
}

double money(double v) { return std::round(v * 100.0) / 100.0; }

std::string pl(std::string_view utf8) { return rt::cp852FromUtf8(utf8); }

std::string cut(std::string s, std::size_t width) {
  if (s.size() > width) s.resize(width);
  return s;
}

double vatRate(std::string_view code) {
  const int n = std::atoi(std::string(code).c_str());
  return n / 100.0;
}

struct Contractor {
  std::string number, group, taxId, name, name2, shortName, postcode, town, street, phone, account, chief, clerk, mail;
  char priceList = '1';
  double discount = 0, debit = 0, credit = 0, limit = 0;
  int paymentDays = 0;
  bool onCredit = false;
};

Contractor contractorAt(std::uint32_t i) {
  Random r = streamOf(kContractorStream, i);
  Contractor c;
  c.number = digits(i, 5);
  const bool supplier = i % 25 == 0;
  const int group = supplier ? 6 : r.between(1, 5);
  c.group = digits(static_cast<std::uint64_t>(group), 2);
  c.account = "0000" + std::to_string(1 + (i - 1) % 3);
  const Person owner = personOf(r);
  const std::string& surname = owner.surname;
  const std::string& first = owner.first;
  const std::string word = supplier ? "Zakład Produkcyjny" : kShopWords[static_cast<std::size_t>(group - 1)][static_cast<std::size_t>(r.below(3))];
  c.name = pl(word + " " + first + " " + surname + r.pick(kFirmForms));
  c.shortName = cut(rt::upperCp852(pl(surname)), 15);
  c.taxId = digits(static_cast<std::uint64_t>(r.between(100, 999)), 3) + "-" + digits(static_cast<std::uint64_t>(r.between(0, 999)), 3) + "-" +
            digits(static_cast<std::uint64_t>(r.below(100)), 2) + "-" + digits(static_cast<std::uint64_t>(r.below(100)), 2);
  const Town& t = r.pick(kTowns);
  c.town = pl(t.name);
  c.postcode = std::string(t.postcode).size() == 3 ? std::string(t.postcode) + digits(static_cast<std::uint64_t>(r.between(1, 899)), 3) : t.postcode;
  c.street = pl(std::string("ul. ") + r.pick(kStreets) + " " + std::to_string(r.between(1, 120)));
  c.name2 = c.postcode + " " + c.town + ", " + c.street;
  c.phone = std::string(t.dialling) + " " + digits(static_cast<std::uint64_t>(r.between(200, 899)), 3) + " " +
            digits(static_cast<std::uint64_t>(r.below(100)), 2) + " " + digits(static_cast<std::uint64_t>(r.below(100)), 2);
  c.chief = pl(first + " " + surname);
  const Person clerk = personOf(r);
  c.clerk = pl(clerk.first + " " + clerk.surname);
  c.mail = "biuro" + c.number + "@klient.example";
  c.priceList = static_cast<char>('1' + r.below(3));
  c.discount = r.below(4) == 0 ? r.between(1, 100) / 10.0 : 0;
  c.paymentDays = r.pick(kPaymentDays);
  c.onCredit = c.paymentDays > 0;
  c.limit = c.onCredit ? r.between(1, 50) * 1000.0 : 0;
  c.debit = money(r.between(0, 2000000) / 100.0);
  c.credit = r.below(4) == 0 ? money(c.debit - r.between(1, 300000) / 100.0) : c.debit;
  c.credit = std::max(0.0, c.credit);
  return c;
}

struct Article {
  std::string code, name, description, group, unit, vat;
  double purchase = 0, price1 = 0, price2 = 0, price3 = 0, stock = 0, minimum = 0, barcode = 0;
  bool returnable = false;
};

double ean13(std::uint32_t j) {
  const std::string body = "5901234" + digits(j, 5);
  int sum = 0;
  for (std::size_t k = 0; k < body.size(); ++k) sum += (body[k] - '0') * (k % 2 == 0 ? 1 : 3);
  return std::stod(body + std::to_string((10 - sum % 10) % 10));
}

Article articleAt(std::uint32_t j) {
  Random r = streamOf(kGoodsStream, j);
  Article a;
  const std::size_t g = static_cast<std::size_t>(r.below(static_cast<int>(kGoodsGroups.size())));
  const GoodsGroup& grp = kGoodsGroups[g];
  a.code = digits(j, 5);
  a.group = digits(g + 1, 3);
  a.name = cut(pl(std::string(r.pick(grp.kinds)) + " " + r.pick(grp.sizes)), 30);
  a.name.erase(a.name.find_last_not_of(' ') + 1);
  a.description = cut(pl(r.pick(kMakers)), 20);
  a.unit = grp.unit;
  a.vat = grp.vat;
  a.returnable = g == 7;
  a.purchase = r.between(grp.minPrice, grp.maxPrice) / 100.0;
  a.price1 = money(a.purchase * 1.30);
  a.price2 = money(a.purchase * 1.22);
  a.price3 = money(a.price1 * (1 + vatRate(a.vat)));
  a.stock = r.below(8) == 0 ? 0 : r.between(1, 800);
  a.minimum = 10;
  a.barcode = ean13(j);
  return a;
}

double priceFor(const Article& a, const Contractor& c) {
  const double list = c.priceList == '2' ? a.price2 : a.price1;
  return money(list * (1 - c.discount / 100.0));
}

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

bool ownContractor(const DemoOptions& o, const Contractor& c) { return o.account == "00000" || c.account == o.account; }

TableWriter writerFor(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target, std::string_view table) {
  const store::TableDef* def = store::findTable(table);
  if (def == nullptr) throw BuildError("no table " + std::string(table) + " in the catalogue");
  return TableWriter(env, clock, target / (std::string(table) + ".DBF"), *def);
}

std::uint64_t writeContractors(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target,
                               const DemoOptions& o, std::uint32_t count) {
  TableWriter w = writerFor(env, clock, target, "KON");
  const std::size_t fNr = w.field("NR_KON"), fGroup = w.field("GRUPA_KON"), fId = w.field("ID_KON"),
                    fName = w.field("NAZWA_KON"), fName2 = w.field("NAZWA_KON2"), fShort = w.field("SKROT"),
                    fPost = w.field("KOD"), fTown = w.field("MIASTO"), fStreet = w.field("ADRES"),
                    fPhone = w.field("TELEFON"), fAccount = w.field("KONTO"), fCredit = w.field("KREDYT"),
                    fDebit = w.field("WN_ODB"), fPaid = w.field("MA_ODB"), fList = w.field("CENNIK"),
                    fDiscount = w.field("RABAT_KON"), fLimit = w.field("LIMIT"), fDays = w.field("DNI"),
                    fChief = w.field("SZEF"), fClerk = w.field("PRACOWNIK"), fMail = w.field("MAIL");
  Progress progress(o, "KON", count);
  std::uint64_t written = 0;
  for (std::uint32_t i = 1; i <= count; ++i) {
    progress.tick(i);
    const Contractor c = contractorAt(i);
    if (!ownContractor(o, c)) continue;
    w.clear();
    w.set(fNr, rt::Value::character(c.number));
    w.set(fGroup, rt::Value::character(c.group));
    w.set(fId, rt::Value::character(c.taxId));
    w.set(fName, rt::Value::character(c.name));
    w.set(fName2, rt::Value::character(c.name2));
    w.set(fShort, rt::Value::character(c.shortName));
    w.set(fPost, rt::Value::character(c.postcode));
    w.set(fTown, rt::Value::character(c.town));
    w.set(fStreet, rt::Value::character(c.street));
    w.set(fPhone, rt::Value::character(c.phone));
    w.set(fAccount, rt::Value::character(c.account));
    w.set(fCredit, rt::Value::character(c.onCredit ? "T" : "N"));
    w.set(fDebit, rt::Value::number(c.debit, 12, 2));
    w.set(fPaid, rt::Value::number(c.credit, 12, 2));
    w.set(fList, rt::Value::character(std::string(1, c.priceList)));
    w.set(fDiscount, rt::Value::number(c.discount, 4, 1));
    w.set(fLimit, rt::Value::number(c.limit, 12, 2));
    w.set(fDays, rt::Value::number(c.paymentDays, 3, 0));
    w.set(fChief, rt::Value::character(c.chief));
    w.set(fClerk, rt::Value::character(c.clerk));
    w.set(fMail, rt::Value::character(c.mail));
    w.append();
    ++written;
  }
  w.close();
  return written;
}

void writeGoods(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target, const DemoOptions& o,
                std::uint32_t count) {
  TableWriter w = writerFor(env, clock, target, "TOW");
  const std::size_t fCode = w.field("INDEKS"), fName = w.field("NAZWA_TOW"), fDesc = w.field("OPIS_TOW"),
                    fBar = w.field("KOD_PAS"), fGroup = w.field("GRUPA_TOW"), fPack = w.field("OPAKOWANIE"),
                    fUnit = w.field("JM"), fVat = w.field("VAT"), fStock = w.field("STAN"), fP1 = w.field("CENA_1"),
                    fP2 = w.field("CENA_2"), fP3 = w.field("CENA_3"), fBuy = w.field("CENA_ZAK"),
                    fReturn = w.field("OPAK_ZWR"), fMin = w.field("STAN_MIN");
  Progress progress(o, "TOW", count);
  for (std::uint32_t j = 1; j <= count; ++j) {
    progress.tick(j);
    const Article a = articleAt(j);
    w.clear();
    w.set(fCode, rt::Value::character(a.code));
    w.set(fName, rt::Value::character(a.name));
    w.set(fDesc, rt::Value::character(a.description));
    w.set(fBar, rt::Value::number(a.barcode, 13, 0));
    w.set(fGroup, rt::Value::character(a.group));
    w.set(fPack, rt::Value::number(a.returnable ? 1 : 12, 7, 1));
    w.set(fUnit, rt::Value::character(a.unit));
    w.set(fVat, rt::Value::character(a.vat));
    w.set(fStock, rt::Value::number(a.stock, 10, 3));
    w.set(fP1, rt::Value::number(a.price1, 9, 2));
    w.set(fP2, rt::Value::number(a.price2, 9, 2));
    w.set(fP3, rt::Value::number(a.price3, 9, 2));
    w.set(fBuy, rt::Value::number(a.purchase, 12, 2));
    w.set(fReturn, rt::Value::character(a.returnable ? "T" : "N"));
    w.set(fMin, rt::Value::number(a.minimum, 10, 3));
    w.append();
  }
  w.close();
}

// About one contractor in five has discounts: a percentage on a goods group or a fixed
// price on one article, some of them for a limited time.
std::uint64_t writeDiscounts(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target,
                             const DemoOptions& o, std::uint32_t contractors, std::uint32_t goods) {
  TableWriter w = writerFor(env, clock, target, "UPUSTY");
  const std::size_t fNr = w.field("NR_KON"), fGroup = w.field("GRUPA_TOW"), fCode = w.field("INDEKS"),
                    fPrice = w.field("CENA"), fPct = w.field("UPUST"), fFrom = w.field("DATA_OD"),
                    fTo = w.field("DATA_DO");
  Progress progress(o, "UPUSTY", contractors);
  std::uint64_t written = 0;
  for (std::uint32_t i = 1; i <= contractors; ++i) {
    progress.tick(i);
    Random r = streamOf(kDiscountStream, i);
    if (r.below(5) != 0) continue;
    const Contractor c = contractorAt(i);
    const int n = r.between(1, 3);
    for (int k = 0; k < n; ++k) {
      const bool fixedPrice = r.below(3) == 0;
      const bool limited = r.below(4) == 0;
      const std::uint32_t article = static_cast<std::uint32_t>(r.below(static_cast<int>(goods))) + 1;
      const int group = r.between(1, 8);
      const int pct = r.between(2, 15);
      if (!ownContractor(o, c)) continue;
      w.clear();
      w.set(fNr, rt::Value::character(c.number));
      if (fixedPrice) {
        const Article a = articleAt(article);
        w.set(fCode, rt::Value::character(a.code));
        w.set(fGroup, rt::Value::character(a.group));
        w.set(fPrice, rt::Value::number(money(a.price1 * (100 - pct) / 100.0), 12, 2));
      } else {
        w.set(fGroup, rt::Value::character(digits(static_cast<std::uint64_t>(group), 3)));
        w.set(fPct, rt::Value::number(pct, 5, 2));
      }
      if (limited) {
        w.set(fFrom, rt::Value::date(rt::Date(o.today.julianDay() - 30)));
        w.set(fTo, rt::Value::date(rt::Date(o.today.julianDay() + 60)));
      }
      w.append();
      ++written;
    }
  }
  w.close();
  return written;
}

struct DocumentTotals {
  std::uint64_t documents = 0, lines = 0;
};

class DocumentWriter {
 public:
  DocumentWriter(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target)
      : head_(writerFor(env, clock, target, "SPR_N")), line_(writerFor(env, clock, target, "SPR_P")) {
    for (std::string_view f : {"DOKUMENT", "DATA_DOK", "NR_MAG", "WART_ZAK", "WART_BRU", "KONTO", "NR_KON", "GRUPA_KON",
                               "ID_KON", "NAZWA_KON", "KOD", "MIASTO", "ADRES", "WN", "DATA_PLA", "DATA_ZAP",
                               "RODZAJ_DOK", "SERIA_FAK", "ROK_DOK", "NR_DOK"})
      h_.push_back(head_.field(f));
    for (std::string_view f : {"DOKUMENT", "DATA_DOK", "NR_KON", "INDEKS", "VAT", "ILOSC", "CENA_SPR", "JM"})
      p_.push_back(line_.field(f));
  }

  void write(const DemoOptions& o, std::uint32_t d, std::uint32_t number, rt::Date date, const Contractor& c,
             std::uint32_t goods, DocumentTotals& totals) {
    Random r = streamOf(kDocumentStream, d);
    const int year = date.ymd().year;
    const std::string doc = "FV01/" + digits(number, 5) + "/" + digits(static_cast<std::uint64_t>(year % 100), 2);
    const int lines = r.between(1, 9);
    double purchase = 0, gross = 0;
    for (int k = 0; k < lines; ++k) {
      const Article a = articleAt(static_cast<std::uint32_t>(r.below(static_cast<int>(goods))) + 1);
      const double qty = r.between(1, 48);
      const double price = priceFor(a, c);
      purchase += qty * a.purchase;
      gross += money(qty * price * (1 + vatRate(a.vat)));
      if (!ownContractor(o, c)) continue;
      line_.clear();
      line_.set(p_[0], rt::Value::character(doc));
      line_.set(p_[1], rt::Value::date(date));
      line_.set(p_[2], rt::Value::character(c.number));
      line_.set(p_[3], rt::Value::character(a.code));
      line_.set(p_[4], rt::Value::character(a.vat));
      line_.set(p_[5], rt::Value::number(qty, 10, 3));
      line_.set(p_[6], rt::Value::number(price, 12, 2));
      line_.set(p_[7], rt::Value::character(a.unit));
      line_.append();
      ++totals.lines;
    }
    if (!ownContractor(o, c)) return;
    const rt::Date due(date.julianDay() + c.paymentDays);
    const bool unpaid = o.today.julianDay() - date.julianDay() < 45 && r.below(3) == 0;
    head_.clear();
    head_.set(h_[0], rt::Value::character(doc));
    head_.set(h_[1], rt::Value::date(date));
    head_.set(h_[2], rt::Value::character("001"));
    head_.set(h_[3], rt::Value::number(money(purchase), 12, 2));
    head_.set(h_[4], rt::Value::number(money(gross), 12, 2));
    head_.set(h_[5], rt::Value::character(c.account));
    head_.set(h_[6], rt::Value::character(c.number));
    head_.set(h_[7], rt::Value::character(c.group));
    head_.set(h_[8], rt::Value::character(c.taxId));
    head_.set(h_[9], rt::Value::character(c.name));
    head_.set(h_[10], rt::Value::character(c.postcode));
    head_.set(h_[11], rt::Value::character(c.town));
    head_.set(h_[12], rt::Value::character(c.street));
    head_.set(h_[13], rt::Value::number(unpaid ? money(gross) : 0, 12, 2));
    head_.set(h_[14], rt::Value::date(due));
    if (!unpaid) head_.set(h_[15], rt::Value::date(rt::Date(date.julianDay() + r.between(0, c.paymentDays))));
    head_.set(h_[16], rt::Value::character("FV"));
    head_.set(h_[17], rt::Value::character("01"));
    head_.set(h_[18], rt::Value::character(std::to_string(year)));
    head_.set(h_[19], rt::Value::character(digits(number, 5)));
    head_.append();
    ++totals.documents;
  }

  void close() {
    head_.close();
    line_.close();
  }

 private:
  TableWriter head_, line_;
  std::vector<std::size_t> h_, p_;
};

DocumentTotals writeDocuments(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target,
                              const DemoOptions& o, std::uint32_t count, std::uint32_t contractors, std::uint32_t goods) {
  DocumentWriter w(env, clock, target);
  DocumentTotals totals;
  Progress progress(o, "SPR_N, SPR_P", count);
  const std::int32_t first = o.today.julianDay() - 365;
  std::uint32_t number = 0;
  int year = 0;
  for (std::uint32_t d = 0; d < count; ++d) {
    progress.tick(d + 1);
    const rt::Date date(first + static_cast<std::int32_t>(static_cast<std::uint64_t>(d) * 365 / count));
    if (date.ymd().year != year) year = date.ymd().year, number = 0;
    Random r = streamOf(kDocumentStream ^ 1, d);
    const Contractor c = contractorAt(static_cast<std::uint32_t>(r.below(static_cast<int>(contractors))) + 1);
    w.write(o, d, ++number, date, c, goods, totals);
  }
  w.close();
  return totals;
}

void writeDataDate(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target, const DemoOptions& o) {
  TableWriter w = writerFor(env, clock, target, "DATA_AKT");
  w.set(w.field("DATA"), rt::Value::date(o.today));
  w.set(w.field("CZAS"), rt::Value::character("06:00"));
  w.append();
  w.close();
}

}  // namespace

DemoCounts writeDemoCompany(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target,
                            const DemoOptions& o) {
  if (o.scale < 1) throw BuildError("the scale is a whole number from 1");
  if (o.today.empty()) throw BuildError("the demo needs today's date");
  const auto capped = [&](std::uint64_t perUnit) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(perUnit * static_cast<std::uint64_t>(o.scale), 99999));
  };
  const std::uint32_t contractors = capped(1000), goods = capped(500);
  const std::uint32_t documents = static_cast<std::uint32_t>(2000ull * static_cast<std::uint64_t>(o.scale));
  DemoCounts counts;
  counts.contractors = writeContractors(env, clock, target, o, contractors);
  writeGoods(env, clock, target, o, goods);
  counts.goods = goods;
  counts.discounts = writeDiscounts(env, clock, target, o, contractors, goods);
  const DocumentTotals t = writeDocuments(env, clock, target, o, documents, contractors, goods);
  counts.documents = t.documents;
  counts.lines = t.lines;
  writeDataDate(env, clock, target, o);
  return counts;
}

}  // namespace tool
