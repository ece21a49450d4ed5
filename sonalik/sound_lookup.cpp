#include "sonalik/sound_lookup.h"

#include <string>

#include "foundation/code_pages.h"
#include "platform/message_box.h"

int SoundLookup::IndexOf(std::string_view name) const {
  int index = inventory_.IndexOf(name);
  if (index < 0) ReportUnknown(name);
  return index;
}

const SoundEntry* SoundLookup::Find(std::string_view name) const {
  int index = IndexOf(name);
  return index < 0 ? nullptr : &inventory_.At(index);
}

SoundDescription SoundLookup::GetSD(std::string_view name) const {
  const SoundEntry* entry = Find(name);
  return entry ? entry->sd : 0;
}

void SoundLookup::ReportUnknown(std::string_view name) const {
  if (MessageLevel() <= 0) return;
  std::string text = "Unknown phoneme " + std::string(name) + " in GetSD";
  MessageBoxW(nullptr, NarrowToWide(text).c_str(), u"Phonetic Module", MB_OK | MB_ICONSTOP);
}
