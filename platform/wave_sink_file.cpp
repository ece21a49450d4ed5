// Plays into a RIFF/WAVE file, at the pace of the sound (or at once when
// fast). Samples go to the file in large blocks, and the sizes in the header
// are brought up to date after each block, so a file whose writer is killed
// still plays what it holds. A failed write, or one that would take the data
// past the RIFF size limit, fails the sink, so the header stays true.
#include "platform/wave_sink.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace platform::wave {
namespace {

constexpr long kHeaderBytes = 44;

// Files this process has written: a later open with the same format goes on
// where the last one stopped. Open files are refused to a second device.
struct FileBook {
  std::mutex lock;
  std::map<std::string, WAVEFORMATEX> formats;
  std::set<std::string> open;
};

FileBook& Book() {
  static FileBook* book = new FileBook;
  return *book;
}

void PutU32(BYTE* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<BYTE>(v >> (8 * i));
}

void PutU16(BYTE* p, uint16_t v) {
  p[0] = static_cast<BYTE>(v);
  p[1] = static_cast<BYTE>(v >> 8);
}

uint32_t GetU32(const BYTE* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void MakeHeader(const WAVEFORMATEX& f, uint32_t dataBytes, BYTE* h) {
  const uint32_t pad = dataBytes & 1;
  std::memcpy(h, "RIFF", 4);
  PutU32(h + 4, 36 + dataBytes + pad);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  PutU32(h + 16, 16);
  PutU16(h + 20, WAVE_FORMAT_PCM);
  PutU16(h + 22, f.nChannels);
  PutU32(h + 24, f.nSamplesPerSec);
  PutU32(h + 28, f.nAvgBytesPerSec);
  PutU16(h + 32, f.nBlockAlign);
  PutU16(h + 34, f.wBitsPerSample);
  std::memcpy(h + 36, "data", 4);
  PutU32(h + 40, dataBytes);
}

bool SameFormat(const WAVEFORMATEX& a, const WAVEFORMATEX& b) {
  return a.nChannels == b.nChannels && a.nSamplesPerSec == b.nSamplesPerSec &&
         a.wBitsPerSample == b.wBitsPerSample;
}

class FileSink : public Sink {
 public:
  FileSink(std::string path, std::FILE* file, const WAVEFORMATEX& format, uint64_t dataBytes,
           uint64_t dataLimit, size_t blockBytes, bool fast)
      : path_(std::move(path)),
        file_(file),
        format_(format),
        fileBytes_(dataBytes),
        dataLimit_(dataLimit),
        blockBytes_(std::max<size_t>(blockBytes, 1)),
        clock_(format.nSamplesPerSec, fast) {
    block_.reserve(blockBytes_);
  }

  ~FileSink() override {
    WriteBlock();
    if (fileBytes_ & 1) std::fputc(0, file_);  // RIFF chunks end on an even byte
    UpdateHeader();
    std::fclose(file_);
    FileBook& book = Book();
    std::lock_guard<std::mutex> guard(book.lock);
    book.open.erase(path_);
  }

  uint64_t Space() override { return clock_.Space(); }

  bool Write(const BYTE* data, uint32_t frames) override {
    clock_.Wrote(frames);
    if (!failure_.empty()) return false;
    const uint64_t taken = fileBytes_ + block_.size();
    const uint64_t room = (dataLimit_ - std::min(taken, dataLimit_)) / format_.nBlockAlign;
    const uint64_t fitting = std::min<uint64_t>(frames, room);
    const size_t bytes = static_cast<size_t>(fitting) * format_.nBlockAlign;
    block_.insert(block_.end(), data, data + bytes);
    if (block_.size() >= blockBytes_ && !WriteBlock()) return false;
    if (fitting == frames) return true;
    WriteBlock();
    return Fail("the WAV file " + path_ + " has reached the 4 GiB limit of its format");
  }

  uint64_t Played() override { return clock_.Played(); }
  void Pause() override { clock_.Pause(); }
  void Resume() override { clock_.Resume(); }
  void Drop() override { clock_.Drop(); }
  std::string FailureText() const override { return failure_; }

 private:
  // The samples taken so far go to the file, then the header counts them.
  // The file is unbuffered: a full disk shows here, not at the close.
  bool WriteBlock() {
    if (block_.empty()) return failure_.empty();
    errno = 0;
    const size_t written = std::fwrite(block_.data(), 1, block_.size(), file_);
    const bool whole = written == block_.size();
    const int why = errno;
    fileBytes_ += written;
    block_.clear();
    UpdateHeader();
    if (whole) return true;
    return Fail("cannot write the WAV file " + path_ + ": " +
                std::strerror(why != 0 ? why : EIO));
  }

  void UpdateHeader() {
    BYTE header[kHeaderBytes];
    // The limit keeps the sizes within 32 bits, so the header is right.
    MakeHeader(format_, static_cast<uint32_t>(fileBytes_), header);
    if (pwrite(fileno(file_), header, sizeof header, 0) != static_cast<ssize_t>(sizeof header))
      Fail("cannot write the header of the WAV file " + path_);
  }

  // The first failure is the one told; every failure text is non-empty.
  bool Fail(std::string why) {
    if (failure_.empty()) failure_ = std::move(why);
    return false;
  }

  const std::string path_;
  std::FILE* const file_;
  const WAVEFORMATEX format_;
  uint64_t fileBytes_;  // samples in the file (more wait in the block)
  const uint64_t dataLimit_;
  const size_t blockBytes_;
  std::vector<BYTE> block_;
  std::string failure_;
  PlaybackClock clock_;
};

// Reopens a file this process wrote, positioned after its samples; null
// when it is gone or not what was written.
std::FILE* ReopenForAppend(const std::string& path, uint64_t* dataBytes) {
  std::FILE* f = std::fopen(path.c_str(), "r+b");
  if (f == nullptr) return nullptr;
  std::setvbuf(f, nullptr, _IONBF, 0);
  BYTE header[kHeaderBytes];
  if (std::fread(header, 1, sizeof header, f) != sizeof header ||
      std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 36, "data", 4) != 0) {
    std::fclose(f);
    return nullptr;
  }
  *dataBytes = GetU32(header + 40);
  if (std::fseek(f, kHeaderBytes + static_cast<long>(*dataBytes), SEEK_SET) != 0) {
    std::fclose(f);
    return nullptr;
  }
  return f;
}

}  // namespace

std::unique_ptr<Sink> OpenFileSink(const std::string& path, const WAVEFORMATEX& format, bool fast,
                                   MMRESULT* error, uint64_t dataLimit, size_t blockBytes) {
  FileBook& book = Book();
  std::lock_guard<std::mutex> guard(book.lock);
  if (book.open.count(path) != 0) {
    *error = MMSYSERR_ALLOCATED;
    return nullptr;
  }
  uint64_t dataBytes = 0;
  std::FILE* f = nullptr;
  auto known = book.formats.find(path);
  if (known != book.formats.end() && SameFormat(known->second, format))
    f = ReopenForAppend(path, &dataBytes);
  if (f == nullptr) {
    dataBytes = 0;
    f = std::fopen(path.c_str(), "w+b");
    if (f == nullptr) {
      *error = MMSYSERR_ERROR;
      return nullptr;
    }
    std::setvbuf(f, nullptr, _IONBF, 0);
    BYTE header[kHeaderBytes];
    MakeHeader(format, 0, header);
    if (std::fwrite(header, 1, sizeof header, f) != sizeof header) {
      std::fclose(f);
      *error = MMSYSERR_ERROR;
      return nullptr;
    }
  }
  book.formats[path] = format;
  book.open.insert(path);
  return std::make_unique<FileSink>(path, f, format, dataBytes, dataLimit, blockBytes, fast);
}

}  // namespace platform::wave
