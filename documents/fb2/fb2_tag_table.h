// The FB2 tags that add text to the output, in the order they are tried.
#pragma once

#include <cstddef>
#include <string_view>

struct Fb2TagRule {
  std::string_view key;
  bool contained;  // matches a tag text that contains the key anywhere
  std::string_view text;
};

extern const Fb2TagRule kFb2TagTable[];
extern const size_t kFb2TagTableSize;

// The paragraph marker: turned into a line feed when the output is written.
constexpr char kParagraphMark = '\x01';
