#include "textanalysis/lexicon/whole_file.h"

#include "foundation/text_file.h"

bool ReadWholeFile(const std::u16string& path, std::string& out) {
  out.clear();
  TextFile file(path.c_str(), u"rb");
  if (!file.IsOpen()) return false;
  // The recorded size is only a hint (its low 32 bits); the loop reads to
  // the real end.
  out.reserve(file.GetSize());
  char chunk[1 << 16];
  for (;;) {
    const size_t got = file.Read(chunk, sizeof chunk);
    out.append(chunk, got);
    if (got < sizeof chunk) break;
  }
  if (file.HasError()) {
    out.clear();
    return false;
  }
  return true;
}

void AppendPathSeparator(std::u16string& folder) {
  if (!folder.empty() && folder.back() != u'/' && folder.back() != u'\\') folder.push_back(u'/');
}
