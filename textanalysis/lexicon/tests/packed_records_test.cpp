// Word and stem records packed 6 bits per letter.
#include "textanalysis/lexicon/packed_records.h"

#include <gtest/gtest.h>

#include <string>

#include "textanalysis/lexicon/stem_file.h"
#include "textanalysis/lexicon/tests/lexicon_files.h"
#include "textanalysis/lexicon/word_file.h"
#include "textanalysis/lexicon/word_file_set.h"

namespace {

// Count, then the codes laid out from bit 0 of byte 4, low bits first.
std::string Packed(uint32_t count, const std::vector<int>& codes) {
  std::string bytes = LittleEndian32(count);
  bytes.append((codes.size() * 6 + 7) / 8, '\0');
  for (size_t k = 0; k < codes.size(); ++k)
    for (int bit = 0; bit < 6; ++bit)
      if (codes[k] >> bit & 1) bytes[4 + (6 * k + bit) / 8] |= static_cast<char>(1 << ((6 * k + bit) % 8));
  return bytes;
}

TEST(PackedRecordsTest, CodesAndTheirLetters) {
  // «ёя»: 32 in bits 0-5 and 31 in bits 6-11 of bytes 4 and 5.
  const std::string file("\x01\x00\x00\x00\xE0\x07", 6);
  EXPECT_EQ(Packed(1, {32, 31}), file);
  EXPECT_EQ(PackedCode(file, 0), 32);
  EXPECT_EQ(PackedCode(file, 1), 31);
  std::string plain;
  ASSERT_TRUE(UnpackRecords(file, 2, PackedAlphabet::kWords, plain));
  EXPECT_EQ(plain, LittleEndian32(1) + "ёя");
  // In a stem file 32 is a capital.
  ASSERT_TRUE(UnpackRecords(file, 2, PackedAlphabet::kStems, plain));
  EXPECT_EQ(plain, LittleEndian32(1) + "Ая");

  EXPECT_EQ(PackedLetter(0, PackedAlphabet::kWords), 'а');
  EXPECT_EQ(PackedLetter(33, PackedAlphabet::kWords), '\0');
  EXPECT_EQ(PackedLetter(63, PackedAlphabet::kStems), 'Я');
  EXPECT_EQ(PackedLetter(64, PackedAlphabet::kStems), 'ё');
  EXPECT_EQ(PackedLetter(-1, PackedAlphabet::kStems), '\0');
  // A word file has no letter for 33.
  EXPECT_FALSE(UnpackRecords(Packed(1, {0, 33}), 2, PackedAlphabet::kWords, plain));
  EXPECT_TRUE(plain.empty());
}

TEST(PackedRecordsTest, SizeMustFitTheLettersExactly) {
  // Three records of three letters: 54 bits in 7 bytes after the count.
  const std::string file = Packed(3, std::vector<int>(9, 5));
  ASSERT_EQ(file.size(), 11u);
  std::string plain;
  EXPECT_TRUE(UnpackRecords(file, 3, PackedAlphabet::kWords, plain));
  EXPECT_EQ(plain, LittleEndian32(3) + "еееееееее");
  EXPECT_FALSE(UnpackRecords(file.substr(0, 10), 3, PackedAlphabet::kWords, plain));
  EXPECT_FALSE(UnpackRecords(file + '\0', 3, PackedAlphabet::kWords, plain));
  EXPECT_FALSE(UnpackRecords(file, 0, PackedAlphabet::kWords, plain));
  EXPECT_FALSE(UnpackRecords(LittleEndian32(0x80000000u), 3, PackedAlphabet::kWords, plain));
  EXPECT_FALSE(UnpackRecords("\x01", 3, PackedAlphabet::kWords, plain));
}

TEST(PackedRecordsTest, WordAndStemFilesReadThemWhenAsked) {
  TestFolder folder;
  // «ёж» (32, 6) sorts before «аб» (0, 1): as bytes 'ё' is 0xB8, 'а' 0xE0.
  WriteBytes(folder / "w2", Packed(2, {32, 6, 0, 1}));
  WordFile words;
  ASSERT_TRUE(words.Load(folder.Wide(), "w", 2, true));
  EXPECT_TRUE(words.Find("ёж"));
  EXPECT_TRUE(words.Find("аб"));
  EXPECT_FALSE(words.Find("ба"));
  EXPECT_FALSE(words.Load(folder.Wide(), "w", 2));  // not plain records

  // Stem «кОт» (к 10, О 32 + 14, т 18) and ending «ы» (27).
  WriteBytes(folder / "wordsg3.dat3", Packed(1, {10, 46, 18}));
  WriteWordFile(folder / "", "endsg3.dat", 1, {"ы"});
  FillWordFiles(folder / "", "endsg3.dat", 1, 19);
  EndingBase endings;
  ASSERT_TRUE(endings.Load(folder.Wide()));
  StemFile stems;
  ASSERT_TRUE(stems.Load(folder.Wide(), 3, true));
  EXPECT_EQ(stems.Find("кот", endings), 1);
  EXPECT_EQ(stems.Find("коты", endings), 1);
  EXPECT_EQ(stems.Find("кит", endings), StemFile::kNoStress);
}

}  // namespace
