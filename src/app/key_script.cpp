// src/app/key_script.cpp — reading and playing key scripts.
#include "app/key_script.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "con/key_codes.hpp"

namespace app {

namespace {

namespace key = con::key;
using base::Errc;

constexpr con::Millis kExpectStep{20};

struct Named {
  std::string_view name;
  int code;
};
constexpr Named kNamedKeys[] = {
    {"Enter", key::kEnter}, {"Esc", key::kEsc},     {"Tab", key::kTab},     {"Backspace", key::kBackspace},
    {"Up", key::kUp},       {"Down", key::kDown},   {"Left", key::kLeft},   {"Right", key::kRight},
    {"Home", key::kHome},   {"End", key::kEnd},     {"PgUp", key::kPgUp},   {"PgDn", key::kPgDn},
    {"Ins", key::kIns},     {"Del", key::kDel},     {"Space", key::kSpace}, {"Shift+Tab", key::kShiftTab},
};

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

std::optional<int> functionKey(std::string_view name) {
  key::Mod mod = key::Mod::None;
  for (auto [prefix, m] : {std::pair{"Shift+", key::Mod::Shift}, {"Ctrl+", key::Mod::Ctrl}, {"Alt+", key::Mod::Alt}}) {
    if (startsWith(name, prefix)) {
      mod = m;
      name.remove_prefix(std::string_view(prefix).size());
      break;
    }
  }
  if (name.size() < 2 || name.size() > 3 || name[0] != 'F') return std::nullopt;
  const int n = std::atoi(std::string(name.substr(1)).c_str());
  if (n < 1 || n > 12) return std::nullopt;
  return key::function(n, mod);
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r')) s.remove_suffix(1);
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

}  // namespace

std::optional<int> keyNamed(std::string_view name) {
  for (const Named& k : kNamedKeys)
    if (k.name == name) return k.code;
  if (auto f = functionKey(name)) return f;
  if (startsWith(name, "Alt+") && name.size() == 5) return key::altLetter(name[4]);
  if (!name.empty() && name.find_first_not_of("-0123456789") == std::string_view::npos)
    return std::atoi(std::string(name).c_str());
  return std::nullopt;
}

base::Result<std::deque<ScriptStep>> parseKeyScript(std::string_view text) {
  std::deque<ScriptStep> steps;
  int lineNo = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNo;
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (trim(line).empty() || trim(line).front() == '#') continue;
    const std::size_t space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    const auto bad = [&](std::string_view why) {
      return base::Status(Errc::Invalid, "key script line " + std::to_string(lineNo) + ": " + std::string(why));
    };
    if (word == "type") {
      steps.push_back({ScriptStep::Kind::Text, 0, 0, std::string(rest)});
    } else if (word == "key") {
      const auto code = keyNamed(trim(rest));
      if (!code) return bad("unknown key \"" + std::string(trim(rest)) + "\"");
      steps.push_back({ScriptStep::Kind::Key, *code, 0, {}});
    } else if (word == "wait") {
      char* stop = nullptr;
      const std::string number(trim(rest));
      const double seconds = std::strtod(number.c_str(), &stop);
      if (number.empty() || *stop != '\0' || seconds < 0) return bad("a wait needs a number of seconds");
      steps.push_back({ScriptStep::Kind::Wait, 0, seconds, {}});
    } else if (word == "expect") {
      if (trim(rest).empty()) return bad("the awaited text is missing");
      steps.push_back({ScriptStep::Kind::Expect, 0, 0, std::string(trim(rest))});
    } else if (word == "screen" || word == "notify" || word == "await") {
      if (trim(rest).empty()) return bad("a path is missing");
      const auto kind = word == "screen"   ? ScriptStep::Kind::Screen
                        : word == "notify" ? ScriptStep::Kind::Notify
                                           : ScriptStep::Kind::Await;
      steps.push_back({kind, 0, 0, std::string(trim(rest))});
    } else {
      return bad("unknown step \"" + std::string(word) + "\"");
    }
  }
  return steps;
}

ScriptedDevice::ScriptedDevice(std::deque<ScriptStep> steps, sys::CivilTime start)
    : device_(start), steps_(std::move(steps)) {}

std::optional<con::KeyEvent> ScriptedDevice::readKey(std::optional<con::Millis> timeout) {
  // A read that only looks for a waiting key (no time to wait) never runs a step: the
  // program is not yet where the script expects it to stand.
  const bool waits = !timeout || timeout->count() > 0;
  while (waits && device_.scriptDone() && !steps_.empty()) {
    if (steps_.front().kind == ScriptStep::Kind::Expect) {
      if (!device_.shows(steps_.front().text)) {
        // Another station holds what this one waits for (the program stands behind a
        // waiting notice). Time passes here as it does for the other station, so that the
        // notice's own timing (its offer of the emergency exit) comes when it would for a
        // person; the console asks again for the rest of its wait. Nothing can change the
        // screen during an untimed read: the scripted device ends the script then.
        if (!timeout) return device_.readKey(timeout);
        const con::Millis step = std::min(*timeout, kExpectStep);
        std::this_thread::sleep_for(step);
        return device_.readKey(step);
      }
      steps_.pop_front();
      continue;
    }
    const ScriptStep step = std::move(steps_.front());
    steps_.pop_front();
    perform(step);
  }
  return device_.readKey(timeout);
}

void ScriptedDevice::perform(const ScriptStep& step) {
  switch (step.kind) {
    case ScriptStep::Kind::Key: device_.key(step.key); return;
    case ScriptStep::Kind::Text: device_.type(step.text); return;
    case ScriptStep::Kind::Wait: device_.waitSeconds(step.seconds); return;
    case ScriptStep::Kind::Expect: return;
    case ScriptStep::Kind::Screen: {
      std::ofstream out(step.text, std::ios::trunc);
      out << device_.text();
      return;
    }
    case ScriptStep::Kind::Notify: {
      std::ofstream out(step.text, std::ios::app);
      out << "ready\n";
      return;
    }
    case ScriptStep::Kind::Await: {
      std::ifstream in(step.text);
      std::string line;
      std::getline(in, line);
      return;
    }
  }
}

}  // namespace app
