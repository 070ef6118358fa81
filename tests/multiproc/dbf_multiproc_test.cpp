// Tables shared by real processes: appends of several stations, locks seen across processes,
// share modes at open.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <set>

#include "base/bytes.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"
#include "xbase/dbf_file.hpp"

namespace {

using base::Errc;
using xbase::DbfFile;
using xbase::Share;

const sys::FixedClock kToday({2026, 1, 15});

// A forked station. The body talks to the test through two pipes: tell() sends one byte,
// hear() waits for one. The body's return value is the exit status (0 = all went as expected).
class Station {
 public:
  explicit Station(std::function<int(Station&)> body) {
    if (pipe(toChild_) != 0 || pipe(toParent_) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
      child_ = true;
      _exit(body(*this));
    }
  }
  ~Station() {
    if (pid_ > 0 && !waited_) (void)finish();
    for (int fd : {toChild_[0], toChild_[1], toParent_[0], toParent_[1]}) close(fd);
  }
  void tell(char c = '.') { (void)!write(child_ ? toParent_[1] : toChild_[1], &c, 1); }
  char hear() {
    char c = 0;
    return read(child_ ? toChild_[0] : toParent_[0], &c, 1) == 1 ? c : '\0';
  }
  int finish() {
    int status = 0;
    waitpid(pid_, &status, 0);
    waited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
  }

 private:
  int toChild_[2], toParent_[2];
  pid_t pid_ = -1;
  bool child_ = false, waited_ = false;
};

class SharedTableAcrossProcesses : public ::testing::Test {
 protected:
  void SetUp() override {
    auto t = DbfFile::create(env_, kToday, path_, {{"KOD", 'C', 10}, {"WART", 'N', 8}});
    ASSERT_TRUE(t);
    (*t)->close();
  }
  std::unique_ptr<DbfFile> open(Share share) {
    auto t = DbfFile::open(env_, kToday, path_, share);
    return t ? std::move(*t) : nullptr;
  }

  testkit::TempDir dir_;
  sys::PosixEnv env_;
  std::string path_ = dir_ / "ZAM.DBF";
};

TEST_F(SharedTableAcrossProcesses, FourStationsAppendingGetConsecutiveRecordsAndTheRightCount) {
  constexpr int kStations = 4, kEach = 2500;
  std::vector<std::unique_ptr<Station>> stations;
  for (int s = 0; s < kStations; ++s) {
    stations.push_back(std::make_unique<Station>([&, s](Station& me) {
      sys::PosixEnv env;
      auto t = DbfFile::open(env, kToday, path_, Share::Shared);
      if (!t) return 1;
      auto rec = (*t)->blankRecord();
      me.hear();  // all start together
      for (int i = 1; i <= kEach; ++i) {
        const std::string kod = "S" + std::to_string(s) + "-" + std::to_string(i);
        if (!(*t)->setValue(rec, 0, rt::Value::character(kod)).isOk()) return 2;
        if (!(*t)->setValue(rec, 1, rt::Value::number(i)).isOk()) return 2;
        auto n = (*t)->appendRecord(rec);
        if (!n) return 3;
        (*t)->unlockRecord(*n);
      }
      (*t)->close();
      return 0;
    }));
  }
  for (auto& s : stations) s->tell();
  for (auto& s : stations) EXPECT_EQ(s->finish(), 0);

  auto t = open(Share::Exclusive);
  ASSERT_TRUE(t);
  ASSERT_EQ(t->recordCount(), static_cast<std::uint32_t>(kStations * kEach));
  EXPECT_EQ(t->header().recordCount, static_cast<std::uint32_t>(kStations * kEach));
  std::set<std::string> seen;
  std::vector<std::byte> rec(t->recordLength());
  for (std::uint32_t r = 1; t->readRecord(r, rec); ++r) seen.insert(t->value(rec, 0).text());
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kStations * kEach));  // none lost, none twice
  EXPECT_TRUE(seen.contains("S3-2500   "));
}

TEST_F(SharedTableAcrossProcesses, RecordAndTableLocksExcludeAcrossProcesses) {
  {
    auto t = open(Share::Exclusive);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(t->appendBlank());
  }
  Station other([&](Station& me) {
    sys::PosixEnv env;
    auto t = DbfFile::open(env, kToday, path_, Share::Shared);
    if (!t || !(*t)->lockRecord(2).isOk()) return 1;
    me.tell();
    me.hear();  // the test tried record 2 and the table, and now holds record 3
    if (!(*t)->lockFile().is(Errc::Locked)) return 2;
    (*t)->unlockAll();
    me.tell();
    me.hear();  // the test holds the table
    if (!(*t)->lockRecord(4).is(Errc::Locked)) return 3;
    auto appended = (*t)->appendBlank();
    if (appended || !appended.error().is(Errc::Locked)) return 4;
    return 0;
  });
  auto t = open(Share::Shared);
  ASSERT_TRUE(t);
  other.hear();
  EXPECT_TRUE(t->lockRecord(2).is(Errc::Locked));
  EXPECT_TRUE(t->lockFile().is(Errc::Locked));
  ASSERT_TRUE(t->lockRecord(3).isOk());
  other.tell();
  other.hear();
  EXPECT_TRUE(t->lockFile().isOk());
  other.tell();
  EXPECT_EQ(other.finish(), 0);
  EXPECT_EQ(t->recordCount(), 5u);
}

TEST_F(SharedTableAcrossProcesses, ExclusiveOpenFailsWhileAnotherProcessHasTheTableOpen) {
  for (Share held : {Share::Shared, Share::SharedReadOnly, Share::Exclusive}) {
    SCOPED_TRACE(static_cast<int>(held));
    Station other([&](Station& me) {
      sys::PosixEnv env;
      auto t = DbfFile::open(env, kToday, path_, held);
      me.tell(t ? 'y' : 'n');
      me.hear();
      return 0;
    });
    ASSERT_EQ(other.hear(), 'y');
    auto excl = DbfFile::open(env_, kToday, path_, Share::Exclusive);
    ASSERT_FALSE(excl);
    EXPECT_TRUE(excl.error().is(Errc::Locked));
    EXPECT_EQ(static_cast<bool>(DbfFile::open(env_, kToday, path_, Share::Shared)), held != Share::Exclusive);
    other.tell();
    EXPECT_EQ(other.finish(), 0);
  }
  EXPECT_TRUE(DbfFile::open(env_, kToday, path_, Share::Exclusive));
}

}  // namespace
