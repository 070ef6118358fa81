// src/app/colour_files.hpp — the colour scheme of a run: read at start-up from the station's
// "ekran.mem" and the program folder's memory file "dorvik", written back as the defaults at
// the end of the run.
//
// Rules:
//   C1  with "ekran.mem" in the station folder its variables are restored first, the three
//       colour variables it gave are kept, "dorvik" is restored (it may hold other
//       variables), and the kept three are put back: the station's scheme wins.
//   C2  without it "dorvik" alone is restored. A file that is missing or cannot be read is
//       skipped; a malformed one changes no variable, so the colours stay as they were.
//   C3  the caller holds the STATUS table's file lock meanwhile: it serialises the reading of
//       the colour files between stations, since the end of another run may be rewriting
//       "dorvik".
//   C4  at the end of the run "dorvik" is replaced by a file of the three default colours
//       only; the station's own "ekran.mem" is not touched.
#pragma once

#include "app/station.hpp"

namespace app {

inline constexpr std::string_view kScreenColours = "W/N, N/W, N/N";
inline constexpr std::string_view kListColours = "W/N, N/W, N/N,,,,,W+/N";

void restoreColourFiles(Station& st);   // C1, C2
void writeDefaultColours(Station& st);  // C4

}  // namespace app
