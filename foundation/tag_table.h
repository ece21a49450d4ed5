// The markup tag table: the tags of a text with the spans they apply to,
// kept as interval tags (non-zero size) and point tags (size 0).
//
// A tag covers position p when start <= p < start + size, the end computed in
// 64 bits. A point tag never covers a position; it is found only by the point
// queries at its exact start.
#pragma once

#include <cstddef>
#include <list>
#include <string>
#include <vector>

#include "foundation/text_token.h"
#include "platform/types.h"

struct TagRecord {
  // The markup tag's description.
  std::string desc;
  // The span of text the tag applies to.
  Interval itvl;
};

class TagTable {
 public:
  // Appends the record to the interval tags (size non-zero) or to the point
  // tags (size 0).
  void AddTag(const TagRecord& record);
  void AddTags(const TagRecord* records, size_t count);
  void Clear();
  bool IsEmpty() const { return intervalTags_.empty() && pointTags_.empty(); }

  // Removes the interval tags that end at or before p and the point tags
  // that start at or before p.
  void DropBefore(UI8 p);

  // Some interval tag covers p.
  bool IsCovered(UI8 p) const;
  // Some point tag starts at p.
  bool HasTagAt(UI8 p) const;
  // Some interval tag covering p has exactly that description.
  bool HasTagCovering(UI8 p, const std::string& desc) const;
  // Some point tag at p has exactly that description.
  bool HasTagAt(UI8 p, const std::string& desc) const;

  // Into a cleared vector, in table order: the interval tags covering p; the
  // point tags at p; both (covering tags first).
  void TagsCovering(UI8 p, std::vector<TagRecord>& out) const;
  void PointTagsAt(UI8 p, std::vector<TagRecord>& out) const;
  void TagsAt(UI8 p, std::vector<TagRecord>& out) const;
  // The same into a cleared list.
  void TagsCoveringList(UI8 p, std::list<TagRecord>& out) const;
  void PointTagsAtList(UI8 p, std::list<TagRecord>& out) const;
  void TagsAtList(UI8 p, std::list<TagRecord>& out) const;

  // The smallest position greater than p among the starts of all tags and
  // the ends of the interval tags; kNoPosition when there is none.
  UI8 NextBoundary(UI8 p) const;

  const std::vector<TagRecord>& IntervalTags() const { return intervalTags_; }
  const std::vector<TagRecord>& PointTags() const { return pointTags_; }

 private:
  std::vector<TagRecord> intervalTags_;
  std::vector<TagRecord> pointTags_;
};
