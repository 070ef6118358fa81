// src/base/result.hpp — Result<T>: a value or the Status saying why there is none.
// Shaped like std::expected<T, Status> so that it can become an alias of it later.
#pragma once

#include <utility>
#include <variant>

#include "base/check.hpp"
#include "base/status.hpp"

namespace base {

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : v_(std::move(value)) {}                      // NOLINT: implicit by design
  Result(Status error) : v_(std::move(error)) {                   // NOLINT: implicit by design
    ZEL_CHECK(!std::get<Status>(v_).isOk());
  }

  bool has_value() const { return v_.index() == 0; }
  explicit operator bool() const { return has_value(); }

  T& value() & { return checked(); }
  const T& value() const& { return const_cast<Result*>(this)->checked(); }
  T&& value() && { return std::move(checked()); }
  T& operator*() & { return checked(); }
  const T& operator*() const& { return const_cast<Result*>(this)->checked(); }
  T* operator->() { return &checked(); }
  const T* operator->() const { return &const_cast<Result*>(this)->checked(); }

  const Status& error() const {
    ZEL_CHECK(!has_value());
    return std::get<Status>(v_);
  }
  Status status() const { return has_value() ? Status::ok() : error(); }

 private:
  T& checked() {
    ZEL_CHECK(has_value());
    return std::get<0>(v_);
  }
  std::variant<T, Status> v_;
};

}  // namespace base
