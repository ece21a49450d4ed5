#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "documents/common/conversion_message.h"
#include "documents/common/file_reading.h"
#include "documents/common/output_file.h"
#include "documents/common/path_names.h"
#include "documents/zip/zip_archive.h"
#include "foundation/code_pages.h"
#include "platform/unicode.h"

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

// What the archive's data turned out to be.
enum class Damage { kNone, kSize, kData };

// The entry's bytes on their way to the target: never more than declared,
// their CRC-32 taken as they pass.
class EntryOutput {
 public:
  EntryOutput(OutputFile& out, int64_t declared) : out_(out), declared_(declared) {}

  // False when the target cannot take them; bytes beyond the declared size
  // are dropped and mark the entry damaged.
  bool Put(const unsigned char* bytes, size_t n) {
    if (static_cast<int64_t>(n) > declared_ - total_) {
      n = static_cast<size_t>(declared_ - total_);
      damage_ = Damage::kSize;
    }
    if (n == 0) return true;
    crc_ = crc32(crc_, bytes, static_cast<uInt>(n));
    total_ += static_cast<int64_t>(n);
    if (out_.Write(bytes, n)) return true;
    writeFailed_ = true;
    return false;
  }

  void MarkDamaged(Damage damage) {
    if (damage_ == Damage::kNone) damage_ = damage;
  }
  bool Full() const { return total_ >= declared_; }
  int64_t total() const { return total_; }
  uLong crc() const { return crc_; }
  Damage damage() const { return damage_; }
  bool writeFailed() const { return writeFailed_; }

 private:
  OutputFile& out_;
  int64_t declared_;
  int64_t total_ = 0;
  uLong crc_ = crc32(0L, Z_NULL, 0);
  Damage damage_ = Damage::kNone;
  bool writeFailed_ = false;
};

// A short read is the end of what the archive holds.
void CopyStored(TextFile& file, int32_t size, EntryOutput& out) {
  std::vector<unsigned char> block(static_cast<size_t>(std::min(size, kStoredBlock)));
  for (int32_t remaining = size; remaining > 0;) {
    const auto n = static_cast<size_t>(std::min(remaining, kStoredBlock));
    const size_t got = file.Read(block.data(), n);
    if (!out.Put(block.data(), got)) return;
    if (got < n) {
      out.MarkDamaged(Damage::kData);
      return;
    }
    remaining -= static_cast<int32_t>(n);
  }
}

// Inflates what input the stream holds (or, with none, what it still has
// buffered). Sets ended at the stream's end or at the first fault; false
// when the stream gives nothing more.
bool Drain(z_stream& stream, std::vector<unsigned char>& buffer, EntryOutput& out, bool& ended) {
  bool produced = false;
  do {
    stream.next_out = buffer.data();
    stream.avail_out = static_cast<uInt>(buffer.size());
    const int result = inflate(&stream, Z_SYNC_FLUSH);
    const size_t n = buffer.size() - stream.avail_out;
    produced = produced || n > 0;
    if (!out.Put(buffer.data(), n) || out.damage() != Damage::kNone) {
      ended = true;
      return produced;
    }
    if (result == Z_STREAM_END) {
      ended = true;
      return true;
    }
    if (result != Z_OK) {
      // Some writers end the data without the final block.
      if (!out.Full()) out.MarkDamaged(Damage::kData);
      ended = true;
      return produced;
    }
  } while (stream.avail_in > 0 || stream.avail_out == 0);
  return produced;
}

void CopyDeflated(TextFile& file, const ZipEntry& entry, EntryOutput& out) {
  Inflater inflater;
  if (!inflater.ok()) {
    out.MarkDamaged(Damage::kData);
    return;
  }
  z_stream& stream = inflater.stream();
  std::vector<unsigned char> input(kInflateBlock);
  std::vector<unsigned char> output(kInflateBlock);
  bool ended = false;
  for (int32_t remaining = entry.compressedSize; remaining > 0 && !ended;) {
    const int32_t n = std::min(remaining, kInflateBlock);
    const size_t got = file.Read(input.data(), static_cast<size_t>(n));
    remaining = got < static_cast<size_t>(n) ? 0 : remaining - n;
    stream.next_in = input.data();
    stream.avail_in = static_cast<uInt>(got);
    Drain(stream, output, out, ended);
  }
  while (!ended) {
    stream.next_in = nullptr;
    stream.avail_in = 0;
    if (!Drain(stream, output, out, ended) && !ended) {
      out.MarkDamaged(Damage::kData);
      break;
    }
  }
  // A stream that ended well before the declared size.
  if (!out.Full()) out.MarkDamaged(Damage::kSize);
}

std::u16string Number(int64_t n) { return NarrowToWide(std::to_string(n)); }

void CannotExtract(const char16_t* target, const std::u16string& why) {
  ShowConversionStop(u"The archive entry " + GetPathFileName(target) +
                     u" could not be taken out of the archive: " + why);
}

void CannotWrite(const char16_t* target, const OutputFile& out) {
  CannotExtract(target, u"the file cannot be written (" + out.FailureWords() + u").");
}

}  // namespace

bool ExtractZipEntry(const char16_t* archivePath, const ZipEntry& entry, const char16_t* target) {
  if (entry.uncompressedSize < 1) {
    CannotExtract(target, u"it is empty.");
    return false;
  }
  if (entry.uncompressedSize > kLargestExtractedEntry) {
    CannotExtract(target, u"it is larger than " + Number(kLargestExtractedEntry >> 20) +
                              u" MB, the largest entry the reader takes out of an archive.");
    return false;
  }
  TextFile file(archivePath, u"rb");
  if (!file.IsOpen()) {
    CannotExtract(target, u"the archive cannot be read (" + SystemReason(errno) + u").");
    return false;
  }
  // A failed write is said here, naming the entry rather than the file in
  // the cache it was going to.
  OutputFile out(OutputContent::kBinary, WriteFailures::kLeftToCaller);
  if (!out.Open(archivePath, target, entry.uncompressedSize)) {
    // Passing the limits has said why.
    if (!out.LimitsPassed()) {
      CannotWrite(target, out);
    }
    return false;
  }
  EntryOutput bytes(out, entry.uncompressedSize);
  if (entry.dataOffset < 0 || entry.compressedSize < -1 || !file.Seek(entry.dataOffset)) {
    bytes.MarkDamaged(Damage::kData);
  } else if (entry.compressedSize == -1) {
    CopyStored(file, entry.uncompressedSize, bytes);
  } else {
    CopyDeflated(file, entry, bytes);
  }
  if (bytes.writeFailed()) {
    if (!out.LimitsPassed()) CannotWrite(target, out);
    return false;
  }
  if (bytes.total() == 0) {
    CannotExtract(target, u"its data is damaged, nothing could be read.");
    return false;
  }
  const bool crcMatches = !entry.crcKnown || bytes.crc() == entry.crc;
  if (!out.Commit()) {
    CannotWrite(target, out);
    return false;
  }
  if (bytes.damage() != Damage::kNone || !crcMatches) {
    const std::u16string why = bytes.damage() == Damage::kSize
                                   ? u"its size does not match its data"
                               : bytes.damage() == Damage::kData
                                   ? u"its data breaks off after " +
                                         Number(bytes.total()) + u" bytes"
                                   : u"its CRC-32 does not match its data";
    ShowConversionWarning(u"Warning: the archive entry " + GetPathFileName(target) +
                          u" is damaged: " + why +
                          u". What could be read was taken out; parts of it may be missing "
                          u"or wrong.");
  }
  return true;
}
