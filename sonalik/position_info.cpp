#include "sonalik/position_info.h"

#include "sonalik/accent_units.h"

std::vector<SoundDescription> BuildPositionInfo(const std::vector<std::string>& list,
                                                const SoundLookup& sounds) {
  const size_t n = list.size();
  std::vector<SoundDescription> info(n);
  std::vector<int> places(n);
  for (size_t i = 0; i < n; ++i) {
    const SoundEntry* entry = sounds.Find(list[i]);
    if (!entry) return {};
    info[i] = entry->sd;
    places[i] = entry->placeClass;
  }
  MarkNeighbours(list, places, info);
  const std::vector<SoundDescription> own = info;
  MarkAccentUnits(FindAccentUnits(own, false), own, info);
  return info;
}

bool IsValidPhonemeList(const std::vector<std::string>& list, const SoundLookup& sounds) {
  if (list.size() <= 2) return false;
  std::vector<const SoundEntry*> entries(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    entries[i] = sounds.Find(list[i]);
    if (!entries[i]) return false;
  }
  // A list need not be framed by "#": the allophone rules take what lies
  // beyond either end as a phrase edge.
  for (size_t i = 1; i < entries.size(); ++i) {
    if ((entries[i - 1]->sd & Sound::None) && (entries[i]->sd & Sound::None)) return false;
  }
  return true;
}
