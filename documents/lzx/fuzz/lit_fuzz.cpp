// libFuzzer target: arbitrary bytes as a LIT container; every internal file
// is read and the manifest and tag streams rebuilt.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "documents/lit/lit_html_rebuild.h"
#include "documents/litlib/lit_file.h"
#include "documents/litlib/lit_manifest.h"

namespace {
struct Input {
  const uint8_t* data;
  size_t size;
};
uint8_t* ReadAt(void* handle, uint32_t offset, uint32_t size) {
  const auto* in = static_cast<const Input*>(handle);
  if (uint64_t(offset) + size > in->size) return nullptr;
  auto* copy = static_cast<uint8_t*>(std::malloc(size == 0 ? 1 : size));
  std::memcpy(copy, in->data + offset, size);
  return copy;
}
int32_t Discard(void*, const char*, int32_t count) { return count; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input input{data, size};
  lit_file lit{};
  lit.handle = &input;
  lit.readAt = ReadAt;
  lit.fileSize = static_cast<uint32_t>(size);
  if (lit_read(&lit) == LIT_OK) {
    lit_manifest manifest;
    const bool haveManifest = lit_read_manifest(&lit, &manifest) == LIT_OK;
    std::vector<std::string> names;
    for (lit_entry* e = lit.entries; e != nullptr; e = e->next) names.push_back(e->name);
    for (const std::string& name : names) {
      uint8_t* file = nullptr;
      uint32_t length = 0;
      if (lit_get_file(&lit, name.c_str(), &file, &length) == LIT_OK && file != nullptr) {
        lit_reconstruct_html(file, 0, length, false, haveManifest ? &manifest : nullptr, Discard,
                             nullptr);
        lit_free(file);
      }
    }
  }
  lit_free_directory(&lit);
  return 0;
}
