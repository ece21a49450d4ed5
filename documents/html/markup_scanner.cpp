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
    if (tagStart < 0) {
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
    if (output.size() > kFlushSize) {
      rules.BeforeWrite(output);
      if (!out.Write(output)) return false;
      output.clear();
    }
    offset = next;
  }
  rules.BeforeWrite(output);
  if (!out.Write(output)) return false;
  if (const std::string_view refusal = rules.Refusal(size); !refusal.empty()) {
    ShowConversionStop(refusal);
    return false;
  }
  return out.Commit();
}
