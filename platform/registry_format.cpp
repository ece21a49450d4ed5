#include "platform/registry_format.h"

#include <cstdio>
#include <unordered_map>

#include "platform/registry.h"
#include "platform/unicode.h"

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr size_t kHexLineWidth = 76;

std::string_view Trim(std::string_view s) {
  size_t begin = s.find_first_not_of(kBlanks);
  if (begin == std::string_view::npos) return {};
  size_t end = s.find_last_not_of(kBlanks);
  return s.substr(begin, end - begin + 1);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHexNumber(std::string_view s, size_t maxDigits, uint32_t* value) {
  if (s.empty() || s.size() > maxDigits) return false;
  uint32_t v = 0;
  for (char c : s) {
    int d = HexValue(c);
    if (d < 0) return false;
    v = v << 4 | static_cast<uint32_t>(d);
  }
  *value = v;
  return true;
}

// "01,02,ff" (blanks allowed around the bytes, a trailing comma too).
bool ParseHexBytes(std::string_view s, std::vector<BYTE>* out) {
  out->clear();
  s = Trim(s);
  while (!s.empty()) {
    size_t comma = s.find(',');
    std::string_view item = Trim(s.substr(0, comma));
    uint32_t byte;
    if (item.size() != 2 || !ParseHexNumber(item, 2, &byte)) return false;
    out->push_back(static_cast<BYTE>(byte));
    if (comma == std::string_view::npos) break;
    s = Trim(s.substr(comma + 1));
  }
  return true;
}

// A quoted string from s[0] == '"'; *rest is what follows the closing quote.
bool ParseQuoted(std::string_view s, std::string* text, std::string_view* rest) {
  text->clear();
  for (size_t i = 1; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"') {
      *rest = s.substr(i + 1);
      return true;
    }
    if (c == '\\') {
      if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"')) return false;
      c = s[++i];
    }
    *text += c;
  }
  return false;
}

std::vector<BYTE> StringData(const std::u16string& text) {
  std::vector<BYTE> data((text.size() + 1) * 2, 0);
  for (size_t i = 0; i < text.size(); ++i) {
    data[2 * i] = static_cast<BYTE>(text[i] & 0xFF);
    data[2 * i + 1] = static_cast<BYTE>(text[i] >> 8);
  }
  return data;
}

enum class RootKind { kNone, kLocalMachine, kCurrentUser, kClassesRoot };

RootKind RootFromName(std::u16string_view name) {
  std::u16string folded = FoldRegistryName(name);
  if (folded == kLocalMachineName) return RootKind::kLocalMachine;
  if (folded == kCurrentUserName) return RootKind::kCurrentUser;
  if (folded == u"HKEY_CLASSES_ROOT") return RootKind::kClassesRoot;
  return RootKind::kNone;
}

// "HKEY_...\A\B" as the path under the store's root; false when malformed.
bool ParseKeyPath(std::string_view text, RegistryPath* path) {
  std::u16string wide;
  if (!Utf8ToUtf16(text, &wide)) return false;
  path->clear();
  size_t start = 0;
  while (true) {
    size_t slash = wide.find(u'\\', start);
    std::u16string part = wide.substr(start, slash == std::u16string::npos ? slash : slash - start);
    if (part.empty()) return false;
    path->push_back(std::move(part));
    if (slash == std::u16string::npos) break;
    start = slash + 1;
  }
  switch (RootFromName((*path)[0])) {
    case RootKind::kNone:
      return false;
    case RootKind::kLocalMachine:
      (*path)[0] = std::u16string(kLocalMachineName);
      break;
    case RootKind::kCurrentUser:
      (*path)[0] = std::u16string(kCurrentUserName);
      break;
    case RootKind::kClassesRoot:
      (*path)[0] = u"Classes";
      path->insert(path->begin(), {std::u16string(kLocalMachineName), u"SOFTWARE"});
      break;
  }
  return true;
}

class Parser {
 public:
  Parser(RegistryKey& root, std::vector<std::string>* problems) : root_(root), problems_(problems) {}

  void Run(std::string_view text) {
    size_t pos = 0;
    while (pos <= text.size()) {
      const size_t start = pos;
      size_t end = text.find('\n', pos);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++lineNumber_;
      pos = end + 1;
      raw_ = text.substr(start, end - start);
      std::string_view trimmed = Trim(line);
      if (trimmed.empty()) continue;
      if (!headerSeen_ && trimmed[0] != ';') {
        headerSeen_ = true;
        if (trimmed == kRegistryFileHeader) continue;
        Report("no \"" + std::string(kRegistryFileHeader) + "\" header", trimmed);
      }
      if (trimmed[0] == '[') {
        Section(trimmed);
      } else if (damagedKey_) {
        Keep();  // a line of a key that could not be read
      } else if (trimmed[0] == ';') {
        continue;
      } else if (trimmed[0] == '"' || trimmed[0] == '@') {
        // A hex value may go on over lines ending with '\'.
        std::string joined(trimmed);
        while (joined.back() == '\\' && IsHexValue(joined) && pos <= text.size()) {
          size_t next = text.find('\n', pos);
          if (next == std::string_view::npos) next = text.size();
          std::string_view more = text.substr(pos, next - pos);
          if (!more.empty() && more.back() == '\r') more.remove_suffix(1);
          ++lineNumber_;
          raw_ = text.substr(start, next - start);
          pos = next + 1;
          joined.pop_back();
          joined += Trim(more);
        }
        Value(joined);
      } else {
        Problem("not a key, a value or a comment", trimmed);
      }
    }
  }

 private:
  static bool IsHexValue(std::string_view line) {
    size_t eq = line.find("=hex");
    return eq != std::string_view::npos;
  }

  void Report(const std::string& what, std::string_view line) {
    if (problems_ != nullptr) {
      problems_->push_back("line " + std::to_string(lineNumber_) + ": " + what + ": " + std::string(line));
    }
  }

  // A line that cannot be read is reported and kept where it stood.
  void Problem(const std::string& what, std::string_view line) {
    Report(what, line);
    Keep();
  }

  void Keep() {
    if (current_ != nullptr) {
      current_->unread.push_back({current_->values.size(), std::string(raw_)});
    } else {
      lastKey_->unread.push_back({UnreadLines::kAfterKey, std::string(raw_)});
    }
  }

  void Section(std::string_view line) {
    current_ = nullptr;
    indexed_ = nullptr;
    skipping_ = true;  // values of a deleted key go with it
    damagedKey_ = false;
    if (line.size() < 2 || line.back() != ']') {
      Problem("key without its closing ']'", line);
      damagedKey_ = true;
      return;
    }
    std::string_view inner = line.substr(1, line.size() - 2);
    bool remove = !inner.empty() && inner[0] == '-';
    if (remove) inner.remove_prefix(1);
    RegistryPath path;
    if (!ParseKeyPath(inner, &path)) {
      Problem("not a key of HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER or HKEY_CLASSES_ROOT", line);
      damagedKey_ = true;
      return;
    }
    if (remove) {
      RegistryKey* parent = &root_;
      for (size_t i = 0; i + 1 < path.size() && parent != nullptr; ++i) parent = parent->FindSubkey(path[i]);
      if (parent != nullptr && path.size() > 1) parent->RemoveSubkey(path.back());
      return;
    }
    RegistryKey* key = &root_;
    for (const auto& name : path) key = &key->AddSubkey(name);
    current_ = key;
    lastKey_ = key;
    skipping_ = false;
  }

  void Value(std::string_view line) {
    std::string name;
    std::string_view rest;
    if (line[0] == '@') {
      rest = line.substr(1);
    } else if (!ParseQuoted(line, &name, &rest)) {
      Problem("bad value name", line);
      return;
    }
    rest = Trim(rest);
    if (rest.empty() || rest[0] != '=') {
      Problem("no '=' after the value name", line);
      return;
    }
    rest = Trim(rest.substr(1));
    std::u16string wideName;
    if (!Utf8ToUtf16(name, &wideName)) {
      Problem("value name is not UTF-8", line);
      return;
    }
    if (current_ == nullptr) {
      if (!skipping_) Problem("value outside a key", line);
      return;
    }
    if (rest == "-") {
      current_->RemoveValue(wideName);
      indexed_ = nullptr;  // the places behind it moved
      return;
    }
    RegistryValue value;
    value.name = wideName;
    if (!ParseData(rest, &value)) {
      Problem("bad value data", line);
      return;
    }
    IndexCurrentValues();
    const auto [place, added] =
        valueIndex_.try_emplace(FoldRegistryName(wideName), current_->values.size());
    if (added) {
      current_->values.push_back(std::move(value));
    } else {
      RegistryValue& old = current_->values[place->second];
      old.type = value.type;
      old.data = std::move(value.data);
    }
  }

  // An index of the current key's values by folded name (a key may hold
  // thousands: a search through them per line would make reading
  // quadratic). It is made anew when the key changes.
  void IndexCurrentValues() {
    if (indexed_ == current_) return;
    valueIndex_.clear();
    for (size_t i = 0; i < current_->values.size(); ++i)
      valueIndex_.emplace(FoldRegistryName(current_->values[i].name), i);
    indexed_ = current_;
  }

  static bool ParseData(std::string_view s, RegistryValue* value) {
    if (!s.empty() && s[0] == '"') {
      std::string text;
      std::string_view after;
      std::u16string wide;
      if (!ParseQuoted(s, &text, &after) || !Trim(after).empty() || !Utf8ToUtf16(text, &wide)) return false;
      value->type = REG_SZ;
      value->data = StringData(wide);
      return true;
    }
    if (s.starts_with("dword:")) {
      uint32_t v;
      if (!ParseHexNumber(s.substr(6), 8, &v)) return false;
      value->type = REG_DWORD;
      value->data = {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
                     static_cast<BYTE>(v >> 24)};
      return true;
    }
    if (s.starts_with("hex:")) {
      value->type = REG_BINARY;
      return ParseHexBytes(s.substr(4), &value->data);
    }
    if (s.starts_with("hex(")) {
      size_t close = s.find("):");
      uint32_t type;
      if (close == std::string_view::npos || !ParseHexNumber(s.substr(4, close - 4), 8, &type)) return false;
      value->type = type;
      return ParseHexBytes(s.substr(close + 2), &value->data);
    }
    return false;
  }

  RegistryKey& root_;
  std::vector<std::string>* problems_;
  RegistryKey* current_ = nullptr;
  RegistryKey* lastKey_ = &root_;  // damaged keys' lines go after it
  const RegistryKey* indexed_ = nullptr;                   // the key valueIndex_ describes
  std::unordered_map<std::u16string, size_t> valueIndex_;  // folded name: place in values
  bool skipping_ = false;
  bool damagedKey_ = false;
  std::string_view raw_;  // the current line(s) as read
  bool headerSeen_ = false;
  int lineNumber_ = 0;
};

std::string Escape(std::u16string_view text) {
  std::string out;
  for (char c : Utf16ToUtf8(text)) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

// The text of a REG_SZ that a quoted string gives back byte for byte.
bool AsQuotable(const std::vector<BYTE>& data, std::u16string* text) {
  if (data.size() < 2 || data.size() % 2 != 0) return false;
  text->clear();
  for (size_t i = 0; i + 2 < data.size(); i += 2) {
    char16_t c = static_cast<char16_t>(data[i] | data[i + 1] << 8);
    if (c == 0 || c == u'\r' || c == u'\n') return false;
    *text += c;
  }
  if (data[data.size() - 2] != 0 || data.back() != 0) return false;
  std::u16string back;
  return Utf8ToUtf16(Utf16ToUtf8(*text), &back) && back == *text;
}

void AppendHex(std::string& out, size_t lineStart, const std::vector<BYTE>& data) {
  char buf[4];
  for (size_t i = 0; i < data.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02x", data[i]);
    out += buf;
    if (i + 1 == data.size()) break;
    out += ',';
    if (out.size() - lineStart > kHexLineWidth) {
      out += "\\\n  ";
      lineStart = out.size() - 2;
    }
  }
}

void AppendValue(std::string& out, const RegistryValue& value) {
  size_t lineStart = out.size();
  out += value.name.empty() ? std::string("@") : "\"" + Escape(value.name) + "\"";
  out += '=';
  std::u16string text;
  char buf[16];
  if (value.type == REG_SZ && AsQuotable(value.data, &text)) {
    out += "\"" + Escape(text) + "\"";
  } else if (value.type == REG_DWORD && value.data.size() == 4) {
    uint32_t v = value.data[0] | value.data[1] << 8 | value.data[2] << 16 | uint32_t{value.data[3]} << 24;
    std::snprintf(buf, sizeof buf, "dword:%08x", v);
    out += buf;
  } else {
    if (value.type == REG_BINARY) {
      out += "hex:";
    } else {
      std::snprintf(buf, sizeof buf, "hex(%x):", value.type);
      out += buf;
    }
    AppendHex(out, lineStart, value.data);
  }
  out += '\n';
}

void AppendUnread(std::string& out, const RegistryKey& key, size_t beforeValue) {
  for (const auto& lines : key.unread) {
    const bool here = beforeValue == UnreadLines::kAfterKey
                          ? lines.beforeValue == UnreadLines::kAfterKey
                          : lines.beforeValue == beforeValue ||
                                (beforeValue == key.values.size() && lines.beforeValue != UnreadLines::kAfterKey &&
                                 lines.beforeValue > beforeValue);
    if (here) out += lines.text + '\n';
  }
}

void AppendKey(std::string& out, const RegistryKey& key, const std::string& path, bool isRoot) {
  if (!isRoot || !key.values.empty() || !key.unread.empty()) {
    out += "[" + path + "]\n";
    for (size_t i = 0; i < key.values.size(); ++i) {
      AppendUnread(out, key, i);
      AppendValue(out, key.values[i]);
    }
    AppendUnread(out, key, key.values.size());
    AppendUnread(out, key, UnreadLines::kAfterKey);
    out += '\n';
  }
  for (const auto& [folded, sub] : key.subkeys) {
    AppendKey(out, *sub, path + "\\" + Utf16ToUtf8(sub->name), false);
  }
}

}  // namespace

void ParseRegistryText(std::string_view text, RegistryKey& root, std::vector<std::string>* problems) {
  std::string converted;
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
      static_cast<unsigned char>(text[1]) == 0xFE) {
    std::u16string wide;
    for (size_t i = 2; i + 1 < text.size(); i += 2) {
      wide += static_cast<char16_t>(static_cast<unsigned char>(text[i]) |
                                    static_cast<unsigned char>(text[i + 1]) << 8);
    }
    converted = Utf16ToUtf8(wide);
    text = converted;
  } else if (text.starts_with("\xEF\xBB\xBF")) {
    text.remove_prefix(3);
  }
  Parser(root, problems).Run(text);
}

std::string FormatRegistryText(const RegistryKey& root) {
  std::string out(kRegistryFileHeader);
  out += "\n\n";
  if (!root.unread.empty()) {
    for (const auto& lines : root.unread) out += lines.text + '\n';
    out += '\n';
  }
  for (const auto& [folded, key] : root.subkeys) AppendKey(out, *key, Utf16ToUtf8(key->name), true);
  return out;
}
