// The RTF control words the reader acts on, sorted by byte order.
#pragma once

#include <cstddef>
#include <cstdint>

enum RtfKeywordKind : int32_t {
  kRtfEmitChar = 0,     // value is a character to output
  kRtfSkipDestination = 1,
  kRtfSpecial = 3,      // value is an RtfSpecial action
};

enum RtfSpecial : int32_t {
  kRtfBinary = 0,
  kRtfHexByte = 1,
  kRtfIgnorable = 2,
};

struct RtfKeyword {
  char name[24];
  int32_t kind;
  int32_t value;
};
static_assert(sizeof(RtfKeyword) == 32);

extern const RtfKeyword kRtfKeywordTable[];
extern const size_t kRtfKeywordCount;
