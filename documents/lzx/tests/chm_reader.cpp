#include "documents/lzx/tests/chm_reader.h"

#include <cstring>

#include "documents/litlib/lit_encoded_int.h"

namespace {

uint32_t U32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint64_t U64(const uint8_t* p) { return U32(p) | (uint64_t(U32(p + 4)) << 32); }

}  // namespace

bool ChmReader::Open(const std::vector<uint8_t>& bytes) {
  bytes_ = bytes;
  if (bytes_.size() < 96 || std::memcmp(bytes_.data(), "ITSF", 4) != 0) return false;
  const uint64_t directory = U64(&bytes_[72]);
  contentOffset_ = U64(&bytes_[88]);
  if (directory + 84 > bytes_.size()) return false;
  const uint8_t* itsp = &bytes_[directory];
  const uint32_t headerLength = U32(itsp + 8);
  const uint32_t chunkSize = U32(itsp + 16);
  const uint32_t chunks = U32(itsp + 44);
  if (directory + headerLength + uint64_t(chunks) * chunkSize > bytes_.size()) return false;
  for (uint32_t i = 0; i < chunks; ++i) {
    const uint8_t* chunk = itsp + headerLength + uint64_t(i) * chunkSize;
    if (std::memcmp(chunk, "PMGL", 4) != 0) continue;
    const uint8_t* p = chunk + 20;
    const uint8_t* end = chunk + chunkSize - U32(chunk + 4);
    while (p < end) {
      const uint64_t nameLength = lit_read_encint(&p, end);
      std::string name(reinterpret_cast<const char*>(p), nameLength);
      p += nameLength;
      ChmFile file;
      file.section = lit_read_encint(&p, end);
      file.offset = lit_read_encint(&p, end);
      file.length = lit_read_encint(&p, end);
      files_[name] = file;
    }
  }
  return true;
}

std::vector<uint8_t> ChmReader::Stored(const std::string& name) const {
  const auto it = files_.find(name);
  if (it == files_.end() || it->second.section != 0) return {};
  const uint64_t start = contentOffset_ + it->second.offset;
  if (start + it->second.length > bytes_.size()) return {};
  return std::vector<uint8_t>(bytes_.begin() + start, bytes_.begin() + start + it->second.length);
}
