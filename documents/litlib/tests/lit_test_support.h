// Containers in memory for the tests.
#pragma once

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "documents/litlib/lit_file.h"

inline uint8_t* ReadFromVector(void* handle, uint32_t offset, uint32_t size) {
  const auto* bytes = static_cast<const std::vector<uint8_t>*>(handle);
  if (uint64_t(offset) + size > bytes->size()) return nullptr;
  auto* copy = static_cast<uint8_t*>(std::malloc(size == 0 ? 1 : size));
  std::memcpy(copy, bytes->data() + offset, size);
  return copy;
}

inline int32_t WriteToVector(void* handle, const uint8_t* bytes, uint32_t size) {
  auto* out = static_cast<std::vector<uint8_t>*>(handle);
  out->insert(out->end(), bytes, bytes + size);
  return static_cast<int32_t>(size);
}

inline std::vector<uint8_t> ReadFixture(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A context reading the bytes; the bytes must outlive it.
inline lit_file ReaderOver(std::vector<uint8_t>& bytes) {
  lit_file lit{};
  lit.handle = &bytes;
  lit.readAt = ReadFromVector;
  lit.fileSize = static_cast<uint32_t>(bytes.size());
  return lit;
}

inline std::string GetText(lit_file* lit, const char* name, int* rc) {
  uint8_t* data = nullptr;
  uint32_t size = 0;
  *rc = lit_get_file(lit, name, &data, &size);
  std::string text(reinterpret_cast<char*>(data), data != nullptr ? size : 0);
  lit_free(data);
  return text;
}
