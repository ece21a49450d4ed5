// Allobase: a loaded voice database. Loading reads the header and the unit
// directory and keeps the file open; a unit's pitch marks and samples are
// read from the file when the synthesizer asks for them, so only the
// directory is held in memory. A file cut short or rewritten in place while
// in use gives shorter units or silence (and a line in the debug log).
//
// File layout (little-endian; a pstring is a length byte and that many
// bytes): pstring magic "abs.09", two pstring descriptions, int32 flags,
// int32 sample rate, int32 unit count U, int32 total mark count M, int32
// total sample data size S (samples for PCM, bytes for ADPCM); then the
// marks of all units (M int32), the sample data of all units, and U
// directory entries (pstring name, int32 mark count, int32 data size), all
// in the same unit order.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/positional_file.h"
#include "platform/types.h"

// Where one unit lies in the file.
struct UnitRecord {
  DWORD dataOffset = 0;
  // Samples for PCM voices, bytes for ADPCM voices.
  INT dataSize = 0;
  DWORD marksOffset = 0;
  INT markCount = 0;
  INT used = 1;
};

class DebugLog;

class Allobase {
 public:
  // Flag bits of the file header.
  static constexpr INT kFlagAdpcm = 1;
  static constexpr INT kFlagKind0 = 2;
  static constexpr INT kFlagKind2 = 4;

  Allobase() = default;
  Allobase(const Allobase&) = delete;
  Allobase& operator=(const Allobase&) = delete;

  // S_OK, or E_ABORT after a message box when the file is not a voice
  // database or its contents do not fit the file; the voice is then empty.
  HRESULT Load(const std::u16string& path);

  bool FindUnit(const std::string& name, UnitRecord& out) const;

  // Where short reads are reported; none by default. The log must outlive
  // the voice.
  void SetDebugLog(DebugLog* log) { log_ = log; }

  // Appends the unit's samples (decoded for ADPCM voices) to `samples`.
  // Returns the number appended: fewer when the file ends early.
  size_t ReadSamples(const UnitRecord& unit, std::vector<int16_t>& samples);
  // Replaces `marks` by the unit's pitch marks (those the file still holds).
  void ReadMarks(const UnitRecord& unit, std::vector<int32_t>& marks);

  INT SampleRate() const { return sampleRate_; }
  INT VoiceKind() const { return voiceKind_; }
  bool IsAdpcm() const { return adpcm_; }
  const std::string& FirstDescription() const { return description1_; }
  const std::string& SecondDescription() const { return description2_; }
  size_t UnitCount() const { return units_.size(); }

 private:
  void Reset();
  HRESULT Refuse(const char16_t* text);
  // Reads that many bytes from the offset into `scratch_`; returns how many
  // the file gave, and logs a short read.
  size_t ReadUnitBytes(DWORD offset, size_t bytes);

  std::string description1_;
  std::string description2_;
  INT sampleRate_ = 8000;
  INT voiceKind_ = 1;
  std::map<std::string, UnitRecord> units_;
  PositionalFile file_;
  std::string path_;  // for the log
  INT markTotal_ = 0;
  INT dataTotal_ = 0;
  bool adpcm_ = false;
  // Raw bytes of the unit last read, kept between reads.
  std::vector<BYTE> scratch_;
  DebugLog* log_ = nullptr;
};
