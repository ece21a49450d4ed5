#include <zlib.h>

#include <algorithm>
#include <vector>

#include "documents/common/file_reading.h"
#include "documents/common/output_file.h"
#include "documents/zip/zip_archive.h"

namespace {

constexpr int32_t kStoredBlock = 50000;
constexpr int32_t kInflateBlock = 16384;

class Inflater {
 public:
  Inflater() : ok_(inflateInit2(&stream_, -MAX_WBITS) == Z_OK) {}
  ~Inflater() {
    if (ok_) inflateEnd(&stream_);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  bool ok() const { return ok_; }
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
  bool ok_;
};

bool CopyStored(TextFile& file, const ZipEntry& entry, OutputFile& out) {
  std::vector<char> block(static_cast<size_t>(std::min(entry.uncompressedSize, kStoredBlock)));
  for (int32_t remaining = entry.uncompressedSize; remaining > 0;) {
    const int32_t n = std::min(remaining, kStoredBlock);
    if (!ReadExactly(file, block.data(), static_cast<size_t>(n))) return false;
    if (!out.Write(block.data(), static_cast<size_t>(n))) return false;
    remaining -= n;
  }
  return true;
}

// Inflates what input the stream holds (or, with none, what it still has
// buffered). Returns false on an error; sets ended at the stream's end.
// Output beyond the declared size is an error.
bool Drain(z_stream& stream, std::vector<unsigned char>& buffer, int64_t declared,
           int64_t& total, OutputFile& out, bool& ended) {
  do {
    stream.next_out = buffer.data();
    stream.avail_out = static_cast<uInt>(buffer.size());
    const int result = inflate(&stream, Z_SYNC_FLUSH);
    const size_t produced = buffer.size() - stream.avail_out;
    if (total + static_cast<int64_t>(produced) > declared) return false;
    if (!out.Write(buffer.data(), produced)) return false;
    total += static_cast<int64_t>(produced);
    if (result == Z_STREAM_END) {
      ended = true;
      return true;
    }
    if (result != Z_OK) {
      // Some writers end the data without the final block.
      ended = total == declared;
      return ended;
    }
  } while (stream.avail_in > 0 || stream.avail_out == 0);
  return true;
}

bool CopyDeflated(TextFile& file, const ZipEntry& entry, OutputFile& out) {
  Inflater inflater;
  if (!inflater.ok()) return false;
  z_stream& stream = inflater.stream();
  std::vector<unsigned char> input(kInflateBlock);
  std::vector<unsigned char> output(kInflateBlock);
  const int64_t declared = entry.uncompressedSize;
  int64_t total = 0;
  bool ended = false;
  for (int32_t remaining = entry.compressedSize; remaining > 0 && !ended;) {
    const int32_t n = std::min(remaining, kInflateBlock);
    if (!ReadExactly(file, input.data(), static_cast<size_t>(n))) return false;
    remaining -= n;
    stream.next_in = input.data();
    stream.avail_in = static_cast<uInt>(n);
    if (!Drain(stream, output, declared, total, out, ended)) return false;
  }
  while (!ended) {
    stream.next_in = nullptr;
    stream.avail_in = 0;
    const int64_t before = total;
    if (!Drain(stream, output, declared, total, out, ended)) return false;
    if (!ended && total == before) return false;
  }
  return total == declared;
}

}  // namespace

bool ExtractZipEntry(const char16_t* archivePath, const ZipEntry& entry, const char16_t* target) {
  if (entry.uncompressedSize < 1 || entry.dataOffset < 0) return false;
  TextFile file(archivePath, u"rb");
  OutputFile out(OutputContent::kBinary);
  if (!file.IsOpen() || !out.Open(archivePath, target, entry.uncompressedSize)) return false;
  if (!file.Seek(entry.dataOffset)) return false;
  const bool copied = entry.compressedSize == -1 ? CopyStored(file, entry, out)
                      : entry.compressedSize >= 0 ? CopyDeflated(file, entry, out)
                                                  : false;
  return copied && out.Commit();
}
