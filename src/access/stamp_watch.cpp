// src/access/stamp_watch.cpp — stamps renewed for the records a screen changed.
#include "access/stamp_watch.hpp"

#include "access/stamp.hpp"

namespace operators {

StampWatch::StampWatch(db::WorkArea& area) : area_(area) {
  const std::uint32_t keep = area.recno();
  lastAtStart_ = area.lastRec();
  for (std::uint32_t r = 1; r <= lastAtStart_; ++r) {
    area.goTo(r);
    seen_[r] = Seen{expectedStamp(area), verifiesStamp(area)};
  }
  area.goTo(keep);
}

void StampWatch::renewChanged() {
  const std::uint32_t keep = area_.recno();
  const std::uint32_t last = area_.lastRec();
  for (std::uint32_t r = 1; r <= last; ++r) {
    area_.goTo(r);
    const std::optional<std::string> due = expectedStamp(area_);
    if (!due || area_.deleted()) continue;
    const auto before = seen_.find(r);
    const bool added = before == seen_.end();
    if (!added && (!before->second.verified || before->second.due == due)) continue;
    if (!added || !verifiesStamp(area_)) {
      if (!area_.lockRecord(r)) continue;
      if (writeStamp(area_)) area_.commit();
      area_.unlockRecord(r);
    }
  }
  area_.goTo(keep);
}

}  // namespace operators
