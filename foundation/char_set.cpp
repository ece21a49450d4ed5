#include "foundation/char_set.h"

#include <algorithm>

INT CharSet::IndexOf(char c) const {
  const unsigned char byte = static_cast<unsigned char>(c);
  for (size_t i = 0; i < classes.size(); ++i)
    if (classes[i].test(byte)) return static_cast<INT>(i);
  return -1;
}

bool CharSet::ContainsAll(const std::string& text) const {
  return std::all_of(text.begin(), text.end(), [this](char c) { return Contains(c); });
}

bool BuildCharSet(CharSet& set, const std::string& text) {
  if (text.empty() || std::any_of(text.begin(), text.end(), [&set](char c) { return set.Contains(c); }))
    return false;
  std::bitset<256> bytes;
  for (const char c : text) bytes.set(static_cast<unsigned char>(c));
  set.classes.push_back(bytes);
  return true;
}
