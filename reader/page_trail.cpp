#include "reader/page_trail.h"

void PageTrail::Clear() {
  pages_.clear();
  current_ = 0;
}

void PageTrail::Restart(const TrailPage& page) {
  pages_.assign(1, page);
  current_ = 0;
}

const TrailPage* PageTrail::Current() const { return pages_.empty() ? nullptr : &pages_[current_]; }

const TrailPage* PageTrail::Before() const {
  return pages_.empty() || current_ == 0 ? nullptr : &pages_[current_ - 1];
}

const TrailPage* PageTrail::After() const {
  return current_ + 1 < pages_.size() ? &pages_[current_ + 1] : nullptr;
}

void PageTrail::StepForward() {
  if (current_ + 1 < pages_.size()) ++current_;
}

void PageTrail::StepBack() {
  if (current_ > 0) --current_;
}

void PageTrail::AddAfter(const TrailPage& page) {
  if (pages_.empty()) return Restart(page);
  pages_.erase(pages_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, pages_.end());
  pages_.push_back(page);
  ++current_;
  Trim();
}

void PageTrail::AddBefore(const TrailPage& page) {
  if (pages_.empty()) return Restart(page);
  pages_.erase(pages_.begin(), pages_.begin() + static_cast<std::ptrdiff_t>(current_));
  pages_.push_front(page);
  current_ = 0;
  Trim();
}

void PageTrail::Trim() {
  while (current_ > kMostPages) {
    pages_.pop_front();
    --current_;
  }
  while (pages_.size() - current_ > kMostPages + 1) pages_.pop_back();
}
