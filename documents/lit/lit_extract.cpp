#include "documents/lit/lit_extract.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "documents/lit/lit_html_rebuild.h"
#include "platform/unicode.h"

namespace {

const char kPackageHeader[] =
    "<?xml version=\"1.0\"?>\n"
    "<!DOCTYPE package\n"
    "\tPUBLIC \"+//ISBN 0-9673008-1-9//DTD OEB 1.0.1 Package//EN\"\n"
    "\t\"http://openebook.org/dtds/oeb-1.0.1/oebpkg101.dtd\">\n";

std::FILE* OpenForWriting(const std::u16string& path) {
  return std::fopen(Utf16ToUtf8(path).c_str(), "wb");
}

int32_t WriteToFile(void* handle, const char* bytes, int32_t count) {
  return static_cast<int32_t>(std::fwrite(bytes, 1, count, static_cast<std::FILE*>(handle)));
}

std::u16string Widen(const std::string& name) {
  std::u16string wide;
  if (Utf8ToUtf16(name, &wide)) return wide;
  wide.clear();
  for (unsigned char c : name) wide.push_back(c < 0x80 ? c : u'_');
  return wide;
}

}  // namespace

std::string LitSafeFileName(const std::string& fileName) {
  size_t start = 0;
  for (size_t i = 1; i < fileName.size(); ++i) {
    const char c = fileName[i];
    if (c == '/' || c == '\\' || c == ':') start = i + 1;
  }
  std::string name = fileName.substr(start);
  for (char& c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || u == 127 || std::strchr("?<>\"*|;", c) != nullptr) c = '_';
    // A separator left at the first position would leave the folder.
    if (c == '/' || c == '\\') c = '_';
  }
  if (name == "." || name == "..") name.clear();
  return name;
}

int LitWriteRebuiltFile(lit_file* lit, const char* internalName, const std::u16string& path,
                        bool packageMode, const lit_manifest* manifest) {
  uint8_t* stream = nullptr;
  uint32_t size = 0;
  int rc = lit_get_file(lit, internalName, &stream, &size);
  if (rc != LIT_OK) return rc;
  std::FILE* file = OpenForWriting(path);
  if (file == nullptr) {
    lit_free(stream);
    return -1;
  }
  const size_t headerLength = sizeof kPackageHeader - 1;
  if (packageMode && std::fwrite(kPackageHeader, 1, headerLength, file) != headerLength) {
    rc = -1;
  } else {
    const int32_t consumed =
        lit_reconstruct_html(stream, 0, size, packageMode, manifest, WriteToFile, file);
    rc = consumed < 0 ? consumed : (static_cast<uint32_t>(consumed) < size ? 1 : 0);
  }
  if (std::fclose(file) != 0 && rc >= 0) rc = -1;
  lit_free(stream);
  return rc;
}

int LitWriteRawFile(lit_file* lit, const char* internalName, const std::u16string& path) {
  uint8_t* data = nullptr;
  uint32_t size = 0;
  if (lit_get_file(lit, internalName, &data, &size) != LIT_OK) return -1;
  std::FILE* file = OpenForWriting(path);
  bool ok = file != nullptr && std::fwrite(data, 1, size, file) == size;
  if (file != nullptr && std::fclose(file) != 0) ok = false;
  lit_free(data);
  return ok ? 0 : -1;
}

int LitExtractBook(lit_file* lit, const std::u16string&, const std::u16string& folder,
                   std::u16string* mainPath) {
  mainPath->clear();
  lit_manifest manifest;
  int rc = lit_read_manifest(lit, &manifest);
  if (rc != LIT_OK) return rc;
  for (int group = 0; group < 4; ++group) {
    for (const lit_manifest_item& item : manifest.groups[group]) {
      if (!mainPath->empty()) return 0;
      const std::string name = LitSafeFileName(item.fileName);
      if (name.empty()) return -1;
      const std::u16string path = folder + Widen(name);
      if (group < 2) {
        const std::string internal = "/data/" + item.internalName + "/content";
        rc = LitWriteRebuiltFile(lit, internal.c_str(), path, false, &manifest);
      } else {
        const std::string internal = "/data/" + item.internalName;
        rc = LitWriteRawFile(lit, internal.c_str(), path);
      }
      if (rc < 0) return -1;
      *mainPath = path;
    }
  }
  return 0;
}
