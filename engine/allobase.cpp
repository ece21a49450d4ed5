#include "engine/allobase.h"

#include <algorithm>

#include "engine/ima_adpcm.h"
#include "foundation/code_pages.h"
#include "phonetic/debug_log.h"
#include "platform/message_box.h"

namespace {

constexpr const char* kMagic = "abs.09";
constexpr const char16_t* kCaption = u"Allobase";
constexpr const char16_t* kWrongVersion = u"Invalid VoiceData file version";
constexpr const char16_t* kDamaged = u"Damaged VoiceData file";
constexpr INT kMaxSampleRate = 192000;
// The magic, two descriptions and the five header fields at their longest.
constexpr size_t kLongestHeader = 3 * 256 + 5 * 4;

int32_t LittleEndian32(const BYTE* b) {
  return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                              (static_cast<uint32_t>(b[2]) << 16) |
                              (static_cast<uint32_t>(b[3]) << 24));
}

// Reads the header and the directory out of bytes read from the file.
class ByteCursor {
 public:
  ByteCursor(const BYTE* data, size_t size) : data_(data), size_(size) {}

  bool ReadShortString(std::string& text) {
    if (position_ >= size_) return false;
    const size_t length = data_[position_];
    if (size_ - position_ - 1 < length) return false;
    text.assign(reinterpret_cast<const char*>(data_ + position_ + 1), length);
    position_ += 1 + length;
    return true;
  }
  bool ReadInt(INT& value) {
    if (size_ - position_ < 4) return false;
    value = LittleEndian32(data_ + position_);
    position_ += 4;
    return true;
  }
  size_t Position() const { return position_; }

 private:
  const BYTE* data_;
  size_t size_;
  size_t position_ = 0;
};

}  // namespace

void Allobase::Reset() {
  units_.clear();
  file_.Close();
  path_.clear();
  adpcm_ = false;
  voiceKind_ = 1;
  description1_.clear();
  description2_.clear();
  markTotal_ = 0;
  dataTotal_ = 0;
  sampleRate_ = 8000;
}

HRESULT Allobase::Refuse(const char16_t* text) {
  MessageBoxW(nullptr, text, kCaption, MB_OK | MB_ICONSTOP);
  Reset();
  return E_ABORT;
}

HRESULT Allobase::Load(const std::u16string& path) {
  Reset();
  // A file that cannot be opened (or is empty) has no magic.
  std::vector<BYTE> bytes;
  if (file_.Open(path)) {
    bytes.resize(std::min<uint64_t>(file_.SizeAtOpen(), kLongestHeader));
    bytes.resize(file_.ReadAt(0, bytes.data(), bytes.size()));
  }
  ByteCursor cursor(bytes.data(), bytes.size());

  std::string magic;
  if (!cursor.ReadShortString(magic) || magic != kMagic) return Refuse(kWrongVersion);

  INT flags = 0;
  INT unitCount = 0;
  if (!cursor.ReadShortString(description1_) || !cursor.ReadShortString(description2_) ||
      !cursor.ReadInt(flags) || !cursor.ReadInt(sampleRate_) || !cursor.ReadInt(unitCount) ||
      !cursor.ReadInt(markTotal_) || !cursor.ReadInt(dataTotal_))
    return Refuse(kDamaged);
  adpcm_ = (flags & kFlagAdpcm) != 0;
  if (flags & kFlagKind0)
    voiceKind_ = 0;
  else if (flags & kFlagKind2)
    voiceKind_ = 2;
  else
    voiceKind_ = 1;

  // Every count and size must fit the file before anything is located by
  // it: a unit read later must never reach past the end.
  if (unitCount < 0 || markTotal_ < 0 || dataTotal_ < 0) return Refuse(kDamaged);
  // The rate sizes every pause and the device's format: one that no device
  // plays would only make pauses of absurd length.
  if (sampleRate_ <= 0 || sampleRate_ > kMaxSampleRate) return Refuse(kDamaged);
  const int64_t marksOffset = static_cast<int64_t>(cursor.Position());
  const int64_t dataOffset = marksOffset + 4 * static_cast<int64_t>(markTotal_);
  const int64_t dataBytes = static_cast<int64_t>(dataTotal_) * (adpcm_ ? 1 : 2);
  const int64_t directoryOffset = dataOffset + dataBytes;
  const auto fileSize = static_cast<int64_t>(file_.SizeAtOpen());
  if (directoryOffset > fileSize) return Refuse(kDamaged);
  bytes.resize(static_cast<size_t>(fileSize - directoryOffset));
  bytes.resize(file_.ReadAt(static_cast<uint64_t>(directoryOffset), bytes.data(), bytes.size()));
  cursor = ByteCursor(bytes.data(), bytes.size());

  const int bytesPerSample = adpcm_ ? 1 : 2;
  int64_t marksLeft = markTotal_;
  int64_t dataLeft = dataTotal_;
  auto unitMarks = static_cast<DWORD>(marksOffset);
  auto unitData = static_cast<DWORD>(dataOffset);
  std::string name;
  for (INT u = 0; u < unitCount; ++u) {
    INT markCount = 0;
    INT dataSize = 0;
    if (!cursor.ReadShortString(name) || !cursor.ReadInt(markCount) || !cursor.ReadInt(dataSize))
      return Refuse(kDamaged);
    if (markCount < 0 || dataSize < 0 || markCount > marksLeft || dataSize > dataLeft)
      return Refuse(kDamaged);
    marksLeft -= markCount;
    dataLeft -= dataSize;
    // A later entry of the same name replaces an earlier one.
    units_[name] = UnitRecord{unitData, dataSize, unitMarks, markCount, 1};
    unitData += static_cast<DWORD>(dataSize) * bytesPerSample;
    unitMarks += static_cast<DWORD>(markCount) * 4;
  }
  path_ = WideToNarrow(path);
  return S_OK;
}

bool Allobase::FindUnit(const std::string& name, UnitRecord& out) const {
  const auto found = units_.find(name);
  if (found == units_.end()) return false;
  out = found->second;
  return true;
}

size_t Allobase::ReadUnitBytes(DWORD offset, size_t bytes) {
  if (scratch_.size() < bytes) scratch_.resize(bytes);
  const size_t got = file_.ReadAt(offset, scratch_.data(), bytes);
  if (got < bytes && log_ != nullptr) {
    log_->SetSource(__FILE__, __LINE__)
        .LogError(u"%s: %zu of %zu bytes at offset %u read: the file changed while in use",
                  path_.c_str(), got, bytes, static_cast<unsigned>(offset));
  }
  return got;
}

size_t Allobase::ReadSamples(const UnitRecord& unit, std::vector<int16_t>& samples) {
  const size_t got =
      ReadUnitBytes(unit.dataOffset, static_cast<size_t>(unit.dataSize) * (adpcm_ ? 1 : 2));
  const BYTE* data = scratch_.data();
  const size_t before = samples.size();
  if (adpcm_) {
    ImaAdpcmDecode(data, got, samples);
  } else {
    const size_t count = got / 2;
    samples.resize(before + count);
    for (size_t i = 0; i < count; ++i)
      samples[before + i] = static_cast<int16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  return samples.size() - before;
}

void Allobase::ReadMarks(const UnitRecord& unit, std::vector<int32_t>& marks) {
  const size_t count = ReadUnitBytes(unit.marksOffset, static_cast<size_t>(unit.markCount) * 4) / 4;
  const BYTE* data = scratch_.data();
  marks.resize(count);
  for (size_t i = 0; i < count; ++i) marks[i] = LittleEndian32(data + 4 * i);
}
