// src/access/stamp_watch.hpp — renewing the integrity stamps of the records that an
// administration screen changed. Column descriptions are data and may edit a name or a
// priority in place, so the screens do not rely on them to stamp: the watch notes, when a
// screen opens its table, the stamp each record should carry and whether it carried it;
// when the screen is left, every record whose due stamp has moved (its name, code or
// priority changed) gets the new one, if it verified when the screen opened or was added
// on the screen. A record that was already tampered with is left unverified: editing it
// on the screen does not bless a priority raised by other means.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "db/work_area.hpp"

namespace operators {

class StampWatch {
 public:
  explicit StampWatch(db::WorkArea& area);

  // Writes the new stamps, each under its record's lock; a record that cannot be locked
  // is left (it fails verification, as it would after any unfinished change). Leaves the
  // area on the record it stood on.
  void renewChanged();

 private:
  struct Seen {
    std::optional<std::string> due;
    bool verified = false;
  };
  db::WorkArea& area_;
  std::map<std::uint32_t, Seen> seen_;
  std::uint32_t lastAtStart_ = 0;
};

}  // namespace operators
