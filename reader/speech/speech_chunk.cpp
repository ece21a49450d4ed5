#include "reader/speech/speech_chunk.h"

#include <algorithm>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsSentenceEnd(char c) { return c == '.' || c == '!' || c == '?'; }

}  // namespace

std::string MakeSpeechChunk(std::string block) {
  std::replace(block.begin(), block.end(), '\0', ' ');
  const auto n = static_cast<std::ptrdiff_t>(block.size());
  for (std::ptrdiff_t i = n - 2; i >= 1; --i) {
    if (!IsSentenceEnd(block[i]) || !IsBlank(block[i + 1])) continue;
    size_t length = static_cast<size_t>(i) + 2;
    if (block[i + 1] == '\r' && i + 2 < n && block[i + 2] == '\n') length = static_cast<size_t>(i) + 3;
    block.resize(length);
    break;
  }
  return block;
}

INT SpeechStartSkip(INT pageStart, char byteBefore, const std::string& head) {
  if (pageStart == 0 || IsBlank(byteBefore)) return 0;
  const auto blank = std::find_if(head.begin(), head.end(), IsBlank);
  return blank == head.end() ? 0 : static_cast<INT>(blank - head.begin()) + 1;
}
