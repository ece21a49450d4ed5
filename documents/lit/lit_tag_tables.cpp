#include "documents/lit/lit_tag_tables.h"

#include <iterator>

namespace {

const char* const kHtmlTagNames[109] = {
    nullptr, nullptr, nullptr, "a", "acronym", "address", "applet", "area", "b", "base",
    "basefont", "bdo", "bgsound", "big", "blink", "blockquote", "body", "br", "button",
    "caption", "center", "cite", "code", "col", "colgroup", nullptr, nullptr, "dd", "del", "dfn",
    "dir", "div", "dl", "dt", "em", "embed", "fieldset", "font", "form", "frame", "frameset",
    nullptr, "h1", "h2", "h3", "h4", "h5", "h6", "head", "hr", "html", "i", "iframe", "img",
    "input", "ins", "kbd", "label", "legend", "li", "link", "tag61", "map", "tag63", "tag64",
    "meta", "nextid", "nobr", "noembed", "noframes", "noscript", "object", "ol", "option", "p",
    "param", "plaintext", "pre", "q", "rp", "rt", "ruby", "s", "samp", "script", "select",
    "small", "span", "strike", "strong", "style", "sub", "sup", "table", "tbody", "tc", "td",
    "textarea", "tfoot", "th", "thead", "title", "tr", "tt", "u", "ul", "var", "wbr", nullptr,
};

const LitAttributeName kHtmlGlobal[] = {
    {32784, "tabindex"},        {32838, "title"},
    {32843, "style"},           {32845, "disabled"},
    {33770, "class"},           {33771, "id"},
    {33790, "datafld"},         {33791, "datasrc"},
    {33792, "dataformatas"},    {34774, "accesskey"},
    {37778, "lang"},            {37869, "language"},
    {37886, "dir"},             {38769, "onmouseover"},
    {38770, "onmouseout"},      {38771, "onmousedown"},
    {38772, "onmouseup"},       {38773, "onmousemove"},
    {38774, "onkeydown"},       {38775, "onkeyup"},
    {38776, "onkeypress"},      {38777, "onclick"},
    {38778, "ondblclick"},      {38779, "onhelp"},
    {38780, "onfocus"},         {38781, "onblur"},
    {38782, "onrowexit"},       {38783, "onrowenter"},
    {38784, "onbeforeupdate"},  {38785, "onafterupdate"},
    {38786, "onreadystatechange"}, {38787, "onscroll"},
    {38788, "ondragstart"},     {38789, "onresize"},
    {38790, "onselectstart"},   {38791, "onerrorupdate"},
    {38792, "ondatasetchanged"}, {38793, "ondataavailable"},
    {38794, "ondatasetcomplete"}, {38795, "onfilterchange"},
    {38796, "onlosecapture"},   {38797, "onpropertychange"},
    {38798, "ondrag"},          {38799, "ondragend"},
    {38800, "ondragenter"},     {38801, "ondragover"},
    {38802, "ondragleave"},     {38803, "ondrop"},
    {38804, "oncut"},           {38805, "oncopy"},
    {38806, "onpaste"},         {38807, "onbeforecut"},
    {38808, "onbeforecopy"},    {38809, "onbeforepaste"},
    {38810, "onrowsdelete"},    {38811, "onrowsinserted"},
    {38812, "oncellchange"},    {38813, "oncontextmenu"},
    {38838, "onbeforeeditfocus"},
};
static_assert(std::size(kHtmlGlobal) == 59);

const LitAttributeName kAnchor[] = {{1, "href"},    {1004, "target"},  {1006, "rel"},
                                    {1007, "rev"},  {1008, "urn"},     {1009, "methods"},
                                    {32769, "name"}};
const LitAttributeName kImage[] = {{1003, "alt"},     {1004, "src"},      {1005, "border"},
                                   {32774, "width"},  {32775, "height"},  {32842, "align"}};
const LitAttributeName kBody[] = {{37770, "background"}, {37771, "text"}, {65036, "bgcolor"}};

LitAttributeTable MakeHtmlTagAttributes(int tag) {
  switch (tag) {
    case 3: return {kAnchor, static_cast<int>(std::size(kAnchor))};
    case 16: return {kBody, static_cast<int>(std::size(kBody))};
    case 53: return {kImage, static_cast<int>(std::size(kImage))};
    default: return {nullptr, 0};
  }
}

struct HtmlAttributeTables {
  LitAttributeTable tables[109];
  HtmlAttributeTables() {
    for (int i = 0; i < 109; ++i) tables[i] = MakeHtmlTagAttributes(i);
  }
};

const char* const kPackageTagNames[43] = {
    nullptr, "package", "dc:Title", "dc:Creator", nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    "manifest", "item", "spine", "itemref", "metadata", "dc-metadata", "dc:Subject",
    "dc:Description", "dc:Publisher", "dc:Contributor", "dc:Date", "dc:Type", "dc:Format",
    "dc:Identifier", "dc:Source", "dc:Language", "dc:Relation", "dc:Coverage", "dc:Rights",
    "x-metadata", "meta", "tours", "tour", "site", "guide", "reference", nullptr,
};

const LitAttributeName kPackageGlobal[] = {
    {3, "<guid"},       {4, "<minimum_level"}, {5, "<attr5"},   {6, "id"},
    {7, "href"},        {8, "media-type"},     {9, "fallback"}, {10, "idref"},
    {11, "xmlns:dc"},   {12, "xmlns:oebpackage"}, {13, "role"}, {14, "file-as"},
    {15, "event"},      {16, "scheme"},        {17, "title"},   {18, "type"},
    {19, "unique-identifier"}, {20, "name"},   {21, "content"}, {22, "xml:lang"},
};

const char* Find(const LitAttributeTable& table, uint32_t number) {
  for (int i = 0; i < table.count; ++i) {
    if (table.entries[i].number == number) return table.entries[i].name;
  }
  return nullptr;
}

}  // namespace

const LitTagSet& LitHtmlTags() {
  static const HtmlAttributeTables attributes;
  static const LitTagSet set = {kHtmlTagNames, 109, attributes.tables,
                                {kHtmlGlobal, static_cast<int>(std::size(kHtmlGlobal))}};
  return set;
}

const LitTagSet& LitPackageTags() {
  static const LitTagSet set = {kPackageTagNames, 43, nullptr,
                                {kPackageGlobal, static_cast<int>(std::size(kPackageGlobal))}};
  return set;
}

const char* LitAttributeNameOf(const LitTagSet& set, uint32_t tag, uint32_t attribute) {
  if (set.tagAttributes != nullptr && tag < static_cast<uint32_t>(set.tagCount)) {
    if (const char* name = Find(set.tagAttributes[tag], attribute)) return name;
  }
  return Find(set.globalAttributes, attribute);
}
