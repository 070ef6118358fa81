// src/con/headless.cpp — the scripted device: script, virtual time, recorded output.
#include "con/headless.hpp"

#include <chrono>
#include <cstdio>

#include "con/glyph.hpp"
#include "rt/codepage.hpp"

namespace con {

namespace {

constexpr Millis kIdleLimit = std::chrono::hours(1);

std::u32string codePoints(std::string_view utf8) {
  std::u32string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    ++i;
    for (; extra > 0 && i < utf8.size(); --extra, ++i) c = (c << 6) | (static_cast<unsigned char>(utf8[i]) & 0x3F);
    out += c;
  }
  return out;
}

}  // namespace

sys::CivilTime HeadlessDevice::VirtualClock::now() const {
  using namespace std::chrono;
  const sys_days day = year_month_day{year(start_.year), month(static_cast<unsigned>(start_.month)),
                                      std::chrono::day(static_cast<unsigned>(start_.day))};
  const auto t = day + hours(start_.hour) + minutes(start_.minute) + seconds(start_.second) +
                 milliseconds(start_.millisecond) + elapsed_;
  const sys_days d = floor<days>(t);
  const year_month_day ymd(d);
  const hh_mm_ss<milliseconds> hms(floor<milliseconds>(t - d));
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(hms.hours().count()),
          static_cast<int>(hms.minutes().count()), static_cast<int>(hms.seconds().count()),
          static_cast<int>(hms.subseconds().count())};
}

HeadlessDevice::HeadlessDevice(sys::CivilTime start) : clock_(start, now_) {}

HeadlessDevice& HeadlessDevice::key(int code) { return key(KeyEvent{code}); }

HeadlessDevice& HeadlessDevice::key(KeyEvent event) {
  script_.push_back(Step{event, Millis(0)});
  return *this;
}

HeadlessDevice& HeadlessDevice::keys(std::initializer_list<int> codes) {
  for (int c : codes) key(c);
  return *this;
}

HeadlessDevice& HeadlessDevice::type(std::string_view utf8) {
  for (char c : rt::cp852FromUtf8(utf8)) key(static_cast<unsigned char>(c));
  return *this;
}

HeadlessDevice& HeadlessDevice::wait(Millis d) {
  script_.push_back(Step{std::nullopt, d});
  return *this;
}

HeadlessDevice& HeadlessDevice::waitSeconds(double s) {
  return wait(Millis(static_cast<long long>(s * 1000.0 + 0.5)));
}

void HeadlessDevice::present(const Screen::Grid& grid, const Cursor& cursor) {
  shown_ = grid;
  cursor_ = cursor;
  ++presents_;
}

std::optional<KeyEvent> HeadlessDevice::readKey(std::optional<Millis> timeout) {
  Millis waited(0);
  while (!script_.empty()) {
    Step& step = script_.front();
    if (step.key) {
      const KeyEvent k = *step.key;
      script_.pop_front();
      return k;
    }
    const Millis left = timeout ? *timeout - waited : step.wait;
    if (left < step.wait) {
      step.wait -= left;
      now_ += left;
      return std::nullopt;
    }
    now_ += step.wait;
    waited += step.wait;
    script_.pop_front();
  }
  if (!timeout) throw ScriptEnded();
  const Millis left = *timeout - waited;
  now_ += left;
  idleAfterScript_ += left;
  if (idleAfterScript_ > kIdleLimit) throw ScriptEnded();
  return std::nullopt;
}

void HeadlessDevice::tone(double hertz, double ticks) {
  tones_.push_back(Tone{hertz, ticks});
  now_ += Millis(static_cast<long long>(ticks * 1000.0 / 18.2));
}

const Cell& HeadlessDevice::cell(int row, int col) const {
  return shown_[static_cast<std::size_t>(row * kCols + col)];
}

std::string HeadlessDevice::rowText(int r, int col, int width) const {
  std::string out;
  for (int c = col; c < col + width && c < kCols; ++c) appendUtf8(out, glyphOf(cell(r, c).ch));
  return out;
}

std::string HeadlessDevice::row(int r) const { return rowText(r, 0, kCols); }

std::string HeadlessDevice::text() const {
  std::string out;
  for (int r = 0; r < kRows; ++r) out += row(r) + "\n";
  return out;
}

std::string HeadlessDevice::attributes() const {
  std::string out;
  char hex[4];
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kCols; ++c) {
      std::snprintf(hex, sizeof hex, "%02X", cell(r, c).attr);
      out += hex;
    }
    out += '\n';
  }
  return out;
}

std::string HeadlessDevice::region(Rect r) const {
  Screen copy;
  copy.restore(Rect::whole(), [&] {
    std::string all;
    for (const Cell& c : shown_) {
      all += static_cast<char>(c.ch);
      all += static_cast<char>(c.attr);
    }
    return all;
  }());
  return copy.save(r);
}

std::optional<std::pair<int, int>> HeadlessDevice::find(std::string_view utf8) const {
  const std::u32string needle = codePoints(utf8);
  if (needle.empty()) return std::pair{0, 0};
  for (int r = 0; r < kRows; ++r) {
    std::u32string line;
    for (int c = 0; c < kCols; ++c) line += glyphOf(cell(r, c).ch);
    const std::size_t at = line.find(needle);
    if (at != std::u32string::npos) return std::pair{r, static_cast<int>(at)};
  }
  return std::nullopt;
}

}  // namespace con
