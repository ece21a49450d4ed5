#include "documents/lit/lit_extract.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "documents/lit/lit_html_rebuild.h"
#include "documents/lit/lit_reading_order.h"
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

int32_t Collect(void* handle, const char* bytes, int32_t count) {
  static_cast<std::string*>(handle)->append(bytes, static_cast<size_t>(count));
  return count;
}

bool WriteAll(std::FILE* file, const std::string& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
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

int LitRebuild(lit_file* lit, const char* internalName, bool packageMode,
               const lit_manifest* manifest, std::string* out) {
  uint8_t* stream = nullptr;
  uint32_t size = 0;
  const int rc = lit_get_file(lit, internalName, &stream, &size);
  if (rc != LIT_OK) return rc;
  if (packageMode) out->append(kPackageHeader);
  const int32_t consumed =
      lit_reconstruct_html(stream, 0, size, packageMode, manifest, Collect, out);
  lit_free(stream);
  return consumed < 0 ? consumed : (static_cast<uint32_t>(consumed) < size ? 1 : 0);
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

namespace {

// A book without documents: its first file stored as bytes is the text.
int ExtractFirstRawFile(lit_file* lit, const lit_manifest& manifest, const std::u16string& folder,
                        std::u16string* mainPath) {
  for (int group = 2; group < 4; ++group) {
    if (manifest.groups[group].empty()) continue;
    const lit_manifest_item& item = manifest.groups[group].front();
    const std::string name = LitSafeFileName(item.fileName);
    if (name.empty()) return -1;
    const std::u16string path = folder + Widen(name);
    if (LitWriteRawFile(lit, ("/data/" + item.internalName).c_str(), path) < 0) return -1;
    *mainPath = path;
    return 0;
  }
  return 0;
}

}  // namespace

int LitExtractBook(lit_file* lit, const std::u16string&, const std::u16string& folder,
                   std::u16string* mainPath, std::vector<std::string>* unread) {
  mainPath->clear();
  unread->clear();
  lit_manifest manifest;
  const int rc = lit_read_manifest(lit, &manifest);
  if (rc != LIT_OK) return rc;
  const std::vector<const lit_manifest_item*> documents =
      LitReadingOrder(manifest, LitSpineIdrefs(lit, manifest));
  if (documents.empty()) return ExtractFirstRawFile(lit, manifest, folder, mainPath);
  // The documents are joined into one file, named after the first.
  const std::string name = LitSafeFileName(documents.front()->fileName);
  const std::u16string path = folder + (name.empty() ? u"book.html" : Widen(name));
  std::FILE* file = OpenForWriting(path);
  if (file == nullptr) return -1;
  bool written = true;
  size_t joined = 0;
  std::string html;
  for (const lit_manifest_item* item : documents) {
    html.clear();
    const std::string internal = "/data/" + item->internalName + "/content";
    if (LitRebuild(lit, internal.c_str(), false, &manifest, &html) < 0) {
      unread->push_back(item->fileName);
      continue;
    }
    // The last words of one document never run into the first of the next.
    html += '\n';
    written = written && WriteAll(file, html);
    ++joined;
  }
  if (std::fclose(file) != 0) written = false;
  if (!written || joined == 0) return -1;
  *mainPath = path;
  return 0;
}
