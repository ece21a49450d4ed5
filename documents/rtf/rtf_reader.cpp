#include "documents/rtf/rtf_reader.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "documents/rtf/rtf_keyword_table.h"
#include "foundation/code_pages.h"

namespace {

constexpr int32_t kWindowSize = 0x10000;
constexpr int32_t kKeywordMax = 29;
constexpr int32_t kDigitsMax = 19;
// Deeper nesting is counted, not stored: it carries no text of its own.
constexpr int32_t kMaxGroupDepth = 10000;
// Each reading again after an unclosed group reads the rest of the file
// once more; this bounds the work a damaged file can cause.
constexpr int32_t kMaxResumes = 16;

enum TokenState { kText = 0, kControlWord = 1, kParameter = 2 };
enum InternalState { kNormal = 0, kBinaryBytes = 1, kHexDigits = 2 };

// A group whose text is dropped (a font table, a header, ...), seen from
// the group it began in.
struct Destination {
  int32_t depth = 0;  // the depth of that group; 0: none
  int64_t start = -1;  // the file offset of its "{"
  // Just after the groups that open it (a font table's fonts): where the
  // text would go on had it closed there; -1 when no group closed directly
  // inside it. Settled once other content follows them.
  int64_t resumeAt = -1;
  bool settled = false;
  // The text produced before it closed.
  int64_t producedAtClose = 0;
};

}  // namespace

struct RtfGroup {
  RtfGroup* below;
  int32_t skip;
  int32_t internalState;
  int32_t unicodeSkip;
  int64_t start;  // the file offset of its "{"
};

struct RtfReaderState {
  int32_t inputPosition;
  int32_t lastInput;
  int32_t tokenState;
  int32_t ignorable;
  int32_t binaryLeft;
  int32_t parameter;
  int32_t skip;
  int32_t internalState;
  RtfGroup* top;
  int32_t depth;
  int32_t failedPushes;
  int32_t hexLeft;
  int32_t hexValue;
  int32_t negative;
  int32_t hasParameter;
  int32_t keywordLength;
  int32_t digitCount;
  // Characters after "\uN" that stand in for it ("\ucN", 1 by default).
  int32_t unicodeSkip;
  int32_t fallbackLeft;
  // The file offset of window[0].
  int64_t windowStart;
  // The text handed out by earlier calls.
  int64_t producedBefore;
  // The destination open now, and the last one closed.
  Destination open;
  Destination closed;
  int32_t resumes;
  RtfUnclosedGroup firstUnclosed;
  char* output;
  int32_t* count;
  char keyword[kKeywordMax + 1];
  char digits[kDigitsMax + 1];
  uint8_t window[kWindowSize];
};

namespace {

void PutChar(RtfReaderState& s, int c) {
  if (s.internalState == kBinaryBytes) {
    if (--s.binaryLeft < 1) s.internalState = kNormal;
  } else if (s.fallbackLeft > 0) {
    --s.fallbackLeft;
    return;
  }
  if (s.skip == 0) s.output[(*s.count)++] = static_cast<char>(c);
}

void PushGroup(RtfReaderState& s) {
  auto* node = s.depth < kMaxGroupDepth ? static_cast<RtfGroup*>(std::malloc(sizeof(RtfGroup)))
                                        : nullptr;
  if (node == nullptr) {
    ++s.failedPushes;
  } else {
    *node = {s.top, s.skip, s.internalState, s.unicodeSkip,
             s.windowStart + s.inputPosition - 1};
    s.top = node;
    ++s.depth;
  }
  s.internalState = kNormal;
  s.fallbackLeft = 0;
}

void PopGroup(RtfReaderState& s) {
  s.fallbackLeft = 0;
  if (s.failedPushes > 0) {
    --s.failedPushes;
    return;
  }
  RtfGroup* node = s.top;
  if (node == nullptr) return;
  s.skip = node->skip;
  s.internalState = node->internalState;
  s.unicodeSkip = node->unicodeSkip;
  s.top = node->below;
  --s.depth;
  std::free(node);
  if (s.open.depth > s.depth) {
    s.closed = s.open;
    s.closed.producedAtClose = s.producedBefore + *s.count;
    s.open = {};
  } else if (s.open.depth == s.depth && s.open.depth > 0 && !s.open.settled) {
    s.open.resumeAt = s.windowStart + s.inputPosition;
  }
}

// Whether content of the open destination's own level follows its groups.
bool AfterDestinationGroups(const RtfReaderState& s) {
  return s.open.depth == s.depth && s.open.resumeAt >= 0 && !s.open.settled;
}

// Text is dropped from here on until the group closes.
void SkipDestination(RtfReaderState& s) {
  if (s.skip == 0 && s.top != nullptr && s.failedPushes == 0) {
    s.open = {s.depth, s.top->start, -1, false, 0};
  }
  s.skip = 1;
}

void ApplySpecial(RtfReaderState& s, int32_t value) {
  if (s.skip != 0 && value != kRtfBinary) return;
  switch (value) {
    case kRtfBinary:
      if (s.parameter > 0) {
        s.internalState = kBinaryBytes;
        s.binaryLeft = s.parameter;
      }
      break;
    case kRtfHexByte:
      s.internalState = kHexDigits;
      break;
    case kRtfIgnorable:
      s.ignorable = 1;
      break;
    default:
      break;
  }
}

// "\uN" gives the Windows-1251 byte of character N when there is one, and
// then drops the stand-in characters that follow; "\ucN" sets their count.
bool ApplyUnicode(RtfReaderState& s) {
  if (s.hasParameter == 0) return false;
  if (std::strcmp(s.keyword, "uc") == 0) {
    s.unicodeSkip = s.parameter < 0 ? 0 : s.parameter;
    return true;
  }
  if (std::strcmp(s.keyword, "u") != 0) return false;
  const int32_t code = s.parameter < 0 ? s.parameter + 0x10000 : s.parameter;
  const int byte = code > 0 ? CodePageConverter::ReverseByte(static_cast<uint32_t>(code)) : 0;
  s.fallbackLeft = 0;
  if (byte != 0 && s.skip == 0) {
    PutChar(s, byte);
    s.fallbackLeft = s.unicodeSkip;
  }
  return true;
}

void LookupKeyword(RtfReaderState& s) {
  s.keyword[s.keywordLength] = '\0';
  if (AfterDestinationGroups(s)) s.open.settled = true;
  if (ApplyUnicode(s)) {
    s.ignorable = 0;
    return;
  }
  size_t low = 0;
  size_t high = kRtfKeywordCount;
  const RtfKeyword* found = nullptr;
  while (low < high) {
    const size_t middle = (low + high) / 2;
    const int order = std::strcmp(s.keyword, kRtfKeywordTable[middle].name);
    if (order == 0) {
      found = &kRtfKeywordTable[middle];
      break;
    }
    if (order < 0) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  if (found == nullptr) {
    if (s.ignorable != 0) SkipDestination(s);
    s.ignorable = 0;
    return;
  }
  s.ignorable = 0;
  switch (found->kind) {
    case kRtfEmitChar: PutChar(s, found->value); break;
    case kRtfSkipDestination: SkipDestination(s); break;
    case kRtfSpecial: ApplySpecial(s, found->value); break;
    default: break;
  }
}

void BeginControlWord(RtfReaderState& s) {
  s.tokenState = kControlWord;
  s.keywordLength = 0;
  s.negative = 0;
}

// The decimal value of the digits, held at the limits of 32 bits.
int32_t ParameterValue(const RtfReaderState& s) {
  int64_t value = 0;
  for (int32_t i = 0; i < s.digitCount; ++i) {
    value = value * 10 + (s.digits[i] - '0');
    if (value > std::numeric_limits<int32_t>::max()) {
      value = std::numeric_limits<int32_t>::max();
      break;
    }
  }
  if (s.negative != 0) value = -value;
  return static_cast<int32_t>(value);
}

void TextByte(RtfReaderState& s, uint8_t c) {
  if (s.internalState == kBinaryBytes) {
    PutChar(s, c);
  } else if (c == '\n' || c == '\r') {
  } else if (c == '\\') {
    BeginControlWord(s);
  } else if (c == '{') {
    PushGroup(s);
  } else if (c == '}') {
    PopGroup(s);
  } else if (s.internalState == kHexDigits) {
    s.hexValue = s.hexValue * 16 + (c > '9' ? (c | 0x20) - 87 : c - '0');
    if (--s.hexLeft == 0) {
      s.internalState = kNormal;
      PutChar(s, s.hexValue & 0xFF);
      s.hexLeft = 2;
      s.hexValue = 0;
    }
  } else {
    PutChar(s, c);
  }
}

// Bytes that end a run of plain text.
constexpr std::array<bool, 256> kTextStops = [] {
  std::array<bool, 256> stops{};
  for (const unsigned char c : {'\\', '{', '}', '\n', '\r'}) stops[c] = true;
  return stops;
}();

// Plain text in the normal state goes to the output (or, in a skipped
// destination, nowhere) as a run; line ends in it are ignored. The same as
// TextByte byte by byte, without the per-byte dispatch.
void CopyTextRun(RtfReaderState& s, int32_t capacity) {
  const uint8_t* p = s.window + s.inputPosition;
  const uint8_t* const end = s.window + s.lastInput + 1;
  if (s.skip != 0) {
    const uint8_t* const run = p;
    while (p != end && (!kTextStops[*p] || *p == '\n' || *p == '\r')) ++p;
    if (AfterDestinationGroups(s)) {
      s.open.settled = std::any_of(run, p, [](uint8_t c) {
        return c != ' ' && c != '\t' && c != '\n' && c != '\r';
      });
    }
  } else {
    char* out = s.output + *s.count;
    char* const outEnd = s.output + capacity;
    while (p != end && out != outEnd) {
      const uint8_t c = *p;
      if (kTextStops[c]) {
        if (c != '\n' && c != '\r') break;
      } else {
        *out++ = static_cast<char>(c);
      }
      ++p;
    }
    *s.count = static_cast<int32_t>(out - s.output);
  }
  s.inputPosition = static_cast<int32_t>(p - s.window);
}

// Tokenizes the window until it is used up or the output is full.
void ReadTokens(RtfReaderState& s, int32_t capacity) {
  while (s.inputPosition <= s.lastInput && *s.count < capacity) {
    if (s.tokenState == kText && s.internalState == kNormal && s.fallbackLeft == 0) {
      CopyTextRun(s, capacity);
      if (s.inputPosition > s.lastInput || *s.count >= capacity) break;
    }
    const uint8_t c = s.window[s.inputPosition++];
    if (s.tokenState == kText) {
      TextByte(s, c);
    } else if (s.tokenState == kControlWord) {
      const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
      if (letter) {
        if (s.keywordLength < kKeywordMax) s.keyword[s.keywordLength++] = static_cast<char>(c);
      } else if (s.keywordLength == 0) {
        s.keyword[s.keywordLength++] = static_cast<char>(c);
        s.parameter = 0;
        s.hasParameter = 0;
        s.tokenState = kText;
        LookupKeyword(s);
      } else if (c == ' ' || c == '\\') {
        s.parameter = 0;
        s.hasParameter = 0;
        s.tokenState = kText;
        LookupKeyword(s);
        if (c == '\\') BeginControlWord(s);
      } else {
        s.tokenState = kParameter;
        s.digitCount = 0;
        --s.inputPosition;
      }
    } else {
      if (c == '-') {
        s.negative = 1;
      } else if (c >= '0' && c <= '9') {
        if (s.digitCount < kDigitsMax) s.digits[s.digitCount++] = static_cast<char>(c);
      } else {
        s.parameter = ParameterValue(s);
        s.hasParameter = s.digitCount > 0 ? 1 : 0;
        s.tokenState = kText;
        LookupKeyword(s);
        if (c == '\\') {
          BeginControlWord(s);
        } else if (c != ' ') {
          --s.inputPosition;
        }
      }
    }
  }
}

}  // namespace

int32_t RtfReaderCreate(RtfHandle* handle) {
  auto* state = static_cast<RtfReaderState*>(std::calloc(1, sizeof(RtfReaderState)));
  if (state == nullptr) return kRtfNotEnoughMemory;
  state->hexLeft = 2;
  state->lastInput = -1;
  state->unicodeSkip = 1;
  state->open = {};
  state->closed = {};
  state->firstUnclosed = {-1, -1};
  handle->state = state;
  return 0;
}

namespace {

// The file ended inside a group whose text is dropped (a font table never
// closed, say), or with groups left open after such a group took in the
// rest of the file and closed with the last brace: the text after the
// group's last complete entry is read again as if it had closed there.
// False when there is no such place.
bool ResumeAfterUnclosedGroup(RtfHandle* handle, int64_t produced) {
  RtfReaderState& s = *handle->state;
  Destination culprit = s.open;
  if (culprit.depth == 0) {
    // Closed by a brace meant for a group around it: groups are left open,
    // and nothing came after it.
    culprit = s.closed;
    if (culprit.depth == 0 || s.depth == 0 || s.depth < culprit.depth - 1 ||
        culprit.producedAtClose != produced) {
      return false;
    }
  }
  if (s.firstUnclosed.start < 0) s.firstUnclosed = {culprit.start, culprit.resumeAt};
  if (culprit.resumeAt < 0 || s.resumes >= kMaxResumes ||
      handle->seekCallback(handle, culprit.resumeAt, 0) != culprit.resumeAt) {
    return false;
  }
  ++s.resumes;
  s.failedPushes = 0;
  while (s.depth > culprit.depth - 1 && s.top != nullptr) PopGroup(s);
  s.open = {};
  s.closed = {};
  s.tokenState = kText;
  s.internalState = kNormal;
  s.ignorable = 0;
  s.fallbackLeft = 0;
  s.hexLeft = 2;
  s.hexValue = 0;
  s.windowStart = culprit.resumeAt;
  s.inputPosition = 0;
  s.lastInput = -1;
  return true;
}

int32_t Parse(RtfHandle* handle, int32_t capacity, int32_t* count) {
  RtfReaderState* state = handle->state;
  ReadTokens(*state, capacity);
  if (*count >= capacity) return 0;
  for (;;) {
    int32_t read = 0;
    state->windowStart += state->lastInput + 1;
    state->lastInput = -1;
    const int32_t result = handle->readCallback(handle, state->window, kWindowSize, &read);
    if (result != 0) return result;
    if (read == 0) {
      if (ResumeAfterUnclosedGroup(handle, state->producedBefore + *count)) continue;
      return 0;
    }
    state->inputPosition = 0;
    state->lastInput = read - 1;
    ReadTokens(*state, capacity);
    if (*count >= capacity) return 0;
  }
}

}  // namespace

RtfUnclosedGroup RtfFirstUnclosedGroup(const RtfHandle* handle) {
  return handle->state != nullptr ? handle->state->firstUnclosed : RtfUnclosedGroup{-1, -1};
}

int32_t RtfParse(RtfHandle* handle, char* buffer, int32_t capacity, int32_t* count) {
  *count = 0;
  RtfReaderState* state = handle->state;
  if (state == nullptr) return kRtfInvalidParameter;
  state->output = buffer;
  state->count = count;
  const int32_t result = Parse(handle, capacity, count);
  state->producedBefore += *count;
  return result;
}

void RtfReaderFree(RtfHandle* handle) {
  RtfReaderState* state = handle->state;
  if (state == nullptr) return;
  state->failedPushes = 0;
  // The groups go without closing a destination: the output is no more.
  state->open = {};
  while (state->top != nullptr) PopGroup(*state);
  std::free(state);
  handle->state = nullptr;
}
