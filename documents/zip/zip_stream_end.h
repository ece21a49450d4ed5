// Where an entry written with its sizes after its data ends when the
// archive has no directory to tell (a download cut short): a deflated
// entry's stream says it, and the data descriptor behind it is stepped
// over.
#pragma once

#include <cstdint>

#include "foundation/text_file.h"

struct DeflatedExtent {
  uint64_t compressedSize;
  uint64_t uncompressedSize;
  uint32_t crc;
  // Where the next entry begins: behind the data descriptor, or the end of
  // the file when the stream breaks off there.
  uint64_t next;
};

// Inflates the stream at the offset; false when it is no deflate stream.
// The file position is kept.
bool FindDeflatedExtent(TextFile& file, uint64_t dataOffset, DeflatedExtent& extent);
