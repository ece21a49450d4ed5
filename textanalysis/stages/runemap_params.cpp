#include "textanalysis/stages/runemap_params.h"

#include "interfaces/runemap.h"

namespace {

bool IsTrimmed(char c) { return c == ' ' || c == '\t' || c == '\n'; }

}  // namespace

std::vector<I1> MakeRunemapParams(const std::vector<std::string>& parts, INT mainStress,
                                  const std::vector<INT>& secondary, bool opensSyntagma,
                                  bool closesSyntagma) {
  // Where each letter of the concatenated texts lands in the converter's
  // word; -1 for a trimmed one.
  std::vector<INT> letterAt;
  INT letters = 0;
  INT partCount = 0;
  for (const std::string& part : parts) {
    size_t first = 0;
    size_t end = part.size();
    while (first < end && IsTrimmed(part[first])) ++first;
    while (end > first && IsTrimmed(part[end - 1])) --end;
    for (size_t i = 0; i < part.size(); ++i)
      letterAt.push_back(i >= first && i < end ? letters + static_cast<INT>(i - first) : -1);
    if (end > first) {
      letters += static_cast<INT>(end - first);
      ++partCount;
    }
  }
  // A word of no letters still gets the size the converter expects for one
  // empty part, which it rejects on its own.
  std::vector<I1> params(static_cast<size_t>(RunemapParamsSize(letters, partCount)), 0);
  const auto mapped = [&](INT index) {
    return index >= 0 && static_cast<size_t>(index) < letterAt.size() ? letterAt[index] : -1;
  };
  if (const INT at = mapped(mainStress); at >= 0) params[at] = 1;
  for (INT index : secondary)
    if (const INT at = mapped(index); at >= 0) params[letters + at] = 1;
  params[2 * letters] = opensSyntagma ? 1 : 0;
  params[2 * letters + 1] = closesSyntagma ? 1 : 0;
  return params;
}
