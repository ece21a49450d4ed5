// The pages met by turning, in document order, each with the way it was
// built. Lines broken from a byte before the page differ from those broken
// from the page start, so a page turned to once is rebuilt the same way
// when turned to again: back after forward returns to the same start.
#pragma once

#include <cstddef>
#include <deque>

#include "platform/types.h"

struct TrailPage {
  INT start = 0;
  INT end = 0;
  // Broken backwards from `end`; otherwise forwards from `start`.
  bool backward = false;
};

class PageTrail {
 public:
  // Pages kept on each side; beyond them the turns break lines anew.
  static constexpr size_t kMostPages = 1024;

  void Clear();
  // Forgets every page but this one.
  void Restart(const TrailPage& page);
  // Null when no page is remembered there.
  const TrailPage* Current() const;
  const TrailPage* Before() const;
  const TrailPage* After() const;
  void StepForward();
  void StepBack();
  // A new page right after / before the current one becomes current; the
  // pages remembered on that side are forgotten.
  void AddAfter(const TrailPage& page);
  void AddBefore(const TrailPage& page);

 private:
  void Trim();

  std::deque<TrailPage> pages_;
  size_t current_ = 0;
};
