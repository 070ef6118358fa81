// tools/zelmoran-tool/demo_data.hpp — the made-up wholesaler as data: its contractors, its
// goods with their delivery batches, its discounts and its sales documents with their
// payments, each drawn on demand from its number. Not here: writing them into tables
// (demo_company, invoicing_folder).
//
// Rules:
//   M1  deterministic: every contractor, article, batch, discount and document is a pure
//       function of its number (its own random stream), so one can be drawn again anywhere
//       without keeping the others in memory, and the same scale and date give the same data.
//   M2  documents run over the 360 days before the date, in date order, numbered from 1 in
//       each year. A document unpaid or paid in part lies within the last 45 days.
//   M3  contractor 0 is the general contractor "00000" of head office; contractors 1..n
//       belong to accounts 00001..00003 in turn. Article 0 is the pseudo-goods "00000" of
//       order remarks, which is never sold.
//   M4  the stock of an article is the sum of its batches' stock; a contractor's turnover,
//       balance and loyalty points are sums over his documents (ContractorTotals).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rt/date.hpp"

namespace tool::demo {

struct Contractor {
  std::string number, group, taxId, name, name2, shortName, postcode, town, street, phone, account, chief, clerk, mail;
  char priceList = '1';
  double discount = 0;
  double limitDraw = 0;  // the credit limit before the balance is known (see limitOf)
  int paymentDays = 0;
  bool onCredit = false;
  bool supplier = false;
};
Contractor contractorAt(std::uint32_t i);

struct Article {
  std::string code, name, description, group, unit, vat, supplier;
  double purchase = 0, price1 = 0, price2 = 0, price3 = 0, stock = 0, minimum = 0, barcode = 0, pack = 0;
  bool returnable = false;
};
Article articleAt(std::uint32_t j, std::uint32_t contractors);

// A delivery batch of an article in the head-office warehouse.
struct Batch {
  std::string document;  // the delivery note
  rt::Date delivered;
  double stock = 0, price = 0;
};
std::vector<Batch> batchesOf(const Article& a, std::uint32_t j, rt::Date today);

// The availability mark of an article and the date it was set: "!" new, "+" back in stock,
// "-" out of stock, " " otherwise.
struct Mark {
  char status = ' ';
  rt::Date since;
};
Mark markOf(const Article& a, std::uint32_t j, rt::Date today);

struct Discount {
  std::string contractor, group, goods;
  double price = 0, percent = 0;
  rt::Date from, to;
};
// The discounts of contractor i (0: the rows for every contractor).
std::vector<Discount> discountsOf(std::uint32_t i, std::uint32_t goods, rt::Date today);

struct Line {
  std::uint32_t article = 0;
  double quantity = 0, listNet = 0, price = 0;  // the net list price and the net sale price
};

struct Payment {
  rt::Date date;
  double amount = 0;
};

struct Document {
  std::uint32_t contractor = 0;
  std::uint32_t number = 0;  // within its year
  rt::Date date, due;
  std::vector<Line> lines;
  double purchase = 0;
  double net[4] = {0, 0, 0, 0};  // by VAT rate: 23, 8, 5 and exempt/0
  double vat[4] = {0, 0, 0, 0};
  double gross = 0;              // nets and VAT amounts, each to 2 decimals
  double unpaid = 0;             // what is still due
  std::vector<Payment> payments;  // in date order
  int points = 0;                // loyalty points, one per 100 of the gross value

  std::string kind() const { return "FV"; }
  std::string series() const { return "01"; }
  std::string year() const;
  std::string numberText() const;  // five digits
  std::string text() const;        // "FV-00012/01/26", as the program stores it
  rt::Date settled() const;        // the last payment of a settled document; empty otherwise
};

// The whole run of documents: how many, and document d (0-based) by itself. What pricing
// needs of every contractor and article is drawn once, up front.
class Documents {
 public:
  Documents(std::uint32_t count, std::uint32_t contractors, std::uint32_t goods, rt::Date today);
  std::uint32_t count() const { return count_; }
  Document at(std::uint32_t d) const;

 private:
  struct Buyer {
    int paymentDays;
    char priceList;
    double discount;
  };
  struct Priced {
    double purchase, price1, price2;
    int slot;
  };
  rt::Date dateOf(std::uint32_t d) const;
  std::uint32_t count_;
  rt::Date today_;
  std::vector<Buyer> buyers_;           // by contractor number
  std::vector<Priced> goods_;           // by article number
  std::vector<std::uint32_t> numbers_;  // the number within its year of each document
};

// M4: what a contractor's documents add up to.
struct ContractorTotals {
  double turnover = 0, unpaid = 0;
  int points = 0, settledPoints = 0;
};
std::vector<ContractorTotals> totalsOf(const Documents& docs, std::uint32_t contractors);

// The credit limit of a contractor once his balance is known: 0 none; a few are blocked by
// head office (0.50) and a few are over their limit.
double limitOf(const Contractor& c, std::uint32_t i, const ContractorTotals& t);

// The general contractor of head office.
Contractor generalContractor();
// The pseudo-goods that carries the remarks of an order.
Article remarksGoods();

std::string digits(std::uint64_t n, int width);
double money(double v);  // to 2 decimals
double vatRate(const std::string& code);  // "23" -> 0.23, "zw" -> 0
int rateSlot(const std::string& code);    // 0 for 23 %, 1 for 8 %, 2 for 5 %, 3 otherwise

}  // namespace tool::demo
