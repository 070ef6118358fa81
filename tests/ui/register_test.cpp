// tests/ui/register_test.cpp — the screen framework's routines are callable by name.
#include <gtest/gtest.h>

#include <vector>

#include "rt/runtime.hpp"
#include "testkit/call.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"
#include "ui/register.hpp"

namespace {

using testkit::call;

TEST(RegisterUi, WithoutFilesTheFileRoutinesAreLeftOut) {
  rt::Runtime rt;
  ui::registerUi(rt.functions());
  EXPECT_EQ(call(rt, "trans0", {rt::Value::integer(5), rt::Value::integer(3)}).text(), "005");
  EXPECT_EQ(call(rt, "LICZBA", {rt::Value::integer(12)}).text(), "12");
  EXPECT_EQ(call(rt, "TAKNIE", {rt::Value::character("T")}).text(), "TAK");
  EXPECT_FALSE(rt.functions().contains("ZAPISZTAB"));
  EXPECT_THROW(call(rt, "TRANS0", {rt::Value::character("5"), rt::Value::integer(3)}), rt::RuntimeError);
}

TEST(RegisterUi, TheFileRoutinesUseTheGivenFolder) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  sys::PathResolver paths(env, dir.path().string());
  rt::Runtime rt;
  ui::registerUi(rt.functions(), env, paths);
  rt::Value list = rt::Value::newArray();
  list.array()->push_back(rt::Value::integer(7));
  EXPECT_TRUE(call(rt, "ZAPISZTAB", {rt::Value::character("T.TXT"), list}).logical());
  EXPECT_EQ(testkit::readFile(dir / "T.TXT"), "{7}");
  EXPECT_EQ(call(rt, "CZYTAJTAB", {rt::Value::character("T.TXT")}).array()->at(0).num(), 7);
}

}  // namespace
