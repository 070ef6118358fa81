// tools/transport/smtpsend_main.cpp — zelmoran-smtpsend, the mail sender that the program's
// mail batch files start as
//   smtpsend -fSENDER -tTO [-tTO ...] -hHOST -pPORT -iBODYFILE -luLOGIN -lpPASSWORD
//            [-aFILE ...] -sSUBJECT
// Each value follows its option without a blank; the subject is the rest of the line and
// may hold blanks. The command interpreter hands the whole tail over as one argument; given
// several, they are joined with blanks, as that interpreter would have passed them.
//
// Rules:
//   M1  an option starts where a blank is followed by "-" and one of the option names above
//       (the two-letter ones first); its value runs to the next option and is trimmed of
//       blanks, so values padded with blanks work. "-s" takes the rest of the line.
//   M2  one message goes to every recipient: the body file's text as the first part
//       (text/plain in code page 852, quoted-printable; an empty body when the file is
//       missing), then each attachment by its file name, base64.
//   M3  port 465 speaks TLS from the start; any other port upgrades with STARTTLS when the
//       server offers it. A login, when given, authenticates with a mechanism the server
//       offers.
//   M4  the exit status is 0 when the server took the message, 1 when it did not or an
//       attachment cannot be read, 2 for a command line without sender, recipient or host.
#include <curl/curl.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Mail {
  std::string from, host, port, body, login, password, subject;
  std::vector<std::string> to, attachments;
};

std::string trimmed(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

constexpr const char* kOptions[] = {"lu", "lp", "f", "t", "h", "p", "i", "a", "s"};

// The option starting at `at` (just after " -"), or "" when none does (M1).
std::string optionAt(const std::string& line, std::size_t at) {
  for (const char* o : kOptions)
    if (line.compare(at, std::char_traits<char>::length(o), o) == 0) return o;
  return {};
}

Mail parse(const std::string& tail) {
  const std::string line = " " + tail;
  Mail m;
  std::size_t at = line.find(" -");
  while (at != std::string::npos) {
    const std::string option = optionAt(line, at + 2);
    if (option.empty()) {
      at = line.find(" -", at + 1);
      continue;
    }
    const std::size_t start = at + 2 + option.size();
    std::size_t end = std::string::npos;
    if (option != "s")
      for (std::size_t next = line.find(" -", start); next != std::string::npos; next = line.find(" -", next + 1))
        if (!optionAt(line, next + 2).empty()) {
          end = next;
          break;
        }
    const std::string value = option == "s" ? trimmed(line.substr(start)) : trimmed(line.substr(start, end - start));
    if (option == "f") m.from = value;
    else if (option == "t") m.to.push_back(value);
    else if (option == "h") m.host = value;
    else if (option == "p") m.port = value;
    else if (option == "i") m.body = value;
    else if (option == "lu") m.login = value;
    else if (option == "lp") m.password = value;
    else if (option == "a") m.attachments.push_back(value);
    else m.subject = value;
    at = end;
  }
  return m;
}

// A DOS-style local name as the batch files write it (".\CONFIG.DBF") on this system.
std::string localPath(std::string name) {
  for (char& ch : name)
    if (ch == '\\') ch = '/';
  return name;
}

std::string readFile(const std::string& name) {
  std::ifstream in(localPath(name), std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string base64(const std::string& in) {
  static constexpr char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < in.size(); i += 3) {
    const unsigned n = (static_cast<unsigned char>(in[i]) << 16) |
                       (i + 1 < in.size() ? static_cast<unsigned char>(in[i + 1]) << 8 : 0) |
                       (i + 2 < in.size() ? static_cast<unsigned char>(in[i + 2]) : 0);
    out += kDigits[(n >> 18) & 63];
    out += kDigits[(n >> 12) & 63];
    out += i + 1 < in.size() ? kDigits[(n >> 6) & 63] : '=';
    out += i + 2 < in.size() ? kDigits[n & 63] : '=';
  }
  return out;
}

// The subject as a header value: ASCII as it is, anything else as an encoded word.
std::string subjectHeader(const std::string& subject) {
  for (unsigned char ch : subject)
    if (ch >= 0x80 || ch < 0x20) return "=?IBM852?B?" + base64(subject) + "?=";
  return subject;
}

std::string dateHeader() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  std::strftime(text, sizeof text, "%a, %d %b %Y %H:%M:%S %z", &local);
  return text;
}

int send(const Mail& m) {
  for (const std::string& a : m.attachments)
    if (!fs::is_regular_file(localPath(a))) {
      std::cerr << "smtpsend: cannot read the attachment " << a << "\n";
      return 1;
    }
  CURL* curl = curl_easy_init();
  const bool tls = m.port == "465";
  const std::string url = std::string(tls ? "smtps://" : "smtp://") + m.host + (m.port.empty() ? "" : ":" + m.port);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(tls ? CURLUSESSL_ALL : CURLUSESSL_TRY));
  if (!m.login.empty()) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, m.login.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m.password.c_str());
  }
  const std::string from = "<" + m.from + ">";
  curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.c_str());
  curl_slist* recipients = nullptr;
  std::string toHeader = "To: ";
  for (std::size_t i = 0; i < m.to.size(); ++i) {
    recipients = curl_slist_append(recipients, ("<" + m.to[i] + ">").c_str());
    toHeader += (i ? ", " : "") + m.to[i];
  }
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
  curl_slist* headers = nullptr;
  headers = curl_slist_append(headers, ("Date: " + dateHeader()).c_str());
  headers = curl_slist_append(headers, ("From: " + m.from).c_str());
  headers = curl_slist_append(headers, toHeader.c_str());
  headers = curl_slist_append(headers, ("Subject: " + subjectHeader(m.subject)).c_str());
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

  curl_mime* mime = curl_mime_init(curl);
  const std::string body = m.body.empty() ? std::string() : readFile(m.body);
  curl_mimepart* text = curl_mime_addpart(mime);
  curl_mime_data(text, body.data(), body.size());
  curl_mime_type(text, "text/plain; charset=IBM852");
  curl_mime_encoder(text, "quoted-printable");
  for (const std::string& a : m.attachments) {
    curl_mimepart* part = curl_mime_addpart(mime);
    curl_mime_filedata(part, localPath(a).c_str());
    curl_mime_filename(part, fs::path(localPath(a)).filename().c_str());
    curl_mime_type(part, "application/octet-stream");
    curl_mime_encoder(part, "base64");
  }
  curl_easy_setopt(curl, CURLOPT_MIMEPOST, mime);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
  const CURLcode rc = curl_easy_perform(curl);
  if (rc != CURLE_OK)
    std::cerr << "smtpsend: " << curl_easy_strerror(rc) << "\n";
  else
    std::cout << "smtpsend: message sent to " << m.to.size() << " recipient(s)\n";
  curl_mime_free(mime);
  curl_slist_free_all(headers);
  curl_slist_free_all(recipients);
  curl_easy_cleanup(curl);
  return rc == CURLE_OK ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string tail;
  for (int i = 1; i < argc; ++i) tail += (i > 1 ? " " : "") + std::string(argv[i]);
  const Mail m = parse(tail);
  if (m.from.empty() || m.to.empty() || m.host.empty()) {
    std::cerr << "usage: smtpsend -fSENDER -tTO... -hHOST -pPORT -iBODY -luLOGIN -lpPASSWORD [-aFILE...] -sSUBJECT\n";
    return 2;
  }
  curl_global_init(CURL_GLOBAL_DEFAULT);
  const int status = send(m);
  curl_global_cleanup();
  return status;
}
