#include "engine/allobase.h"

#include "engine/ima_adpcm.h"
#include "platform/message_box.h"

namespace {

constexpr const char* kMagic = "abs.09";
constexpr const char16_t* kCaption = u"Allobase";
constexpr const char16_t* kWrongVersion = u"Invalid VoiceData file version";
constexpr const char16_t* kDamaged = u"Damaged VoiceData file";
constexpr INT kMaxSampleRate = 192000;

// ReadInt32 gives 0 at the end of the file; the position tells a real 0.
bool ReadInt(TextFile& file, INT& value) {
  const LONG before = file.Tell();
  value = file.ReadInt32();
  return file.Tell() == before + 4;
}

}  // namespace

void Allobase::Reset() {
  units_.clear();
  file_.Close();
  adpcm_ = false;
  voiceKind_ = 1;
  description1_.clear();
  description2_.clear();
  markTotal_ = 0;
  dataTotal_ = 0;
  sampleRate_ = 8000;
  fileSize_ = 0;
}

HRESULT Allobase::Refuse(const char16_t* text) {
  MessageBoxW(nullptr, text, kCaption, MB_OK | MB_ICONSTOP);
  Reset();
  return E_ABORT;
}

HRESULT Allobase::Load(const std::u16string& path) {
  Reset();
  fileSize_ = GetFileSizeOf(path.c_str());
  file_.Open(path.c_str(), u"rb");

  std::string magic;
  if (!file_.ReadShortString(magic) || magic != kMagic) return Refuse(kWrongVersion);

  INT flags = 0;
  INT unitCount = 0;
  if (!file_.ReadShortString(description1_) || !file_.ReadShortString(description2_) ||
      !ReadInt(file_, flags) || !ReadInt(file_, sampleRate_) || !ReadInt(file_, unitCount) ||
      !ReadInt(file_, markTotal_) || !ReadInt(file_, dataTotal_))
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
  const int64_t marksOffset = file_.Tell();
  const int64_t dataOffset = marksOffset + 4 * static_cast<int64_t>(markTotal_);
  const int64_t dataBytes = static_cast<int64_t>(dataTotal_) * (adpcm_ ? 1 : 2);
  if (dataOffset + dataBytes > static_cast<int64_t>(fileSize_)) return Refuse(kDamaged);
  if (!file_.Seek(static_cast<LONG>(dataOffset + dataBytes))) return Refuse(kDamaged);

  return ReadDirectory(unitCount, static_cast<DWORD>(marksOffset), static_cast<DWORD>(dataOffset));
}

HRESULT Allobase::ReadDirectory(INT unitCount, DWORD marksOffset, DWORD dataOffset) {
  const int bytesPerSample = adpcm_ ? 1 : 2;
  int64_t marksLeft = markTotal_;
  int64_t dataLeft = dataTotal_;
  std::string name;
  for (INT u = 0; u < unitCount; ++u) {
    INT markCount = 0;
    INT dataSize = 0;
    if (!file_.ReadShortString(name) || !ReadInt(file_, markCount) || !ReadInt(file_, dataSize))
      return Refuse(kDamaged);
    if (markCount < 0 || dataSize < 0 || markCount > marksLeft || dataSize > dataLeft)
      return Refuse(kDamaged);
    marksLeft -= markCount;
    dataLeft -= dataSize;
    // A later entry of the same name replaces an earlier one.
    units_[name] = UnitRecord{dataOffset, dataSize, marksOffset, markCount, 1};
    dataOffset += static_cast<DWORD>(dataSize) * bytesPerSample;
    marksOffset += static_cast<DWORD>(markCount) * 4;
  }
  return S_OK;
}

bool Allobase::FindUnit(const std::string& name, UnitRecord& out) const {
  const auto found = units_.find(name);
  if (found == units_.end()) return false;
  out = found->second;
  return true;
}

size_t Allobase::ReadSamples(const UnitRecord& unit, std::vector<int16_t>& samples) {
  const size_t bytes = static_cast<size_t>(unit.dataSize) * (adpcm_ ? 1 : 2);
  scratch_.resize(bytes);
  file_.Seek(static_cast<LONG>(unit.dataOffset));
  const size_t got = file_.Read(scratch_.data(), bytes);
  const size_t before = samples.size();
  if (adpcm_) {
    ImaAdpcmDecode(scratch_.data(), got, samples);
  } else {
    const size_t count = got / 2;
    samples.resize(before + count);
    for (size_t i = 0; i < count; ++i)
      samples[before + i] = static_cast<int16_t>(scratch_[2 * i] | (scratch_[2 * i + 1] << 8));
  }
  return samples.size() - before;
}

void Allobase::ReadMarks(const UnitRecord& unit, std::vector<int32_t>& marks) {
  const size_t bytes = static_cast<size_t>(unit.markCount) * 4;
  scratch_.resize(bytes);
  file_.Seek(static_cast<LONG>(unit.marksOffset));
  const size_t count = file_.Read(scratch_.data(), bytes) / 4;
  marks.resize(count);
  for (size_t i = 0; i < count; ++i) {
    const BYTE* b = scratch_.data() + 4 * i;
    marks[i] = static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                                    (static_cast<uint32_t>(b[2]) << 16) |
                                    (static_cast<uint32_t>(b[3]) << 24));
  }
}
