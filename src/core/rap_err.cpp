// src/core/rap_err.cpp — the error log entry; the table work is the store's.
#include "core/rap_err.hpp"

#include <string>

#include "base/check.hpp"
#include "store/error_log.hpp"

namespace core {

void RAP_ERR(ui::Context& c, std::string_view text, std::string_view procedure, int line) {
  ZEL_CHECK(c.tables != nullptr);
  store::appendErrorLog(*c.tables, text, store::Caller{std::string(procedure), line});
}

}  // namespace core
