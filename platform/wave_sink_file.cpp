// Plays into a RIFF/WAVE file, at the pace of the sound (or at once when
// fast). The sizes in the header are written when the sink closes. A
// failed write, or one that would take the data past the RIFF size limit,
// fails the sink, so the header written at the close stays true.
#include "platform/wave_sink.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <set>

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
           uint64_t dataLimit, bool fast)
      : path_(std::move(path)),
        file_(file),
        format_(format),
        dataBytes_(dataBytes),
        dataLimit_(dataLimit),
        clock_(format.nSamplesPerSec, fast) {}

  ~FileSink() override {
    // The limit keeps the sizes within 32 bits, so the header is right.
    BYTE header[kHeaderBytes];
    MakeHeader(format_, static_cast<uint32_t>(dataBytes_), header);
    if (dataBytes_ & 1) std::fputc(0, file_);  // RIFF chunks end on an even byte
    std::fseek(file_, 0, SEEK_SET);
    std::fwrite(header, 1, sizeof header, file_);
    std::fclose(file_);
    FileBook& book = Book();
    std::lock_guard<std::mutex> guard(book.lock);
    book.open.erase(path_);
  }

  uint64_t Space() override { return clock_.Space(); }

  bool Write(const BYTE* data, uint32_t frames) override {
    const uint64_t room = (dataLimit_ - std::min(dataBytes_, dataLimit_)) / format_.nBlockAlign;
    const uint64_t fitting = std::min<uint64_t>(frames, room);
    const size_t bytes = static_cast<size_t>(fitting) * format_.nBlockAlign;
    // Unbuffered: a full disk shows in this count, not at the close.
    const size_t written = std::fwrite(data, 1, bytes, file_);
    dataBytes_ += written;
    clock_.Wrote(frames);
    return written == bytes && fitting == frames;
  }

  uint64_t Played() override { return clock_.Played(); }
  void Pause() override { clock_.Pause(); }
  void Resume() override { clock_.Resume(); }
  void Drop() override { clock_.Drop(); }

 private:
  const std::string path_;
  std::FILE* const file_;
  const WAVEFORMATEX format_;
  uint64_t dataBytes_;
  const uint64_t dataLimit_;
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
                                   MMRESULT* error, uint64_t dataLimit) {
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
  return std::make_unique<FileSink>(path, f, format, dataBytes, dataLimit, fast);
}

}  // namespace platform::wave
