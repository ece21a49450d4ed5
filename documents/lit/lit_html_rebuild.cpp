#include "documents/lit/lit_html_rebuild.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "documents/lit/lit_tag_tables.h"

namespace {

constexpr int kMaxDepth = 100;
constexpr uint32_t kCustomName = 0x8000;
constexpr uint32_t kNumericValue = 0xFFFF;
constexpr int kWriteFailed = -1;

class Rebuilder {
 public:
  Rebuilder(const uint8_t* stream, uint32_t end, bool package, const lit_manifest* manifest,
            LitWriteFunction write, void* handle)
      : stream_(stream),
        end_(end),
        package_(package),
        tags_(package ? LitPackageTags() : LitHtmlTags()),
        manifest_(manifest),
        write_(write),
        handle_(handle) {}

  // Rebuilds element content from *position until its closing tag (or the
  // end of the stream at the outermost level); 0 or a negative code.
  int Content(uint32_t* position, int depth, int64_t* charactersWritten);

 private:
  enum State { kText, kFlags, kTag, kAttribute };

  int ReadChar(uint32_t* position, uint32_t* c) const;
  int Write(const char* bytes, size_t n);
  int Write(const std::string& s) { return Write(s.data(), s.size()); }
  int WriteEntity(uint32_t c);
  int WriteBlanks(int* count);
  int ReadName(uint32_t* position, std::string* name);
  int PlainValue(uint32_t* position, bool silent);
  int LinkValue(uint32_t* position, bool silent);
  int TagName(uint32_t tag, std::string* name);

  const uint8_t* stream_;
  uint32_t end_;
  bool package_;
  const LitTagSet& tags_;
  const lit_manifest* manifest_;
  LitWriteFunction write_;
  void* handle_;
  bool textSeen_ = false;
};

int Rebuilder::ReadChar(uint32_t* position, uint32_t* c) const {
  uint32_t p = *position;
  if (p >= end_) return LIT_MALFORMED;
  const uint8_t lead = stream_[p++];
  int more;
  if (lead < 0x80) {
    *c = lead;
    more = 0;
  } else if ((lead & 0xE0) == 0xC0) {
    *c = lead & 0x1F;
    more = 1;
  } else if ((lead & 0xF0) == 0xE0) {
    *c = lead & 0x0F;
    more = 2;
  } else if ((lead & 0xF8) == 0xF0) {
    *c = lead & 0x07;
    more = 3;
  } else {
    return LIT_BAD_UTF8;
  }
  while (more-- > 0) {
    if (p >= end_ || (stream_[p] & 0xC0) != 0x80) return LIT_BAD_UTF8;
    *c = (*c << 6) | (stream_[p++] & 0x3F);
  }
  *position = p;
  return 0;
}

int Rebuilder::Write(const char* bytes, size_t n) {
  if (n == 0) return 0;
  return write_(handle_, bytes, static_cast<int32_t>(n)) == static_cast<int32_t>(n) ? 0
                                                                                      : kWriteFailed;
}

int Rebuilder::WriteEntity(uint32_t c) {
  switch (c) {
    case '"': return Write("&quot;", 6);
    case '&': return Write("&amp;", 5);
    case '<': return Write("&lt;", 4);
    case '>': return Write("&gt;", 4);
    default: break;
  }
  if (c >= 128) {
    char text[24];
    const int n = std::snprintf(text, sizeof text, "&#%ld;", static_cast<long>(c));
    return Write(text, n);
  }
  const char byte = static_cast<char>(c);
  return Write(&byte, 1);
}

int Rebuilder::WriteBlanks(int* count) {
  for (; *count > 0; --*count) {
    if (const int rc = Write(" ", 1); rc != 0) return rc;
  }
  return 0;
}

// A name as a length character (count + 1) and that many 7-bit characters.
int Rebuilder::ReadName(uint32_t* position, std::string* name) {
  uint32_t length;
  int rc = ReadChar(position, &length);
  if (rc != 0) return rc;
  if (length == 0 || length - 1 > end_ - *position) return LIT_MALFORMED;
  name->clear();
  for (uint32_t i = 1; i < length; ++i) {
    uint32_t c;
    if ((rc = ReadChar(position, &c)) != 0) return rc;
    name->push_back(static_cast<char>(c & 0x7F));
  }
  return 0;
}

int Rebuilder::TagName(uint32_t tag, std::string* name) {
  if (tag < static_cast<uint32_t>(tags_.tagCount) && tags_.tagNames[tag] != nullptr) {
    *name = tags_.tagNames[tag];
  } else {
    char text[24];
    std::snprintf(text, sizeof text, "?%ld?", static_cast<long>(tag));
    *name = text;
  }
  return 0;
}

int Rebuilder::PlainValue(uint32_t* position, bool silent) {
  uint32_t length;
  int rc = ReadChar(position, &length);
  if (rc != 0) return rc;
  if (length == kNumericValue) {
    uint32_t c;
    if ((rc = ReadChar(position, &c)) != 0) return rc;
    if (silent) return 0;
    char text[24];
    const int n = std::snprintf(text, sizeof text, "\"%ld\"", static_cast<long>(c) - 1);
    return Write(text, n);
  }
  if (length == 0 || length - 1 > end_ - *position) return LIT_MALFORMED;
  if (!silent && (rc = Write("\"", 1)) != 0) return rc;
  for (uint32_t i = 1; i < length; ++i) {
    uint32_t c;
    if ((rc = ReadChar(position, &c)) != 0) return rc;
    if (!silent && (rc = WriteEntity(c)) != 0) return rc;
  }
  return silent ? 0 : Write("\"", 1);
}

int Rebuilder::LinkValue(uint32_t* position, bool silent) {
  uint32_t length;
  int rc = ReadChar(position, &length);
  if (rc != 0) return rc;
  if (length == 0 || length - 1 > end_ - *position) return LIT_MALFORMED;
  const uint32_t start = *position;
  for (uint32_t i = 1; i < length; ++i) {
    uint32_t c;
    if ((rc = ReadChar(position, &c)) != 0) return rc;
  }
  if (silent) return 0;
  std::string value(reinterpret_cast<const char*>(stream_ + start), *position - start);
  const size_t hash = value.find('#');
  const std::string target = value.substr(0, hash);
  if (manifest_ != nullptr) {
    if (const std::string* file = lit_manifest_file_name(*manifest_, target.data(), target.size())) {
      value = *file + (hash == std::string::npos ? std::string() : value.substr(hash));
    }
  }
  return Write("\"" + value + "\"");
}

int Rebuilder::Content(uint32_t* position, int depth, int64_t* charactersWritten) {
  State state = kText;
  uint32_t flags = 0;
  uint32_t tag = 0;
  std::string name;
  int heldBlanks = 0;
  int rc;
  while (*position < end_) {
    uint32_t c;
    if ((rc = ReadChar(position, &c)) != 0) return rc;
    switch (state) {
      case kText:
        if (c == 0) {
          state = kFlags;
        } else if (c == ' ') {
          if (textSeen_) ++heldBlanks;
        } else {
          if ((rc = WriteBlanks(&heldBlanks)) != 0) return rc;
          if ((rc = WriteEntity(c)) != 0) return rc;
          textSeen_ = true;
          ++*charactersWritten;
        }
        break;
      case kFlags:
        if (c == 0) {
          state = kText;
          break;
        }
        if (c > 15 || (c & 3) == 0) return LIT_MALFORMED;
        flags = c;
        state = kTag;
        break;
      case kTag:
        tag = c;
        // Blanks between words and the tags around them stay where they
        // stood, or the words of an inline element join their neighbours.
        if ((rc = WriteBlanks(&heldBlanks)) != 0) return rc;
        if ((flags & 2) != 0 && (flags & 1) == 0) {
          // The closing tag of the element being rebuilt.
          return depth == 0 ? LIT_MALFORMED : 0;
        }
        if (tag == kCustomName) {
          if ((rc = ReadName(position, &name)) != 0) return rc;
        } else {
          TagName(tag, &name);
        }
        if ((rc = Write(package_ ? "\n<" : "<")) != 0 || (rc = Write(name)) != 0) return rc;
        state = kAttribute;
        break;
      case kAttribute: {
        if (c == 0) {
          const bool hasContent = (flags & 2) == 0;
          const bool block = !package_ && (flags & 4) != 0;
          if ((rc = Write(hasContent ? ">" : " />")) != 0) return rc;
          if (block && (rc = Write("\n")) != 0) return rc;
          if (hasContent) {
            if (depth + 1 > kMaxDepth) return -2;
            textSeen_ = false;
            int64_t inner = 0;
            if ((rc = Content(position, depth + 1, &inner)) != 0) return rc;
            *charactersWritten += inner;
            if (package_ && inner == 0 && (rc = Write("\n")) != 0) return rc;
            if ((rc = Write("</" + name + ">")) != 0) return rc;
            if (block && (rc = Write("\n")) != 0) return rc;
            // A blank after an inline element parts it from the next word.
            textSeen_ = !block && inner > 0;
          }
          state = kText;
          break;
        }
        bool link = false;
        bool silent = false;
        if (c == kCustomName) {
          std::string attribute;
          if ((rc = ReadName(position, &attribute)) != 0) return rc;
          if ((rc = Write(" " + attribute + "=")) != 0) return rc;
        } else if (const char* known = LitAttributeNameOf(tags_, tag, c)) {
          silent = known[0] == '<';
          link = std::strcmp(known, "href") == 0 || std::strcmp(known, "src") == 0;
          if (!silent && (rc = Write(std::string(" ") + known + "=")) != 0) return rc;
        } else {
          char text[32];
          const int n = std::snprintf(text, sizeof text, " ?%ld?=", static_cast<long>(c));
          if ((rc = Write(text, n)) != 0) return rc;
        }
        if ((rc = link ? LinkValue(position, silent) : PlainValue(position, silent)) != 0) {
          return rc;
        }
        break;
      }
    }
  }
  // The stream ended inside the content of an element.
  return depth == 0 ? 0 : LIT_MALFORMED;
}

}  // namespace

int32_t lit_reconstruct_html(const uint8_t* stream, uint32_t start, uint32_t end,
                             bool packageMode, const lit_manifest* manifest,
                             LitWriteFunction write, void* handle) {
  if (start > end) return LIT_MALFORMED;
  Rebuilder rebuilder(stream, end, packageMode, manifest, write, handle);
  uint32_t position = start;
  int64_t written = 0;
  const int rc = rebuilder.Content(&position, 0, &written);
  if (rc != 0) return rc;
  return static_cast<int32_t>(position - start);
}
