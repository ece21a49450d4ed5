#include <strings.h>

#include <cstring>
#include <string>
#include <vector>

#include "documents/rb/rb_book.h"

namespace {

const char* const kTypeNames[] = {"UNKNOWN", "html",  "text",        "RAW-TEXT", "image",
                                  "audio",   "info",  "hidx",        "hkey",     "rb",
                                  "COVER-IMAGE", "MAYBE-HTML", "IGNORE"};

struct KnownExtension {
  const char* extension;
  int32_t type;
};

const KnownExtension kKnown[] = {
    {"htm", RB_HTML},   {"html", RB_HTML},  {"hidx", RB_HIDX}, {"jpeg", RB_IMAGE},
    {"jpg", RB_IMAGE},  {"gif", RB_IMAGE},  {"png", RB_IMAGE}, {"txt", RB_TEXT},
    {"wav", RB_AUDIO},  {"info", RB_INFO},  {"hkey", RB_HKEY}, {"rb", RB_RB},
};

std::vector<std::string>& IgnoredExtensions() {
  static std::vector<std::string> list = {"zip", "rpm", "deb", "gz",  "Z",   "bz2", "exe", "com",
                                          "doc", "rtf", "mp3", "mov", "mpeg", "mpg", "au"};
  return list;
}

}  // namespace

int32_t rb_entry_type(const char* extension) {
  if (extension == nullptr) return RB_MAYBE_HTML;
  for (const std::string& ignored : IgnoredExtensions()) {
    if (strcasecmp(ignored.c_str(), extension) == 0) return RB_IGNORE;
  }
  if (*extension == '\0') return RB_MAYBE_HTML;
  for (const KnownExtension& known : kKnown) {
    if (strcasecmp(known.extension, extension) == 0) return known.type;
  }
  return RB_UNKNOWN;
}

int32_t rb_name_type(const char* name) {
  const char* dot = std::strrchr(name, '.');
  if (dot == nullptr || std::strpbrk(dot, "/:") != nullptr) return rb_entry_type(nullptr);
  return rb_entry_type(dot + 1);
}

const char* rb_entry_type_name(int32_t type) {
  if (type < 0 || type > RB_IGNORE) return kTypeNames[RB_UNKNOWN];
  return kTypeNames[type];
}

void rb_add_ignored_extension(const char* extension) {
  IgnoredExtensions().emplace_back(extension);
}
