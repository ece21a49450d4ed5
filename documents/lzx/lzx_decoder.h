// Decoder of LZX streams (window 2^15 to 2^21 bytes; verbatim, aligned-offset
// and uncompressed blocks; E8 call translation), as LIT sections store them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "documents/lzx/lzx_huffman.h"

class LzxDecoder {
 public:
  LzxDecoder();

  // 0 on success, 1 for window bits outside 15..21, 3 when the window
  // cannot be allocated. The window is reused when it is large enough.
  int Init(int windowBits);
  // Starts a fresh stream: repeated offsets, header, block state, code
  // lengths, window position and E8 state.
  void Reset();
  // Decodes exactly outputLength bytes from the input; 0 on success,
  // non-zero when the input is malformed or too short.
  int Decompress(const uint8_t* input, uint8_t* output, int32_t inputLength,
                 int32_t outputLength);

  int32_t WindowSize() const { return windowSize_; }

 private:
  bool ReadBlockHeader(LzxBitReader& bits);
  bool ReadLengths(LzxBitReader& bits, uint8_t* lengths, int first, int last);
  bool DecodeMatches(LzxBitReader& bits, int32_t end, int32_t limit, bool aligned);
  bool CopyUncompressed(LzxBitReader& bits, int32_t count);
  void SkipPad(LzxBitReader& bits);
  void TranslateE8(uint8_t* data, int32_t length, int64_t start);

  std::unique_ptr<uint8_t[]> window_;
  int32_t allocatedSize_ = 0;
  int32_t windowSize_ = 0;
  int mainElements_ = 0;

  uint32_t r0_ = 1, r1_ = 1, r2_ = 1;
  bool headerRead_ = false;
  int32_t framesRead_ = 0;
  int blockType_ = 0;
  int32_t blockRemaining_ = 0;
  bool padPending_ = false;  // an odd-sized uncompressed block ends with a pad byte
  int32_t windowPosition_ = 0;
  int64_t streamPosition_ = 0;  // bytes decoded since the reset
  int32_t e8FileSize_ = 0;

  uint8_t mainLengths_[656] = {};
  uint8_t lengthLengths_[250] = {};
  uint8_t alignedLengths_[8] = {};
  LzxHuffmanTable mainTable_;
  LzxHuffmanTable lengthTable_;
  LzxHuffmanTable alignedTable_;
  LzxHuffmanTable preTable_;
};

// The process-wide decoder used by the LIT reader, one section at a time.
int LZXinit(int windowBits);
void LZXreset();
int LZXdecompress(const uint8_t* input, uint8_t* output, int32_t inputLength,
                  int32_t outputLength);
