// tools/zelmoran-tool/demo_data.cpp — the demo wholesaler's data (rules in the header).
// Names, towns and goods come from small word lists; everything else is drawn from a
// random stream of its own per contractor, article, batch, mark, discount and document.
// Word lists make this file longer than most.
#include "demo_data.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "rt/codepage.hpp"

namespace tool::demo {
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
constexpr std::uint64_t kContractorStream = 0xC0, kGoodsStream = 0x70, kDocumentStream = 0xD0, kDiscountStream = 0xA0,
                        kBatchStream = 0xB0, kMarkStream = 0xE0, kLimitStream = 0xF0, kPaymentStream = 0x90;

using Words = std::array<const char*, 20>;
constexpr Words kSurnames = {"Kowalski",  "Nowak",    "Wiśniewski", "Wójcik",     "Kowalczyk", "Kamiński",  "Lewandowski",
                             "Zieliński", "Szymański", "Woźniak",   "Dąbrowski",  "Kozłowski", "Jankowski", "Mazur",
                             "Kwiatkowski", "Krawczyk", "Piotrowski", "Grabowski", "Nowakowski", "Pawłowski"};
// Odd entries are women's names: their surnames in -ski, -cki and -dzki end in -ska, -cka, -dzka.
constexpr std::array<const char*, 10> kFirstNames = {"Jan",   "Anna",  "Piotr",  "Maria",     "Krzysztof",
                                                     "Ewa",   "Tomasz", "Agnieszka", "Marek", "Małgorzata"};

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
constexpr int kDocumentDays = 360;

std::string pl(std::string_view utf8) { return rt::cp852FromUtf8(utf8); }

std::string cut(std::string s, std::size_t width) {
  if (s.size() > width) s.resize(width);
  return s;
}

rt::Date daysBefore(rt::Date d, int n) { return rt::Date(d.julianDay() - n); }

double ean13(std::uint32_t j) {
  const std::string body = "5901234" + digits(j, 5);
  int sum = 0;
  for (std::size_t k = 0; k < body.size(); ++k) sum += (body[k] - '0') * (k % 2 == 0 ? 1 : 3);
  return std::stod(body + std::to_string((10 - sum % 10) % 10));
}

// M2: a settled document's payments (one, or two halves), or the part payment of an unpaid
// one; nothing lies after the day before `today`.
void pay(Document& doc, int paymentDays, std::uint32_t d, rt::Date today) {
  Random r = streamOf(kPaymentStream, d);
  const rt::Date settle(doc.date.julianDay() + r.between(0, paymentDays + 5));
  const bool unpaid = settle >= today || (today.julianDay() - doc.date.julianDay() < 45 && r.below(3) == 0);
  if (!unpaid) {
    if (r.below(5) == 0 && settle > doc.date) {
      const double half = money(doc.gross / 2);
      doc.payments.push_back({rt::Date(doc.date.julianDay() + (settle.julianDay() - doc.date.julianDay()) / 2), half});
      doc.payments.push_back({settle, money(doc.gross - half)});
    } else {
      doc.payments.push_back({settle, doc.gross});
    }
    return;
  }
  doc.unpaid = doc.gross;
  if (r.below(2) == 0 && doc.date < daysBefore(today, 1)) {
    const double part = money(doc.gross * r.between(30, 70) / 100.0);
    doc.payments.push_back({rt::Date(std::min(doc.date.julianDay() + r.between(0, 10), today.julianDay() - 1)), part});
    doc.unpaid = money(doc.gross - part);
  }
}

}  // namespace

std::string digits(std::uint64_t n, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*llu", width, static_cast<unsigned long long>(n));
  return buf;
}

double money(double v) { return std::round(v * 100.0) / 100.0; }

double vatRate(const std::string& code) { return std::atoi(code.c_str()) / 100.0; }

int rateSlot(const std::string& code) {
  const int n = std::atoi(code.c_str());
  return n == 23 ? 0 : n == 8 ? 1 : n == 5 ? 2 : 3;
}

Contractor contractorAt(std::uint32_t i) {
  Random r = streamOf(kContractorStream, i);
  Contractor c;
  c.number = digits(i, 5);
  c.supplier = i % 25 == 0;
  const int group = c.supplier ? 6 : r.between(1, 5);
  c.group = digits(static_cast<std::uint64_t>(group), 2);
  c.account = "0000" + std::to_string(1 + (i - 1) % 3);
  const Person owner = personOf(r);
  const std::string& surname = owner.surname;
  const std::string& first = owner.first;
  const std::string word = c.supplier ? "Zakład Produkcyjny" : kShopWords[static_cast<std::size_t>(group - 1)][static_cast<std::size_t>(r.below(3))];
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
  c.limitDraw = c.onCredit ? r.between(1, 50) * 1000.0 : 0;
  return c;
}

Contractor generalContractor() {
  Contractor c;
  c.number = "00000";
  c.group = "01";
  c.name = pl("Odbiorca detaliczny (sprzedaż gotówkowa)");
  c.shortName = "DETAL";
  c.town = pl("Poznań");
  c.postcode = "61-001";
  c.street = pl("ul. Składowa 12");
  c.account = "00000";
  return c;
}

Article articleAt(std::uint32_t j, std::uint32_t contractors) {
  if (j == 0) return remarksGoods();
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
  a.pack = a.returnable ? 1 : 12;
  if (contractors >= 25) a.supplier = digits(static_cast<std::uint64_t>(25 * (1 + j % (contractors / 25))), 5);
  return a;
}

Article remarksGoods() {
  Article a;
  a.code = "00000";
  a.name = pl("UWAGI DO ZAMÓWIENIA");
  return a;
}

std::vector<Batch> batchesOf(const Article& a, std::uint32_t j, rt::Date today) {
  Random r = streamOf(kBatchStream, j);
  const int n = a.stock == 0 ? 1 : r.between(1, 3);
  std::vector<Batch> out;
  int day = today.julianDay() - r.between(90, 300);
  double left = a.stock;
  for (int k = 0; k < n; ++k) {
    Batch b;
    b.delivered = rt::Date(day);
    b.document = "PZ/" + digits(static_cast<std::uint64_t>(j) * 4 + static_cast<std::uint64_t>(k), 6) + "/" +
                 digits(static_cast<std::uint64_t>(b.delivered.ymd().year % 100), 2);
    b.stock = k + 1 == n ? left : std::floor(left * r.between(20, 60) / 100.0);
    left -= b.stock;
    b.price = k + 1 == n ? a.purchase : money(a.purchase * (100 + r.between(-5, 5)) / 100.0);
    out.push_back(b);
    day = std::min(today.julianDay() - 1, day + r.between(5, 40));
  }
  return out;
}

Mark markOf(const Article& a, std::uint32_t j, rt::Date today) {
  Random r = streamOf(kMarkStream, j);
  const int u = r.below(100);
  if (u < 3) return {'!', daysBefore(today, r.between(0, 25))};
  if (a.stock == 0) return {'-', daysBefore(today, r.between(1, 60))};
  if (u < 6) return {'+', daysBefore(today, r.between(0, 6))};
  return {' ', daysBefore(today, r.between(31, 300))};
}

std::vector<Discount> discountsOf(std::uint32_t i, std::uint32_t goods, rt::Date today) {
  Random r = streamOf(kDiscountStream, i);
  const bool general = i == 0;
  if (!general && r.below(5) != 0) return {};
  const int n = general ? r.between(4, 6) : r.between(1, 3);
  std::vector<Discount> out;
  for (int k = 0; k < n; ++k) {
    const bool fixedPrice = general ? k % 2 == 0 : r.below(3) == 0;
    const bool limited = r.below(4) == 0;
    const std::uint32_t article = static_cast<std::uint32_t>(r.below(static_cast<int>(goods))) + 1;
    const int group = r.between(1, 8);
    const int pct = r.between(2, 15);
    Discount d;
    d.contractor = digits(i, 5);
    if (fixedPrice) {
      const Article a = articleAt(article, 0);
      d.goods = a.code;
      d.price = money(a.price1 * (100 - pct) / 100.0);
    } else {
      d.group = digits(static_cast<std::uint64_t>(group), 3);
      d.percent = pct;
    }
    if (limited) {
      d.from = daysBefore(today, 30);
      d.to = rt::Date(today.julianDay() + 60);
    }
    out.push_back(d);
  }
  return out;
}

std::string Document::year() const { return std::to_string(date.ymd().year); }
std::string Document::numberText() const { return digits(number, 5); }
std::string Document::text() const {
  return kind() + "-" + numberText() + "/" + series() + "/" + digits(static_cast<std::uint64_t>(date.ymd().year % 100), 2);
}
rt::Date Document::settled() const { return unpaid == 0 && !payments.empty() ? payments.back().date : rt::Date(); }

Documents::Documents(std::uint32_t count, std::uint32_t contractors, std::uint32_t goods, rt::Date today)
    : count_(count), today_(today) {
  buyers_.reserve(contractors + 1);
  for (std::uint32_t i = 0; i <= contractors; ++i) {
    const Contractor c = i == 0 ? generalContractor() : contractorAt(i);
    buyers_.push_back({c.paymentDays, c.priceList, c.discount});
  }
  goods_.reserve(goods + 1);
  for (std::uint32_t j = 0; j <= goods; ++j) {
    const Article a = articleAt(j, 0);
    goods_.push_back({a.purchase, a.price1, a.price2, rateSlot(a.vat)});
  }
  numbers_.reserve(count);
  std::uint32_t number = 0;
  int year = 0;
  for (std::uint32_t d = 0; d < count; ++d) {
    if (dateOf(d).ymd().year != year) year = dateOf(d).ymd().year, number = 0;
    numbers_.push_back(++number);
  }
}

rt::Date Documents::dateOf(std::uint32_t d) const {
  return rt::Date(today_.julianDay() - kDocumentDays +
                  static_cast<std::int32_t>(static_cast<std::uint64_t>(d) * kDocumentDays / count_));
}

Document Documents::at(std::uint32_t d) const {
  static constexpr double kRates[] = {0.23, 0.08, 0.05, 0};
  Document doc;
  doc.date = dateOf(d);
  doc.number = numbers_[d];
  Random pick = streamOf(kDocumentStream ^ 1, d);
  doc.contractor = static_cast<std::uint32_t>(pick.below(static_cast<int>(buyers_.size() - 1))) + 1;
  const Buyer& c = buyers_[doc.contractor];
  doc.due = rt::Date(doc.date.julianDay() + c.paymentDays);
  Random r = streamOf(kDocumentStream, d);
  const int lines = r.between(1, 9);
  for (int k = 0; k < lines; ++k) {
    const std::uint32_t j = static_cast<std::uint32_t>(r.below(static_cast<int>(goods_.size() - 1))) + 1;
    const Priced& a = goods_[j];
    Line l{j, static_cast<double>(r.between(1, 48)), c.priceList == '2' ? a.price2 : a.price1, 0};
    l.price = money(l.listNet * (1 - c.discount / 100.0));
    doc.purchase += l.quantity * a.purchase;
    doc.net[a.slot] += money(l.quantity * l.price);
    doc.lines.push_back(l);
  }
  doc.purchase = money(doc.purchase);
  for (int s = 0; s < 4; ++s) {
    doc.net[s] = money(doc.net[s]);
    doc.vat[s] = money(doc.net[s] * kRates[s]);
    doc.gross += doc.net[s] + doc.vat[s];
  }
  doc.gross = money(doc.gross);
  doc.points = static_cast<int>(doc.gross / 100);
  pay(doc, c.paymentDays, d, today_);
  return doc;
}

std::vector<ContractorTotals> totalsOf(const Documents& docs, std::uint32_t contractors) {
  std::vector<ContractorTotals> out(contractors + 1);
  for (std::uint32_t d = 0; d < docs.count(); ++d) {
    const Document doc = docs.at(d);
    ContractorTotals& t = out[doc.contractor];
    t.turnover = money(t.turnover + doc.gross);
    t.unpaid = money(t.unpaid + doc.unpaid);
    t.points += doc.points;
    if (doc.unpaid == 0) t.settledPoints += doc.points;
  }
  return out;
}

double limitOf(const Contractor& c, std::uint32_t i, const ContractorTotals& t) {
  if (!c.onCredit) return 0;
  Random r = streamOf(kLimitStream, i);
  if (r.below(30) == 0) return 0.50;
  if (t.unpaid > 0 && r.below(8) == 0) return std::max(100.0, std::floor(t.unpaid / 200) * 100);
  return c.limitDraw;
}

}  // namespace tool::demo
