// tests/exchange/transport_test.cpp — scripts, mail lines and batch files as written, and
// their runs against real FTP and SMTP servers on the loopback address.
#include "exchange/transport.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "rt/codepage.hpp"
#include "testkit/servers.hpp"
#include "ui/screen_fixture.hpp"

namespace {

namespace fs = std::filesystem;
using exchange::FtpFile;

exchange::Programs programs() { return exchange::Programs::in(fs::path(testkit::programPath()).parent_path().string()); }

exchange::FtpAccount account(const testkit::FtpServer& server) {
  return {"127.0.0.1 " + std::to_string(server.port()), "dorvik", "ftp secret", "TALMER"};
}

void writeBytes(const fs::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

TEST(FtpScript, HasTheLinesOfTheClassicClientEndedByCrLf) {
  exchange::FtpScript s{{"ftp.example", "dorvik", "pw", "TALMER"}, "DANE_12", {{"dane_12.arj", "DANE_12.ARJ"}}, {}};
  s.files.push_back({FtpFile::Way::Put, "", "/x/DANE_12.ARJ"});
  s.files.push_back({FtpFile::Way::Get, "EWIZAM.DBF", "/x/EWIZAM.DBF"});
  EXPECT_EQ(exchange::scriptText(s),
            "open ftp.example\r\ndorvik\r\npw\r\ncd TALMER\r\ncd DANE_12\r\nrename dane_12.arj DANE_12.ARJ\r\n"
            "binary\r\nput /x/DANE_12.ARJ\r\nbinary\r\nget EWIZAM.DBF /x/EWIZAM.DBF\r\nquit\r\n");
}

TEST(MailCommandLine, PutsEachValueAfterItsOptionAndTheSubjectLast) {
  exchange::MailMessage m{"a@b.pl", "smtp.b.pl", "587", "kalvero", "pw", {"x@y.pl", "s@y.pl"}, "mail.txt",
                          {"/w/DANE_01.ARJ"}, "Dane handlowe PH 01"};
  EXPECT_EQ(exchange::mailCommandLine(m),
            "smtpsend -fa@b.pl -tx@y.pl -ts@y.pl -hsmtp.b.pl -p587 -imail.txt -lukalvero -lppw -a/w/DANE_01.ARJ "
            "-sDane handlowe PH 01");
  EXPECT_EQ(exchange::batchText("ftp -s:fsent.scr"), "cls\r\nftp -s:fsent.scr\r\n");
}

TEST(Transport, RefusesValuesThatWouldChangeAScriptOrACommandLine) {
  struct Case {
    exchange::FtpAccount account;
    std::string folder;
  };
  const Case cases[] = {
      {{"host\r\nget x", "u", "p", "P"}, "DANE_01"},   {{"host", "u\nquit", "p", "P"}, "DANE_01"},
      {{"host", "u", "p\r\ndelete x", "P"}, "DANE_01"}, {{"host", "u", "p", "a b"}, "DANE_01"},
      {{"host;rm", "u", "p", "P"}, "DANE_01"},          {{"", "u", "p", "P"}, "DANE_01"},
      {{"host 21x", "u", "p", "P"}, "DANE_01"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.account.host + "|" + c.account.login + "|" + c.account.path);
    EXPECT_FALSE(exchange::checkSettings(exchange::FtpScript{c.account, c.folder, {}, {}}));
  }
  EXPECT_TRUE(exchange::checkSettings(exchange::FtpScript{{"127.0.0.1 2121", "u", "p w", "P"}, "DANE_01", {}, {}}));
  exchange::MailMessage m{"a@b.pl", "h", "587", "u", "p -a/etc/passwd", {"x@y.pl"}, "mail.txt", {}, "S"};
  EXPECT_FALSE(exchange::checkSettings(m));
  m.password = "pw";
  m.to = {"x@y.pl -a/etc/passwd"};
  EXPECT_FALSE(exchange::checkSettings(m));
}

TEST(Transport, UploadsAndDownloadsThroughTheFtpProgramAndRemovesTheScript) {
  testkit::FtpServer server("dorvik", "ftp secret");
  fs::create_directories(server.root() / "TALMER" / "DANE_07");
  uitest::Station st;
  const std::string package(70000, '\x5a');
  writeBytes(st.dir / "DANE_07.ARJ", package + "end");
  exchange::Transport t(st.ctx, programs());

  exchange::FtpScript up{account(server), "DANE_07", {}, {{FtpFile::Way::Put, "", (st.dir / "DANE_07.ARJ").string()}}};
  ASSERT_TRUE(t.runFtp("fsent.bat", "fsent.scr", up));
  EXPECT_EQ(testkit::readFile(server.root() / "TALMER" / "DANE_07" / "DANE_07.ARJ"), package + "end");
  EXPECT_FALSE(fs::exists(st.dir / "fsent.scr"));
  EXPECT_EQ(testkit::readFile(st.dir / "fsent.bat"), "cls\r\nftp -s:fsent.scr\r\n");

  fs::create_directory(st.dir / "IN");
  exchange::FtpScript down{account(server), "DANE_07", {}, {}};
  down.files = {{FtpFile::Way::Get, "DANE_07.ARJ", (st.dir / "IN" / "DANE_07.ARJ").string()},
                {FtpFile::Way::Get, "MISSING.ARJ", (st.dir / "IN" / "MISSING.ARJ").string()}};
  ASSERT_TRUE(t.runFtp("fread.bat", "fread.scr", down));
  EXPECT_EQ(testkit::readFile(st.dir / "IN" / "DANE_07.ARJ"), package + "end");
  EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(st.dir / "IN"), {}).size(), 1u);  // no trace of the missing one
}

TEST(Transport, AWrongPasswordOrFolderLeavesNoLocalFile) {
  testkit::FtpServer server("dorvik", "ftp secret");
  fs::create_directories(server.root() / "TALMER" / "DANE_07");
  writeBytes(server.root() / "TALMER" / "DANE_07" / "DANE_07.ARJ", "data");
  uitest::Station st;
  exchange::Transport t(st.ctx, programs());
  exchange::FtpAccount wrong = account(server);
  wrong.password = "nope";
  ASSERT_TRUE(t.runFtp("fread.bat", "fread.scr",
                       {wrong, "DANE_07", {}, {{FtpFile::Way::Get, "DANE_07.ARJ", (st.dir / "A.ARJ").string()}}}));
  EXPECT_FALSE(fs::exists(st.dir / "A.ARJ"));
  ASSERT_TRUE(t.runFtp("fread.bat", "fread.scr",
                       {account(server), "DANE_08", {}, {{FtpFile::Way::Get, "DANE_07.ARJ", (st.dir / "B.ARJ").string()}}}));
  EXPECT_FALSE(fs::exists(st.dir / "B.ARJ"));  // the folder change failed, so the file is not found
}

TEST(Transport, RenamesBeforeTheTransfers) {
  testkit::FtpServer server("dorvik", "ftp secret");
  fs::create_directories(server.root() / "TALMER" / "DANE_03");
  writeBytes(server.root() / "TALMER" / "DANE_03" / "ewizam.dbf", "orders");
  uitest::Station st;
  exchange::Transport t(st.ctx, programs());
  exchange::FtpScript s{account(server), "DANE_03", {{"ewizam.dbf", "EWIZAM.DBF"}},
                        {{FtpFile::Way::Get, "EWIZAM.DBF", (st.dir / "EWIZAM.DBF").string()}}};
  ASSERT_TRUE(t.runFtp("freadz.bat", "freadz.scr", s));
  EXPECT_EQ(testkit::readFile(st.dir / "EWIZAM.DBF"), "orders");
}

TEST(Transport, SendsOneMailWithBodyAndAttachmentToEveryRecipientAndRemovesTheBatch) {
  testkit::SmtpServer server("kalvero", "mail secret");
  uitest::Station st;
  std::string package;
  for (int i = 0; i < 5000; ++i) package += static_cast<char>(i * 7 % 256);
  writeBytes(st.dir / "DANE_01.ARJ", package);
  exchange::Transport t(st.ctx, programs());
  exchange::MailMessage m{"centrala@talmer.pl", "127.0.0.1", std::to_string(server.port()), "kalvero", "mail secret",
                          {"ph01@talmer.pl", "serwis@dorvik.pl"}, "mail.txt", {(st.dir / "DANE_01.ARJ").string()},
                          "Dane handlowe PH 01"};
  ASSERT_TRUE(t.sendMail("msent.bat", "mail.txt", {"Dane handlowe : PH 01", "Data i godzina"}, m));
  EXPECT_FALSE(fs::exists(st.dir / "msent.bat"));
  EXPECT_EQ(testkit::readFile(st.dir / "mail.txt"), "Dane handlowe : PH 01\r\nData i godzina\r\n");
  const auto mails = server.messages();
  ASSERT_EQ(mails.size(), 1u);
  EXPECT_EQ(mails[0].from, "centrala@talmer.pl");
  EXPECT_EQ(mails[0].to, (std::vector<std::string>{"ph01@talmer.pl", "serwis@dorvik.pl"}));
  EXPECT_EQ(mails[0].login, "kalvero");
  EXPECT_EQ(mails[0].subject, "Dane handlowe PH 01");
  EXPECT_EQ(mails[0].body, "Dane handlowe : PH 01\r\nData i godzina\r\n");
  ASSERT_EQ(mails[0].attachments.count("DANE_01.ARJ"), 1u);
  EXPECT_EQ(mails[0].attachments.at("DANE_01.ARJ"), package);
}

TEST(Transport, AMailWithAWrongPasswordIsNotDelivered) {
  testkit::SmtpServer server("kalvero", "mail secret");
  uitest::Station st;
  exchange::Transport t(st.ctx, programs());
  exchange::MailMessage m{"c@t.pl", "127.0.0.1", std::to_string(server.port()), "kalvero", "wrong", {"p@t.pl"},
                          "mail.txt", {}, "S"};
  ASSERT_TRUE(t.sendMail("msent.bat", "mail.txt", {"x"}, m));
  EXPECT_TRUE(server.messages().empty());
  EXPECT_FALSE(fs::exists(st.dir / "msent.bat"));
}

}  // namespace
