// Just enough of the compiled-help container to get at its LZX section: the
// directory's listing chunks and the files stored uncompressed.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ChmFile {
  uint64_t section = 0;
  uint64_t offset = 0;
  uint64_t length = 0;
};

class ChmReader {
 public:
  bool Open(const std::vector<uint8_t>& bytes);
  const std::map<std::string, ChmFile>& Files() const { return files_; }
  // A file of section 0.
  std::vector<uint8_t> Stored(const std::string& name) const;

 private:
  std::vector<uint8_t> bytes_;
  uint64_t contentOffset_ = 0;
  std::map<std::string, ChmFile> files_;
};
