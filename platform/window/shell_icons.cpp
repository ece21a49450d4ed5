#include "platform/window/shell_icons.h"

#include "platform/window/controls.h"

#include <map>
#include <vector>

namespace {

// One character a pixel; ' ' is clear.
const std::map<char, COLORREF> kInks = {
    {'k', RGB(0x00, 0x00, 0x00)}, {'w', RGB(0xFF, 0xFF, 0xFF)}, {'g', RGB(0x80, 0x80, 0x80)},
    {'s', RGB(0xC0, 0xC0, 0xC0)}, {'y', RGB(0xFF, 0xD8, 0x50)}, {'Y', RGB(0xC8, 0x96, 0x20)},
    {'b', RGB(0x20, 0x50, 0xC0)}, {'B', RGB(0x10, 0x28, 0x70)}, {'r', RGB(0xD0, 0x20, 0x20)},
    {'G', RGB(0x20, 0x90, 0x30)}, {'n', RGB(0x90, 0x60, 0x30)},
};

using Picture = std::vector<std::string_view>;

const Picture kPictures[kShellIconCount] = {
    {  // folder
        "                ",
        "                ",
        " YYYYY          ",
        "YyyyyyY         ",
        "YyyyyyyYYYYYYYY ",
        "YyyyyyyyyyyyyyYk",
        "YyyyyyyyyyyyyyYk",
        "YyyyyyyyyyyyyyYk",
        "YyyyyyyyyyyyyyYk",
        "YyyyyyyyyyyyyyYk",
        "YyyyyyyyyyyyyyYk",
        "YyyyyyyyyyyyyyYk",
        "YyyyyyyyyyyyyyYk",
        "YYYYYYYYYYYYYYYk",
        " kkkkkkkkkkkkkkk",
        "                "},
    {  // archive: a folder tied with a zipper
        "                ",
        "                ",
        " YYYYY          ",
        "YyyyyyY         ",
        "YyyyyykkYYYYYYY ",
        "YyyyyyksyyyyyyYk",
        "YyyyyykkyyyyyyYk",
        "YyyyyyksyyyyyyYk",
        "YyyyyykkyyyyyyYk",
        "YyyyyyksyyyyyyYk",
        "YyyyyykkyyyyyyYk",
        "YyyyyknnkyyyyyYk",
        "YyyyyknnkyyyyyYk",
        "YYYYYYkkYYYYYYYk",
        " kkkkkkkkkkkkkkk",
        "                "},
    {  // plain text: a page with lines
        "  gggggggggg    ",
        "  gwwwwwwwwgg   ",
        "  gwwwwwwwwgwg  ",
        "  gwkkkkkwwggggk",
        "  gwwwwwwwwwwwgk",
        "  gwkkkkkkkkwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwkkkkkkkkwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwkkkkkkkwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwkkkkkkkkwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gggggggggggggk",
        "   kkkkkkkkkkkkk"},
    {  // book
        "                ",
        "   BBBBBBBBBBB  ",
        "  Bbbbbbbbbbbbk ",
        "  Bbbbbbbbbbbbk ",
        "  BbbwwwwwwbbBk ",
        "  Bbbbbbbbbbbbk ",
        "  BbbwwwwwbbbBk ",
        "  Bbbbbbbbbbbbk ",
        "  Bbbbbbbbbbbbk ",
        "  Bbbbbbbbbbbbk ",
        "  Bbbbbbbbbbbbk ",
        "  Bbbbbbbbbbbbk ",
        "  Bwwwwwwwwwwwk ",
        "  Bsssssssssssk ",
        "   kkkkkkkkkkk  ",
        "                "},
    {  // markup: a page with angle brackets
        "  gggggggggg    ",
        "  gwwwwwwwwgg   ",
        "  gwwwwwwwwgwg  ",
        "  gwwwwwwwwggggk",
        "  gwwwwwwwwwwwgk",
        "  gwwwGwwwGwwwgk",
        "  gwwGwwwwwGwwgk",
        "  gwGwwwwwwwGwgk",
        "  gwwGwwwwwGwwgk",
        "  gwwwGwwwGwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwbbbbbbbbwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gggggggggggggk",
        "   kkkkkkkkkkkkk"},
    {  // rich text: a page with coloured lines
        "  gggggggggg    ",
        "  gwwwwwwwwgg   ",
        "  gwwwwwwwwgwg  ",
        "  gwrrrrrwwggggk",
        "  gwwwwwwwwwwwgk",
        "  gwkkkkkkkkwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwbbbbbbbbwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwkkkkkkkwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwrrrrrrrrwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gggggggggggggk",
        "   kkkkkkkkkkkkk"},
    {  // any other file: a blank page
        "  gggggggggg    ",
        "  gwwwwwwwwgg   ",
        "  gwwwwwwwwgwg  ",
        "  gwwwwwwwwggggk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gwwwwwwwwwwwgk",
        "  gggggggggggggk",
        "   kkkkkkkkkkkkk"},
};

struct Kind {
  const char16_t* extension;
  ShellIcon icon;
};
constexpr Kind kKinds[] = {
    {u"zip", kShellIconArchive}, {u"txt", kShellIconText},    {u"pdb", kShellIconBook},
    {u"prc", kShellIconBook},    {u"tcr", kShellIconBook},    {u"lit", kShellIconBook},
    {u"rb", kShellIconBook},     {u"htm", kShellIconMarkup},  {u"html", kShellIconMarkup},
    {u"xml", kShellIconMarkup},  {u"fb2", kShellIconMarkup},  {u"rtf", kShellIconRichText},
};

}  // namespace

size_t LeadingBlanks(std::u16string_view item) {
  const size_t first = item.find_first_not_of(u' ');
  return first == std::u16string_view::npos ? item.size() : first;
}

ShellIcon ShellIconFor(std::u16string_view name, bool folder) {
  if (folder) return kShellIconFolder;
  const size_t dot = name.rfind(u'.');
  if (dot == std::u16string_view::npos || name.find(u'/', dot) != std::u16string_view::npos)
    return kShellIconFile;
  const std::u16string_view extension = name.substr(dot + 1);
  for (const Kind& kind : kKinds)
    if (EqualsNoCase(extension, kind.extension)) return kind.icon;
  return kShellIconFile;
}

HICON LoadShellIcon(int icon) {
  static const std::vector<Icon> icons = [] {
    std::vector<Icon> made;
    for (const Picture& picture : kPictures) made.push_back(IconFromRows(picture, kInks));
    return made;
  }();
  if (icon < 0 || icon >= kShellIconCount) return nullptr;
  return &icons[icon];
}
