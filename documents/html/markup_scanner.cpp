#include "documents/html/markup_scanner.h"

#include <algorithm>
#include <cstring>

#include "documents/common/conversion_message.h"
#include "documents/common/file_reading.h"
#include "documents/common/output_file.h"

namespace {

constexpr int64_t kBlockSize = 10000;
constexpr size_t kFlushSize = 40000;
// The ";" of an entity is looked for this far behind its "&".
constexpr int64_t kEntityReach = 19;

enum class BlockEnd { kNext, kStop };

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Where the end tag of the raw-text element begins ("</name" followed by
// white space, "/" or ">", in any case), from `from` on; -1 when the block
// holds none. `cut` tells that the block ends inside what may be one.
int64_t FindEndTag(const char* data, int64_t from, int64_t n, std::string_view name, bool& cut) {
  cut = false;
  const auto length = static_cast<int64_t>(name.size());
  for (int64_t k = from; k < n; ++k) {
    const void* open = std::memchr(data + k, '<', static_cast<size_t>(n - k));
    if (open == nullptr) return -1;
    k = static_cast<const char*>(open) - data;
    if (k + 2 + length >= n) {
      // Too close to the block's end to tell: a cut end tag when what there
      // is matches.
      bool matches = k + 1 >= n || data[k + 1] == '/';
      for (int64_t j = 0; matches && k + 2 + j < n; ++j) {
        matches = AsciiLower(data[k + 2 + j]) == name[static_cast<size_t>(j)];
      }
      if (matches) {
        cut = true;
        return k;
      }
      continue;
    }
    if (data[k + 1] != '/') continue;
    bool matches = true;
    for (int64_t j = 0; matches && j < length; ++j) {
      matches = AsciiLower(data[k + 2 + j]) == name[static_cast<size_t>(j)];
    }
    const char after = data[k + 2 + length];
    if (matches && (after == '>' || after == '/' || after == ' ' || after == '\t' ||
                    after == '\r' || after == '\n')) {
      return k;
    }
  }
  return -1;
}

// Walks one block; sets next to the file offset where the next block starts.
BlockEnd ScanBlock(const std::string& block, int64_t offset, bool lastBlock, MarkupRules& rules,
                   std::string& output, std::string& tag, int64_t& next) {
  const char* data = block.data();
  const auto n = static_cast<int64_t>(block.size());
  int64_t pending = 0;
  int64_t tagStart = -1;
  next = offset + n;
  const bool entities = rules.HandlesEntities();
  for (int64_t i = 0; i < n; ++i) {
    // Only "<" and "&" matter outside a tag and only ">" inside one: skip
    // to the next of them.
    if (const std::string_view raw = rules.RawTextElement(); tagStart < 0 && !raw.empty()) {
      // Raw text is no text to read: skipped up to its end tag.
      bool cut = false;
      const int64_t end = FindEndTag(data, i, n, raw, cut);
      if (end < 0 || (cut && lastBlock)) {
        pending = n;
        break;
      }
      if (cut) {
        if (end > 0) {
          next = offset + end;
          return BlockEnd::kNext;
        }
        pending = n;
        break;
      }
      pending = end;
      i = end;
    } else if (tagStart < 0) {
      while (i < n && data[i] != '<' && (data[i] != '&' || !entities)) ++i;
    } else if (const void* close = std::memchr(data + i, '>', static_cast<size_t>(n - i))) {
      i = static_cast<const char*>(close) - data;
    } else {
      i = n;
    }
    if (i == n) break;
    const char c = data[i];
    if (tagStart < 0 && c == '<') {
      if (i + 1 < n && rules.IsTagStart(static_cast<unsigned char>(data[i + 1]))) {
        rules.OnText(output, data + pending, data + i);
        pending = i;
        tagStart = i;
      } else if (i + 1 == n && !lastBlock && i > 0) {
        rules.OnText(output, data + pending, data + i);
        next = offset + i;
        return BlockEnd::kNext;
      }
    } else if (tagStart >= 0 && c == '>') {
      tag.assign(data + tagStart + 1, data + i);
      pending = i + 1;
      tagStart = -1;
      if (!rules.OnTag(output, tag)) return BlockEnd::kStop;
    } else if (tagStart < 0 && c == '&' && entities) {
      const int64_t reach = std::min(i + kEntityReach, n - 1);
      int64_t j = i + 1;
      while (j <= reach && data[j] != ';') ++j;
      if (j <= reach) {
        rules.OnText(output, data + pending, data + i);
        rules.OnEntity(output, data + i, data + j + 1);
        pending = j + 1;
        i = j;
      } else if (i + kEntityReach > n - 1 && !lastBlock && i > 0) {
        rules.OnText(output, data + pending, data + i);
        next = offset + i;
        return BlockEnd::kNext;
      }
    }
  }
  if (tagStart > 0 && !lastBlock) {
    next = offset + tagStart;
  } else {
    rules.OnText(output, data + pending, data + n);
  }
  return BlockEnd::kNext;
}

}  // namespace

bool ScanMarkupFile(const char16_t* source, const char16_t* target, MarkupRules& rules) {
  TextFile file(source, u"rb");
  OutputFile out;
  if (!file.IsOpen() || !out.Open(source, target)) return false;
  const int64_t size = file.GetSize();
  std::string block;
  std::string output;
  std::string tag;
  for (int64_t offset = 0; offset < size;) {
    const int64_t n = std::min(size - offset, kBlockSize);
    block.resize(static_cast<size_t>(n));
    if (!ReadExactlyAt(file, offset, block.data(), block.size())) return false;
    int64_t next = offset + n;
    const BlockEnd end = ScanBlock(block, offset, offset + n >= size, rules, output, tag, next);
    if (end == BlockEnd::kStop) break;
    if (const std::string_view refusal = rules.Refusal(next, next >= size); !refusal.empty()) {
      ShowConversionStop(refusal);
      return false;
    }
    if (output.size() > kFlushSize) {
      rules.BeforeWrite(output);
      if (!out.Write(output)) return false;
      output.clear();
    }
    offset = next;
  }
  rules.BeforeWrite(output);
  if (!out.Write(output)) return false;
  if (const std::string_view refusal = rules.Refusal(size, true); !refusal.empty()) {
    ShowConversionStop(refusal);
    return false;
  }
  return out.Commit();
}
