// The Russian phoneme inventory: every name with its sound description,
// phoneme code, viseme code and (for plosives) place class. Built once when
// the phonetics object is constructed and only read afterwards.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"
#include "sonalik/sound_description.h"

struct SoundEntry {
  std::string name;
  SoundDescription sd = 0;
  INT phonemeCode = 0;  // position in name order, from 1
  INT visemeCode = 0;   // 0 for a name without a viseme
  int placeClass = 0;   // 1 dental, 2 velar, 3 labial plosive; 0 otherwise
};

class SoundInventory {
 public:
  SoundInventory();
  SoundInventory(const SoundInventory&) = delete;
  SoundInventory& operator=(const SoundInventory&) = delete;

  // Null for a name outside the inventory.
  const SoundEntry* Find(std::string_view name) const;
  // Index in name order, -1 for a name outside the inventory.
  int IndexOf(std::string_view name) const;
  const SoundEntry& At(int index) const { return entries_[index]; }
  int Size() const { return static_cast<int>(entries_.size()); }

  // 0 for a name outside the inventory.
  SoundDescription GetSD(std::string_view name) const;
  INT PhonemeCode(std::string_view name) const;
  INT VisemeCode(std::string_view name) const;
  // The name whose phoneme code is the given one, null for none.
  const SoundEntry* ByPhonemeCode(INT code) const;

  // Every entry in name (byte) order.
  std::span<const SoundEntry> Entries() const { return entries_; }

 private:
  std::vector<SoundEntry> entries_;
  // Every name is at most four bytes; packed big-endian into an integer it
  // keeps its byte order, so lookups compare integers, not strings.
  std::vector<uint32_t> keys_;
};
