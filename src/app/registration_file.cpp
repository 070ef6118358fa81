// src/app/registration_file.cpp — FLAGA: registering the operator at the station, refusing a
// second run on it, and letting it go at the end of the run.
#include "app/registration_file.hpp"

#include <cstdio>
#include <vector>

#include "app/station.hpp"
#include "core/program_vars.hpp"
#include "rt/codepage.hpp"
#include "store/error_log.hpp"

namespace app {

namespace {

using namespace rt::literals;
using base::Errc;

constexpr std::size_t kShownLength = 18;  // operator, date and time as the holder wrote them

std::string twoDigits(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02d", n % 100);
  return buf;
}

std::string errorLine(const base::Status& s) { return "Blad DOS numer " + twoDigits(dosErrorCode(s)); }

// The station cannot be had: the message, its line in the error log, the end of the run.
[[noreturn]] void refuse(Station& st, const std::string& text, const std::string& second, int line) {
  st.message(text, second);
  store::appendErrorLog(st.tables, second.empty() ? text : text + " " + second, {"TEST_WEJ", line});
  throw store::ProgramEnd(0);
}

// Reads who holds the station; the file is opened without any lock, as a plain reader.
[[noreturn]] void refuseBusy(Station& st, const std::string& path) {
  const std::string busy = "Katalog roboczy " + core::NUMER_STAN(st.rt) + " zajety.";
  auto reader = st.env.open(path, sys::Access::ReadOnly);
  if (!reader) refuse(st, busy + " Nieudane otwarcie pliku rejestracji.", errorLine(reader.error()), __LINE__);
  std::vector<std::byte> bytes(kShownLength);
  auto n = (*reader)->readAt(0, bytes);
  if (!n) refuse(st, busy + " Nieudany odczyt pliku rejestracji.", errorLine(n.error()), __LINE__);
  const std::string holder(reinterpret_cast<const char*>(bytes.data()), *n);
  refuse(st, busy, "Operator : " + holder, __LINE__);
}

}  // namespace

int dosErrorCode(const base::Status& s) {
  switch (s.code()) {
    case Errc::Ok: return 0;
    case Errc::NotFound: return 2;   // file not found
    case Errc::Locked: return 32;    // sharing violation
    case Errc::Refused:
    case Errc::Invalid: return 5;    // access denied
    case Errc::Exists: return 80;    // file exists
    default: return 29;              // write fault
  }
}

void RegistrationFile::hold(std::unique_ptr<sys::File> file, std::string path) {
  file_ = std::move(file);
  path_ = std::move(path);
}

void RegistrationFile::release(sys::Env& env) {
  if (!file_) return;
  // Deleted while still held, so that no other run can take the file between the two.
  (void)env.remove(path_);
  close();
}

void RegistrationFile::close() {
  file_.reset();
  path_.clear();
}

std::string registrationText(std::string_view operatorCode, int year, int month, int day, int hour, int minute) {
  return std::string(operatorCode) + " " + twoDigits(day) + "." + twoDigits(month) + "." + twoDigits(year) + " " +
         twoDigits(hour) + ":" + twoDigits(minute);
}

void removeIfUnheld(sys::Env& env, const std::string& path) {
  if (!env.exists(path)) return;
  auto file = env.open(path, sys::Access::ReadWrite);
  if (!file) return;
  if (!(*file)->lockWhole(sys::LockKind::Exclusive, sys::Wait::No)) return;
  (void)env.remove(path);
}

void TEST_WEJ(Station& st) {
  const std::string path = st.paths.resolve(core::SC_(st.rt) + "FLAGA");
  const bool existed = st.env.exists(path);
  auto file = st.env.open(path, sys::Access::ReadWrite, sys::Creation::OpenOrCreate);
  if (!file) {
    if (!st.env.exists(path)) refuse(st, "Nieudana próba inicjacji katalogu roboczego !"_pl, "", __LINE__);
    const std::string text = "Nieudane otwarcie pliku rejestracji użytkownika."_pl;
    const std::string line = errorLine(file.error());
    st.message(text, line);
    store::appendErrorLog(st.tables, text + " " + line, {"TEST_WEJ", __LINE__});
    removeIfUnheld(st.env, path);
    throw store::ProgramEnd(0);
  }
  const base::Status lock = (*file)->lockWhole(sys::LockKind::Exclusive, sys::Wait::No);
  if (!lock) {
    file->reset();
    if (existed || lock.is(Errc::Locked)) refuseBusy(st, path);
    refuse(st, "Nieudane otwarcie pliku rejestracji użytkownika."_pl, errorLine(lock), __LINE__);
  }
  const sys::CivilTime now = st.clock.now();
  const std::string text = registrationText(core::OPERATOR_(st.rt), now.year, now.month, now.day, now.hour, now.minute);
  base::Status written = (*file)->truncate(0);
  if (written) written = (*file)->writeAt(0, std::as_bytes(std::span(text.data(), text.size())));
  if (written) written = (*file)->sync();
  if (!written) {
    const std::string message = "Nieudana rejestracja użytkownika."_pl;
    const std::string line = errorLine(written);
    st.message(message, line);
    store::appendErrorLog(st.tables, message + " " + line, {"TEST_WEJ", __LINE__});
    (void)st.env.remove(path);
    throw store::ProgramEnd(0);
  }
  st.flag.hold(std::move(*file), path);
}

}  // namespace app
