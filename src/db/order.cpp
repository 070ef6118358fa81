// src/db/order.cpp — key encoding and opening of one index of a work area.
#include "db/order.hpp"

#include "db/workspace.hpp"
#include "xbase/ntx_key.hpp"

namespace db {

Order::Order(std::string path, std::unique_ptr<xbase::NtxFile> file, Expr key, Expr condition)
    : path_(std::move(path)), file_(std::move(file)), key_(std::move(key)), condition_(std::move(condition)) {
  const auto& h = file_->header();
  keySize_ = h.keySize;
  keyDecimals_ = h.keyDecimals;
}

Order::~Order() {
  if (removeWith_ == nullptr) return;
  file_.reset();
  (void)removeWith_->remove(path_);
}

std::string Order::encode(const rt::Value& v) const { return encodeKey(v, keySize_, keyDecimals_); }

std::string encodeKey(const rt::Value& v, std::size_t size, std::size_t decimals) {
  const int n = static_cast<int>(size);
  switch (v.type()) {
    case rt::Type::Character:
    case rt::Type::Memo:
      return xbase::characterKey(v.text(), n);
    case rt::Type::Numeric:
      return xbase::numericKey(v.num(), n, static_cast<int>(decimals));
    case rt::Type::Date:
      return xbase::dateKey(v.date());
    case rt::Type::Logical:
      return xbase::logicalKey(v.logical());
    default:
      return std::string(size, ' ');
  }
}

std::string Order::searchKey(const rt::Value& v) const {
  if (v.isText()) return v.text().substr(0, keySize_);
  return encode(v);
}

base::Result<std::unique_ptr<Order>> openOrder(Workspace& ws, const std::string& path, xbase::Share share) {
  const sys::Access access = share == xbase::Share::SharedReadOnly ? sys::Access::ReadOnly : sys::Access::ReadWrite;
  const xbase::NtxUse use = share == xbase::Share::Exclusive ? xbase::NtxUse::Exclusive : xbase::NtxUse::Shared;
  auto file = xbase::NtxFile::open(ws.env(), path, access, use);
  if (!file) return file.error();
  const auto& h = (*file)->header();
  Expr key = ws.compile(h.keyExpr);
  Expr condition;
  if (!h.forExpr.empty()) condition = ws.compile(h.forExpr);
  return std::make_unique<Order>(path, std::move(*file), std::move(key), std::move(condition));
}

}  // namespace db
