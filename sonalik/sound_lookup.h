// Sound descriptions as the conversions look them up. A name outside the
// inventory reads as 0; when the message level is above 0 it is also shown
// to the user, which is how rule authors find misspelt phonemes.
#pragma once

#include <atomic>
#include <string_view>

#include "sonalik/sound_inventory.h"

class SoundLookup {
 public:
  explicit SoundLookup(const SoundInventory& inventory) : inventory_(inventory) {}

  const SoundInventory& Inventory() const { return inventory_; }

  void SetMessageLevel(int level) { messageLevel_.store(level, std::memory_order_relaxed); }
  int MessageLevel() const { return messageLevel_.load(std::memory_order_relaxed); }

  // Null (and the diagnostic) for a name outside the inventory.
  const SoundEntry* Find(std::string_view name) const;
  // Index in the inventory, -1 (and the diagnostic) outside it.
  int IndexOf(std::string_view name) const;
  SoundDescription GetSD(std::string_view name) const;

 private:
  void ReportUnknown(std::string_view name) const;

  const SoundInventory& inventory_;
  std::atomic<int> messageLevel_{0};
};
