// tests/ui/screen_fixture.cpp — the recording device and the station of the screen tests.
#include "screen_fixture.hpp"

#include <sstream>

#include "rt/codepage.hpp"

namespace uitest {
namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

Shown capture(const con::HeadlessDevice& d) { return Shown{lines(d.text()), lines(d.attributes()), d.cursor()}; }

}  // namespace

std::string Shown::at(int r, int col, int n) const {
  const std::string cp = rt::cp852FromUtf8(row(r));
  return rt::utf8FromCp852(cp.substr(static_cast<std::size_t>(col), static_cast<std::size_t>(n)));
}

std::optional<con::KeyEvent> RecordingDevice::readKey(std::optional<con::Millis> timeout) {
  shown.push_back(capture(d_));
  return d_.readKey(timeout);
}

Station::Station() {}

Shown Station::now() const { return capture(script); }

void Station::paintPattern() {
  con.beginUpdate();
  for (int r = 0; r < con::kRows; ++r)
    for (int c = 0; c < con::kCols; ++c)
      con.writeCells(r, c, std::string(1, static_cast<char>('a' + (r * 7 + c) % 26)),
                     static_cast<con::Attr>((r * 13 + c * 5) & 0xFF));
  con.endUpdate();
  con.setColour("GR+/B,W/R");
  con.moveCursor(3, 17);
  con.setCursorShape(con::CursorShape::Insert);
}

}  // namespace uitest
