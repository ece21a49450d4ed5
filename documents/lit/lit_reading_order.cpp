#include "documents/lit/lit_reading_order.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "documents/lit/lit_extract.h"
#include "platform/unicode.h"

namespace {

// An attribute value as the rebuilt package writes it, back to its UTF-8
// characters.
std::string Unescape(std::string_view value) {
  constexpr std::pair<std::string_view, char> kNamed[] = {
      {"&quot;", '"'}, {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}};
  std::string out;
  for (size_t i = 0; i < value.size();) {
    bool replaced = false;
    for (const auto& [entity, c] : kNamed) {
      if (value.substr(i).starts_with(entity)) {
        out += c;
        i += entity.size();
        replaced = true;
        break;
      }
    }
    if (replaced) continue;
    const size_t end = value.find(';', i);
    if (value.substr(i).starts_with("&#") && end != std::string_view::npos && end - i <= 8) {
      const std::string digits(value.substr(i + 2, end - i - 2));
      char* stop = nullptr;
      const unsigned long code = std::strtoul(digits.c_str(), &stop, 10);
      if (!digits.empty() && *stop == '\0' && code < 0x10000) {
        out += Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(code)));
        i = end + 1;
        continue;
      }
    }
    out += value[i++];
  }
  return out;
}

}  // namespace

std::vector<std::string> LitSpineIdrefs(lit_file* lit, const lit_manifest& manifest) {
  std::string package;
  if (LitRebuild(lit, "/meta", true, &manifest, &package) < 0) return {};
  std::vector<std::string> idrefs;
  const size_t spine = package.find("<spine");
  const size_t spineEnd = package.find("</spine>", spine);
  if (spine == std::string::npos) return {};
  constexpr std::string_view kIdref = " idref=\"";
  for (size_t at = package.find("<itemref", spine); at < spineEnd;
       at = package.find("<itemref", at + 1)) {
    const size_t tagEnd = package.find('>', at);
    const size_t value = package.find(kIdref, at);
    if (value == std::string::npos || value > tagEnd) continue;
    const size_t start = value + kIdref.size();
    const size_t end = package.find('"', start);
    if (end == std::string::npos) break;
    idrefs.push_back(Unescape(std::string_view(package).substr(start, end - start)));
  }
  return idrefs;
}

std::vector<const lit_manifest_item*> LitReadingOrder(const lit_manifest& manifest,
                                                      const std::vector<std::string>& spine) {
  std::vector<const lit_manifest_item*> documents;
  for (int group = 0; group < 2; ++group) {
    for (const lit_manifest_item& item : manifest.groups[group]) documents.push_back(&item);
  }
  std::vector<const lit_manifest_item*> ordered;
  for (const std::string& idref : spine) {
    const auto found = std::find_if(documents.begin(), documents.end(), [&](const auto* item) {
      return item != nullptr && item->internalName == idref;
    });
    if (found == documents.end()) continue;
    ordered.push_back(*found);
    *found = nullptr;  // a document the spine names twice is read once
  }
  return ordered.empty() ? documents : ordered;
}
