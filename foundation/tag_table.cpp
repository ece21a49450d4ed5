#include "foundation/tag_table.h"

#include <algorithm>

namespace {

UI8 EndOf(const TagRecord& tag) { return EndOf(tag.itvl); }

bool Covers(const TagRecord& tag, UI8 p) { return tag.itvl.start <= p && p < EndOf(tag); }

bool StartsAt(const TagRecord& tag, UI8 p) { return tag.itvl.start == p; }

// Clears out, then appends in table order the interval tags covering p (when
// covering is set) and the point tags at p (when points is set).
template <typename Container>
void CollectTags(const TagTable& table, UI8 p, Container& out, bool covering, bool points) {
  out.clear();
  if (covering)
    for (const TagRecord& tag : table.IntervalTags())
      if (Covers(tag, p)) out.push_back(tag);
  if (points)
    for (const TagRecord& tag : table.PointTags())
      if (StartsAt(tag, p)) out.push_back(tag);
}

}  // namespace

void TagTable::AddTag(const TagRecord& record) {
  (record.itvl.size != 0 ? intervalTags_ : pointTags_).push_back(record);
}

void TagTable::AddTags(const TagRecord* records, size_t count) {
  for (size_t i = 0; i < count; ++i) AddTag(records[i]);
}

void TagTable::Clear() {
  intervalTags_.clear();
  pointTags_.clear();
}

void TagTable::DropBefore(UI8 p) {
  std::erase_if(intervalTags_, [p](const TagRecord& tag) { return EndOf(tag) <= p; });
  std::erase_if(pointTags_, [p](const TagRecord& tag) { return tag.itvl.start <= p; });
}

bool TagTable::IsCovered(UI8 p) const {
  return std::any_of(intervalTags_.begin(), intervalTags_.end(),
                     [p](const TagRecord& tag) { return Covers(tag, p); });
}

bool TagTable::HasTagAt(UI8 p) const {
  return std::any_of(pointTags_.begin(), pointTags_.end(),
                     [p](const TagRecord& tag) { return StartsAt(tag, p); });
}

bool TagTable::HasTagCovering(UI8 p, const std::string& desc) const {
  return std::any_of(intervalTags_.begin(), intervalTags_.end(), [&](const TagRecord& tag) {
    return Covers(tag, p) && tag.desc == desc;
  });
}

bool TagTable::HasTagAt(UI8 p, const std::string& desc) const {
  return std::any_of(pointTags_.begin(), pointTags_.end(), [&](const TagRecord& tag) {
    return StartsAt(tag, p) && tag.desc == desc;
  });
}

void TagTable::TagsCovering(UI8 p, std::vector<TagRecord>& out) const {
  CollectTags(*this, p, out, true, false);
}

void TagTable::PointTagsAt(UI8 p, std::vector<TagRecord>& out) const {
  CollectTags(*this, p, out, false, true);
}

void TagTable::TagsAt(UI8 p, std::vector<TagRecord>& out) const {
  CollectTags(*this, p, out, true, true);
}

void TagTable::TagsCoveringList(UI8 p, std::list<TagRecord>& out) const {
  CollectTags(*this, p, out, true, false);
}

void TagTable::PointTagsAtList(UI8 p, std::list<TagRecord>& out) const {
  CollectTags(*this, p, out, false, true);
}

void TagTable::TagsAtList(UI8 p, std::list<TagRecord>& out) const {
  CollectTags(*this, p, out, true, true);
}

UI8 TagTable::NextBoundary(UI8 p) const {
  UI8 next = kNoPosition;
  const auto consider = [&](UI8 candidate) {
    if (candidate > p && candidate < next) next = candidate;
  };
  for (const TagRecord& tag : intervalTags_) {
    consider(tag.itvl.start);
    consider(EndOf(tag));
  }
  for (const TagRecord& tag : pointTags_) consider(tag.itvl.start);
  return next;
}
