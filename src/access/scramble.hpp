// src/access/scramble.hpp — the scrambling of passwords and integrity stamps, and its key.
// Everything that hides or reveals a password or builds a stamp goes through here; nothing
// else knows the key.
//
// Rules the scrambling keeps (tests check them one for one):
//   S1  symmetric: scramble(scramble(t)) == t for every text t;
//   S2  length-preserving: byte i of the result depends on byte i of the input and on i only;
//   S3  storable: a byte that may stand in a CP852 character field (a blank, the printable
//       ASCII bytes, 0x80..0xFF) becomes such a byte again, never NUL, a control byte or DEL;
//       any other byte is left as it is;
//   S4  keyed: the key is six characters, five capital letters and a blank, used again from
//       its start for texts longer than six.
#pragma once

#include <string>
#include <string_view>

namespace operators {

// The one key of passwords and stamps.
inline constexpr std::string_view kScrambleKey = "KARBO ";

// The scrambled (or, applied again, the plain) form of `text`.
std::string scramble(std::string_view text);

// A typed or stored password as it is compared: upper case (CP852), cut or blank-padded to
// six characters.
std::string normalisePassword(std::string_view typed);

}  // namespace operators
