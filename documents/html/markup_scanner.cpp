#include "documents/html/markup_scanner.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "documents/common/conversion_message.h"
#include "documents/common/file_reading.h"
#include "documents/common/output_file.h"
#include "documents/html/html_entities.h"
#include "foundation/char_classes.h"

namespace {

constexpr int64_t kBlockSize = 10000;
constexpr size_t kFlushSize = 40000;
// The ";" of an entity is looked for this far behind its "&".
constexpr int64_t kEntityReach = 19;

enum class BlockEnd { kNext, kStop };

// Whether "<" followed by this byte begins markup: a tag, an end tag, a
// comment or declaration, a processing instruction.
bool IsMarkupStart(unsigned char next) {
  return IsLatinLetter(next) || next == '/' || next == '!' || next == '?';
}

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

// Markup that may run over any number of blocks: a tag, a comment, a
// processing instruction or a CDATA section, from its "<" on. Only its head
// is kept (that names it) and its last two bytes (that tell where it ends),
// so no length of it is held in memory.
class OpenTag {
 public:
  bool IsOpen() const { return open_; }
  int64_t Start() const { return start_; }

  void Begin(int64_t fileOffset) {
    open_ = true;
    start_ = fileOffset;
    head_.clear();
    length_ = 0;
    firstClose_ = -1;
    tail_[0] = tail_[1] = '\0';
  }

  void Append(const char* first, const char* last) {
    const auto count = static_cast<size_t>(last - first);
    if (count == 0) return;
    if (head_.size() < kHeadKeep) head_.append(first, std::min(count, kHeadKeep - head_.size()));
    tail_[0] = count > 1 ? last[-2] : tail_[1];
    tail_[1] = last[-1];
    length_ += static_cast<int64_t>(count);
  }

  // At a ">" behind the bytes appended so far: whether it ends the markup.
  // A comment ends only at "-->", a CDATA section at "]]>" and a processing
  // instruction at "?>" (its code may compare with ">").
  bool EndsAtClose() const {
    if (IsComment()) return length_ >= static_cast<int64_t>(kCommentOpen.size()) + 2 && Tail("--");
    if (IsCdata()) return length_ >= static_cast<int64_t>(kCdataOpen.size()) + 2 && Tail("]]");
    if (IsInstruction()) return instructionsEndAtFirstClose_ || (length_ >= 2 && tail_[1] == '?');
    return true;
  }

  // A ">" at the file offset that did not end the markup.
  void PassClose(int64_t fileOffset) {
    if (IsInstruction() && firstClose_ < 0) firstClose_ = fileOffset;
  }

  // The file offset of the first ">" of an instruction still open; -1 when
  // it holds none.
  int64_t FirstClose() const { return firstClose_; }

  // The file ends inside the instruction: no "?>" follows its start, so it
  // ends at its first ">", as a browser ends it, and so does every one after
  // it. The text between "<" and that ">" (of a long one, its head).
  std::string& CloseAtFirstClose() {
    open_ = false;
    instructionsEndAtFirstClose_ = true;
    head_.resize(std::min(head_.size(), static_cast<size_t>(firstClose_ - start_ - 1)));
    return head_;
  }

  // Comments and CDATA sections are no tags: no rule sees them.
  bool IsSkippedWhole() const { return IsComment() || IsCdata(); }

  // Ends the markup; the text between "<" and ">" (of a long one, its head
  // ending in its own last byte, which tells a self-closing tag).
  std::string& Close() {
    open_ = false;
    if (length_ > static_cast<int64_t>(head_.size())) head_.back() = tail_[1];
    return head_;
  }

  // Drops markup that the file ends inside; how many bytes it held.
  int64_t Drop() {
    open_ = false;
    return length_ + 1;
  }

 private:
  static constexpr size_t kHeadKeep = 4096;
  static constexpr std::string_view kCommentOpen = "!--";
  static constexpr std::string_view kCdataOpen = "![CDATA[";

  bool IsComment() const { return head_.starts_with(kCommentOpen); }
  bool IsCdata() const { return head_.starts_with(kCdataOpen); }
  bool IsInstruction() const { return head_.starts_with('?'); }
  bool Tail(std::string_view two) const { return tail_[0] == two[0] && tail_[1] == two[1]; }

  bool open_ = false;
  int64_t start_ = 0;
  std::string head_;
  int64_t length_ = 0;
  char tail_[2] = {};
  int64_t firstClose_ = -1;
  bool instructionsEndAtFirstClose_ = false;
};

// Walks one block; sets next to the file offset where the next block starts.
// Markup still open at the block's end goes on in the next block.
// rawStart is set to where the element whose raw text is skipped begins.
BlockEnd ScanBlock(const std::string& block, int64_t offset, bool lastBlock, MarkupRules& rules,
                   std::string& output, OpenTag& tag, int64_t& rawStart, int64_t& next) {
  const char* data = block.data();
  const auto n = static_cast<int64_t>(block.size());
  // Outside markup: where the text not yet appended begins; inside: where
  // the markup's bytes not yet taken begin.
  int64_t pending = 0;
  next = offset + n;
  for (int64_t i = 0; i < n; ++i) {
    // Only "<" and "&" matter outside a tag and only ">" inside one: skip
    // to the next of them.
    if (const std::string_view raw = rules.RawTextElement(); !tag.IsOpen() && !raw.empty()) {
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
    } else if (!tag.IsOpen()) {
      while (i < n && data[i] != '<' && data[i] != '&') ++i;
    } else if (const void* close = std::memchr(data + i, '>', static_cast<size_t>(n - i))) {
      i = static_cast<const char*>(close) - data;
    } else {
      i = n;
    }
    if (i == n) break;
    const char c = data[i];
    if (!tag.IsOpen() && c == '<') {
      if (i + 1 < n && IsMarkupStart(static_cast<unsigned char>(data[i + 1]))) {
        rules.OnText(output, data + pending, data + i);
        tag.Begin(offset + i);
        pending = i + 1;
      } else if (i + 1 == n && !lastBlock && i > 0) {
        rules.OnText(output, data + pending, data + i);
        next = offset + i;
        return BlockEnd::kNext;
      }
    } else if (tag.IsOpen() && c == '>') {
      tag.Append(data + pending, data + i);
      pending = i + 1;
      if (!tag.EndsAtClose()) {
        tag.PassClose(offset + i);
        tag.Append(data + i, data + i + 1);
        continue;
      }
      const bool skipped = tag.IsSkippedWhole();
      std::string& text = tag.Close();
      if (!skipped && !rules.OnTag(output, text)) return BlockEnd::kStop;
      if (!rules.RawTextElement().empty()) rawStart = tag.Start();
    } else if (!tag.IsOpen() && c == '&') {
      const int64_t reach = std::min(i + kEntityReach, n - 1);
      int64_t j = i + 1;
      while (j <= reach && data[j] != ';') ++j;
      if (j <= reach) {
        // "AT&T; R&D" or "Smith & Wesson;" hold no entity: that "&" is text.
        const std::string_view entity(data + i, static_cast<size_t>(j + 1 - i));
        if (!IsEntityShaped(entity)) continue;
        rules.OnText(output, data + pending, data + i);
        const int byte = HtmlEntityByte(entity);
        if (byte >= 0) rules.OnEntity(output, static_cast<char>(byte));
        pending = j + 1;
        i = j;
      } else if (i + kEntityReach > n - 1 && !lastBlock && i > 0) {
        rules.OnText(output, data + pending, data + i);
        next = offset + i;
        return BlockEnd::kNext;
      }
    }
  }
  if (tag.IsOpen() && lastBlock && tag.FirstClose() >= 0) {
    // An instruction without "?>" ("<?xml ...>") takes in no more than a
    // tag: the text after its first ">" is read.
    next = tag.FirstClose() + 1;
    return rules.OnTag(output, tag.CloseAtFirstClose()) ? BlockEnd::kNext : BlockEnd::kStop;
  }
  if (tag.IsOpen()) {
    tag.Append(data + pending, data + n);
  } else {
    rules.OnText(output, data + pending, data + n);
  }
  return BlockEnd::kNext;
}

// Markup the file ends inside is no text: it is left out, and the user told.
// what: "a tag or comment", "a script element", ...
void WarnUnclosed(std::string_view what, int64_t start, int64_t length) {
  const std::string text = "Warning: the document ends inside " + std::string(what) +
                           " that begins at byte " + std::to_string(start) +
                           " and is never closed; its " + std::to_string(length) +
                           " bytes were left out.";
  ShowConversionWarning(std::u16string(text.begin(), text.end()));
}

}  // namespace

bool ScanMarkupFile(const char16_t* source, const char16_t* target, MarkupRules& rules) {
  TextFile file(source, u"rb");
  OutputFile out;
  if (!file.IsOpen() || !out.Open(source, target)) return false;
  const int64_t size = file.GetSize();
  std::string block;
  std::string output;
  OpenTag tag;
  int64_t rawStart = 0;
  for (int64_t offset = 0; offset < size;) {
    const int64_t n = std::min(size - offset, kBlockSize);
    block.resize(static_cast<size_t>(n));
    if (!ReadExactlyAt(file, offset, block.data(), block.size())) return false;
    int64_t next = offset + n;
    const BlockEnd end = ScanBlock(block, offset, offset + n >= size, rules, output, tag, rawStart, next);
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
  if (tag.IsOpen()) {
    const int64_t start = tag.Start();
    WarnUnclosed("a tag or comment", start, tag.Drop());
  } else if (const std::string_view raw = rules.RawTextElement(); !raw.empty()) {
    WarnUnclosed("a " + std::string(raw) + " element", rawStart, size - rawStart);
  }
  return out.Commit();
}
