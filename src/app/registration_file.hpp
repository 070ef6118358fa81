// src/app/registration_file.hpp — the station's registration file "FLAGA" (TEST_WEJ): who
// works at the station folder, held open for the whole run so that a second run of the
// program on the same station is refused.
//
// The file holds _OPERATOR + " " + today (dd.mm.yy) + " " + hh:mm. Its mere existence means
// nothing (a run killed on the way leaves it behind); what marks a busy station is the hold
// of a running program on it.
//
// Sharing on Linux. The station folder's files are opened by programs that ask for classic
// sharing modes; here they map onto a whole-file lock (flock, or a byte lock on network
// file systems, see sys::File::lockWhole) taken on the open file:
//   "exclusive open"          open read-write + exclusive lock, no wait: fails while any
//                             other run holds the file;
//   "read-write, deny write"  the same exclusive lock, kept for the run: no other run can
//                             have it exclusively or write-share it, while plain readers
//                             can still read who works there;
//   "read-only, deny none"    open read-only without a lock.
// The exclusive try and the registration use one open file and one lock, so no other run
// can slip in between them.
//
// Rules:
//   R1  a refused station ends the program after its message, logged with RAP_ERR; the
//       file of the run that holds the station is never touched.
//   R2  release() closes the file and then deletes it, only while this run holds it.
//   R3  removeIfUnheld() deletes a FLAGA that no running program holds, and leaves a held
//       one alone (a failed login of a second run must not unregister the first).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "sys/env.hpp"

namespace app {

struct Station;

// A two-digit code of the classic operating system for a failure ("Blad DOS numer 32").
int dosErrorCode(const base::Status& s);

class RegistrationFile {
 public:
  RegistrationFile() = default;
  RegistrationFile(const RegistrationFile&) = delete;
  RegistrationFile& operator=(const RegistrationFile&) = delete;

  bool held() const { return file_ != nullptr; }
  void hold(std::unique_ptr<sys::File> file, std::string path);
  void release(sys::Env& env);  // R2
  void close();                 // closes without deleting (an early end of the run)

 private:
  std::unique_ptr<sys::File> file_;
  std::string path_;
};

// The registration text: code + " " + dd.mm.yy + " " + hh:mm.
std::string registrationText(std::string_view operatorCode, int year, int month, int day, int hour, int minute);

// TEST_WEJ: registers the operator in the station folder. Ends the program (store::ProgramEnd)
// with its message when the station cannot be had.
void TEST_WEJ(Station& st);

// R3 for _SC + "FLAGA".
void removeIfUnheld(sys::Env& env, const std::string& path);

}  // namespace app
