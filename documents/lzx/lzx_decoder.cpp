#include "documents/lzx/lzx_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "documents/common/little_endian.h"

namespace {

constexpr int kFrameSize = 32768;
constexpr int kBlockVerbatim = 1;
constexpr int kBlockAligned = 2;
constexpr int kBlockUncompressed = 3;
constexpr int kMinMatch = 2;
constexpr int kPrimaryLengths = 7;
constexpr int kSecondaryLengths = 249;
constexpr int kMaxSlots = 51;

struct PositionTables {
  std::array<uint8_t, kMaxSlots> extraBits{};
  std::array<uint32_t, kMaxSlots> base{};
};

constexpr PositionTables MakePositionTables() {
  PositionTables t;
  for (int i = 0; i < kMaxSlots; ++i) {
    t.extraBits[i] = static_cast<uint8_t>(i < 4 ? 0 : std::min((i - 2) / 2, 17));
    t.base[i] = i == 0 ? 0 : t.base[i - 1] + (1u << t.extraBits[i - 1]);
  }
  return t;
}

constexpr PositionTables kPositions = MakePositionTables();

int PositionSlots(int windowBits) {
  if (windowBits == 21) return 50;
  if (windowBits == 20) return 42;
  return windowBits * 2;
}

}  // namespace

LzxDecoder::LzxDecoder()
    : mainTable_(656, 12), lengthTable_(250, 12), alignedTable_(8, 7), preTable_(20, 6) {}

int LzxDecoder::Init(int windowBits) {
  if (windowBits < 15 || windowBits > 21) return 1;
  const int32_t size = 1 << windowBits;
  if (allocatedSize_ < size) {
    window_.reset(new (std::nothrow) uint8_t[size]);
    allocatedSize_ = window_ ? size : 0;
    if (!window_) return 3;
  }
  windowSize_ = size;
  mainElements_ = 256 + 8 * PositionSlots(windowBits);
  Reset();
  return 0;
}

void LzxDecoder::Reset() {
  r0_ = r1_ = r2_ = 1;
  headerRead_ = false;
  framesRead_ = 0;
  blockType_ = 0;
  blockRemaining_ = 0;
  padPending_ = false;
  windowPosition_ = 0;
  streamPosition_ = 0;
  e8FileSize_ = 0;
  std::memset(mainLengths_, 0, sizeof mainLengths_);
  std::memset(lengthLengths_, 0, sizeof lengthLengths_);
}

bool LzxDecoder::ReadLengths(LzxBitReader& bits, uint8_t* lengths, int first, int last) {
  uint8_t pre[20];
  for (uint8_t& len : pre) len = static_cast<uint8_t>(bits.Read(4));
  if (!preTable_.Build(pre)) return false;
  int x = first;
  while (x < last) {
    const uint32_t z = preTable_.Decode(bits);
    if (z == LzxHuffmanTable::kNoSymbol) return false;
    if (z == 17 || z == 18) {
      int run = z == 17 ? 4 + static_cast<int>(bits.Read(4)) : 20 + static_cast<int>(bits.Read(5));
      run = std::min(run, last - x);
      std::memset(lengths + x, 0, run);
      x += run;
    } else if (z == 19) {
      int run = 4 + static_cast<int>(bits.Read(1));
      const uint32_t delta = preTable_.Decode(bits);
      if (delta > 16) return false;
      const uint8_t value = static_cast<uint8_t>((lengths[x] + 17 - delta) % 17);
      run = std::min(run, last - x);
      std::memset(lengths + x, value, run);
      x += run;
    } else {
      lengths[x] = static_cast<uint8_t>((lengths[x] + 17 - z) % 17);
      ++x;
    }
    if (bits.Overrun()) return false;
  }
  return true;
}

void LzxDecoder::SkipPad(LzxBitReader& bits) {
  if (!padPending_) return;
  padPending_ = false;
  bits.SetBytePosition(bits.TakeBytePosition() + 1);
}

bool LzxDecoder::ReadBlockHeader(LzxBitReader& bits) {
  SkipPad(bits);
  blockType_ = static_cast<int>(bits.Read(3));
  const uint32_t high = bits.Read(16);
  blockRemaining_ = static_cast<int32_t>((high << 8) | bits.Read(8));
  switch (blockType_) {
    case kBlockAligned:
      for (uint8_t& len : alignedLengths_) len = static_cast<uint8_t>(bits.Read(3));
      if (!alignedTable_.Build(alignedLengths_)) return false;
      [[fallthrough]];
    case kBlockVerbatim:
      if (!ReadLengths(bits, mainLengths_, 0, 256) ||
          !ReadLengths(bits, mainLengths_, 256, mainElements_) ||
          !mainTable_.Build(mainLengths_) ||
          !ReadLengths(bits, lengthLengths_, 0, kSecondaryLengths) ||
          !lengthTable_.Build(lengthLengths_)) {
        return false;
      }
      break;
    case kBlockUncompressed: {
      // 1 to 16 bits of padding up to the next word.
      bits.SkipToNextWord();
      if (bits.Overrun()) return false;
      const int32_t position = bits.TakeBytePosition();
      if (position > bits.Length() - 12) return false;
      const uint8_t* p = bits.Data() + position;
      r0_ = ReadLittleEndian32(p);
      r1_ = ReadLittleEndian32(p + 4);
      r2_ = ReadLittleEndian32(p + 8);
      bits.SetBytePosition(position + 12);
      padPending_ = (blockRemaining_ & 1) != 0;
      return true;
    }
    default:
      return false;
  }
  return !bits.Overrun();
}

bool LzxDecoder::CopyUncompressed(LzxBitReader& bits, int32_t count) {
  const int32_t position = bits.TakeBytePosition();
  if (count > bits.Length() - position) return false;
  std::memcpy(window_.get() + windowPosition_, bits.Data() + position, count);
  windowPosition_ += count;
  bits.SetBytePosition(position + count);
  return true;
}

bool LzxDecoder::DecodeMatches(LzxBitReader& bits, int32_t end, int32_t limit, bool aligned) {
  uint8_t* const window = window_.get();
  const int32_t mask = windowSize_ - 1;
  int32_t pos = windowPosition_;
  // Bytes of this stream behind pos: no match may reach before them.
  const int64_t historyBase = streamPosition_ - pos;
  while (pos < end) {
    uint32_t symbol = mainTable_.Decode(bits);
    if (symbol < 256) {
      window[pos++] = static_cast<uint8_t>(symbol);
      continue;
    }
    if (symbol >= static_cast<uint32_t>(mainElements_)) return false;
    symbol -= 256;
    int32_t length = static_cast<int32_t>(symbol & 7);
    if (length == kPrimaryLengths) {
      const uint32_t footer = lengthTable_.Decode(bits);
      if (footer >= static_cast<uint32_t>(kSecondaryLengths)) return false;
      length += static_cast<int32_t>(footer);
    }
    length += kMinMatch;
    const uint32_t slot = symbol >> 3;
    uint32_t offset;
    if (slot == 0) {
      offset = r0_;
    } else if (slot == 1) {
      offset = r1_;
      r1_ = r0_;
      r0_ = offset;
    } else if (slot == 2) {
      offset = r2_;
      r2_ = r0_;
      r0_ = offset;
    } else {
      const int extra = kPositions.extraBits[slot];
      offset = kPositions.base[slot] - 2;
      if (aligned && extra >= 3) {
        if (extra > 3) offset += bits.Read(extra - 3) << 3;
        const uint32_t low = alignedTable_.Decode(bits);
        if (low == LzxHuffmanTable::kNoSymbol) return false;
        offset += low;
      } else {
        offset += bits.Read(extra);
      }
      r2_ = r1_;
      r1_ = r0_;
      r0_ = offset;
    }
    if (length > limit - pos) return false;
    if (offset == 0 || offset > static_cast<uint32_t>(windowSize_) ||
        static_cast<int64_t>(offset) > historyBase + pos) {
      return false;
    }
    int32_t from = (pos - static_cast<int32_t>(offset)) & mask;
    if (from + length <= windowSize_ && static_cast<int32_t>(offset) >= length) {
      std::memcpy(window + pos, window + from, length);
      pos += length;
    } else {
      for (int32_t i = 0; i < length; ++i) {
        window[pos++] = window[from];
        from = (from + 1) & mask;
      }
    }
  }
  windowPosition_ = pos;
  return !bits.Overrun();
}

void LzxDecoder::TranslateE8(uint8_t* data, int32_t length, int64_t start) {
  const int64_t fileSize = e8FileSize_;
  for (int32_t i = 0; i < length - 10;) {
    if (data[i] != 0xE8) {
      ++i;
      continue;
    }
    const int64_t current = start + i;
    const int64_t absolute = static_cast<int32_t>(ReadLittleEndian32(data + i + 1));
    if (absolute >= -current && absolute < fileSize) {
      const int64_t relative = absolute >= 0 ? absolute - current : absolute + fileSize;
      const uint32_t value = static_cast<uint32_t>(relative);
      data[i + 1] = static_cast<uint8_t>(value);
      data[i + 2] = static_cast<uint8_t>(value >> 8);
      data[i + 3] = static_cast<uint8_t>(value >> 16);
      data[i + 4] = static_cast<uint8_t>(value >> 24);
    }
    i += 5;
  }
}

int LzxDecoder::Decompress(const uint8_t* input, uint8_t* output, int32_t inputLength,
                           int32_t outputLength) {
  if (!window_ || input == nullptr || output == nullptr || inputLength < 0 || outputLength < 0) {
    return 1;
  }
  LzxBitReader bits(input, inputLength);
  if (!headerRead_) {
    if (bits.Read(1) != 0) {
      const uint32_t high = bits.Read(16);
      e8FileSize_ = static_cast<int32_t>((high << 16) | bits.Read(16));
    }
    headerRead_ = true;
  }
  int32_t produced = 0;
  while (produced < outputLength) {
    const int32_t frameStart = windowPosition_;
    const int64_t frameStreamStart = streamPosition_;
    const int32_t fullFrameEnd = frameStart - frameStart % kFrameSize + kFrameSize;
    const int32_t frameEnd = std::min(fullFrameEnd, frameStart + (outputLength - produced));
    while (windowPosition_ < frameEnd) {
      if (blockRemaining_ == 0 && !ReadBlockHeader(bits)) return 2;
      const int32_t run = std::min(blockRemaining_, frameEnd - windowPosition_);
      const int32_t before = windowPosition_;
      bool ok;
      if (blockType_ == kBlockUncompressed) {
        ok = CopyUncompressed(bits, run);
      } else {
        // The last match may run past the output wanted, never past the
        // block or the frame.
        const int32_t limit = std::min(before + blockRemaining_, fullFrameEnd);
        ok = DecodeMatches(bits, before + run, limit, blockType_ == kBlockAligned);
      }
      if (!ok) return 2;
      blockRemaining_ -= windowPosition_ - before;
      streamPosition_ += windowPosition_ - before;
    }
    const int32_t length = frameEnd - frameStart;
    std::memcpy(output + produced, window_.get() + frameStart, length);
    if (e8FileSize_ != 0 && framesRead_ < 32768) TranslateE8(output + produced, length, frameStreamStart);
    produced += length;
    if (frameEnd % kFrameSize == 0) {
      ++framesRead_;
      // Each full frame of output ends on a word of input.
      if (blockType_ == kBlockUncompressed && blockRemaining_ == 0) SkipPad(bits);
      bits.AlignToWord();
    }
    if (windowPosition_ >= windowSize_) windowPosition_ = 0;
  }
  return bits.Overrun() ? 2 : 0;
}

namespace {
LzxDecoder& ProcessDecoder() {
  static LzxDecoder decoder;
  return decoder;
}
}  // namespace

int LZXinit(int windowBits) { return ProcessDecoder().Init(windowBits); }
void LZXreset() { ProcessDecoder().Reset(); }
int LZXdecompress(const uint8_t* input, uint8_t* output, int32_t inputLength,
                  int32_t outputLength) {
  return ProcessDecoder().Decompress(input, output, inputLength, outputLength);
}
