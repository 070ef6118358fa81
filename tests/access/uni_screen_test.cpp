// UNI, the service command, on the scripted screen.
#include <gtest/gtest.h>

#include "access/register.hpp"
#include "access/uni.hpp"
#include "con/key_codes.hpp"
#include "ui/screen_fixture.hpp"

namespace {

using con::key::kEnter;
using con::key::kEsc;

struct Service : uitest::Station {
  Service() {
    ctx.setPublic("_HASLO", rt::Value::character("SERWIS"));
    rt.functions().add("PROBA", [this](rt::Runtime&, rt::Args&) {
      ++calls;
      return rt::Value();
    });
    rt.functions().add("ZEPSUTA", [](rt::Runtime& r, rt::Args&) {
      rt::Error e;
      e.genCode = rt::GenCode::Arg;
      e.subCode = 1;
      e.description = "Argument error";
      e.operation = "ZEPSUTA";
      return r.raise(e);
    });
    previousHookCalls = 0;
    rt.setErrorHook([this](rt::Runtime&, rt::Error&) -> std::optional<rt::Value> {
      ++previousHookCalls;
      return rt::Value();
    });
  }
  operators::AccessSeams seams;
  int calls = 0;
  int previousHookCalls = 0;
};

TEST(UNI, RunsTheNamedOperationAfterThePasswordAndShowsKONIEC) {
  for (const char* typed : {"proba", "PROBA()"}) {
    SCOPED_TRACE(typed);
    Service s;
    s.script.type("serwis").type(typed).key(kEnter).key(kEnter);
    operators::UNI(s.ctx, s.seams);
    EXPECT_EQ(s.calls, 1);
    EXPECT_NE(s.device.shown.back().row(12).find("KONIEC"), std::string::npos);
  }
}

TEST(UNI, AWrongPasswordEscOrAnEmptyNameRunNothing) {
  struct Case {
    const char* password;
    int escOrEnter;
  };
  for (const Case& k : {Case{"ZLEZLE", kEnter}, Case{"SERWIS", kEsc}, Case{"SERWIS", kEnter}}) {
    Service s;
    s.script.type(k.password).key(k.escOrEnter);
    operators::UNI(s.ctx, s.seams);
    EXPECT_EQ(s.calls, 0);
  }
}

TEST(UNI, AFailingCallIsReportedByItsOwnHandlerAndThePreviousOneComesBack) {
  Service s;
  s.script.type("SERWIS").type("ZEPSUTA").key(kEnter).key(kEnter);
  operators::UNI(s.ctx, s.seams);
  EXPECT_EQ(s.previousHookCalls, 0);
  EXPECT_NE(s.device.shown.back().row(12).find("ZEPSUTA"), std::string::npos);
  rt::Error e;
  (void)s.rt.raise(e);
  EXPECT_EQ(s.previousHookCalls, 1);
}

}  // namespace
