// Word records packed 6 bits per letter: after the 32-bit count, letter k
// of the file (record r, letter j: k = r * N + j) takes the bits from 6k on,
// low bits first, so it starts in byte 4 + floor(0.75 k). No installed base
// is packed; the word files can read such records all the same.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class PackedAlphabet {
  kWords,  // 0-31 'а'-'я', 32 'ё'
  kStems,  // 0-31 'а'-'я', 32-63 'А'-'Я', 64 and above 'ё'
};

// The letter of a code, or '\0' for a code the alphabet does not use.
char PackedLetter(int code, PackedAlphabet alphabet);

// The code of letter k of a packed file (its bytes from offset 0). The
// caller makes sure the letter lies inside the file.
int PackedCode(std::string_view file, size_t k);

// The plain form of a packed file of records of `length` letters: the same
// count followed by the records as bytes. False when the size is not exactly
// 4 + ceil(6 * length * count / 8) bytes or a code has no letter.
bool UnpackRecords(std::string_view file, int length, PackedAlphabet alphabet, std::string& plain);
