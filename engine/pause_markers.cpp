#include "engine/pause_markers.h"

#include <iterator>

namespace {

struct PauseMarker {
  const char* name;
  int milliseconds;
};

// Indexed by the syntagma end mark.
constexpr PauseMarker kSyntagmaEndMarkers[] = {
    {"SENON", 450}, {"SEEX1", 375}, {"SEEX2", 375}, {"SEQU1", 450}, {"SEQU2", 450},
    {"SEST1", 525}, {"SEST2", 450}, {"SEST3", 405}, {"SEST4", 375}, {"SEST5", 180},
    {"SECO1", 450}, {"SECO2", 450}, {"SECO3", 450}, {"SECO4", 150}, {"SECO5", 150},
    {"SECO6", 150}, {"SECO7", 250}, {"SECO8", 180}};

constexpr const char* kInterWordPause = "INWOP";

}  // namespace

std::string SyntagmaEndMarker(int syntagmaEnd) {
  if (syntagmaEnd < 0 || syntagmaEnd >= static_cast<int>(std::size(kSyntagmaEndMarkers)))
    return "";
  return kSyntagmaEndMarkers[syntagmaEnd].name;
}

std::string InterWordPauseMarker() { return kInterWordPause; }

int MarkerPauseLength(float factor, const std::string& name) {
  if (name == kInterWordPause) return 0;
  for (const PauseMarker& marker : kSyntagmaEndMarkers)
    if (name == marker.name) return static_cast<int>(factor * marker.milliseconds);
  return -1;
}
