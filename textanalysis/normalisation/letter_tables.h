// The names and readings the letter and symbol processors say: letter names
// by Windows-1251 byte, the Latin-to-Cyrillic letter map and symbol names.
#pragma once

#include <array>
#include <string>

// 256 strings by byte; bytes without an entry hold "".
using ByteTable = std::array<std::string, 256>;

// Names of every Cyrillic letter (both cases) and every Latin letter (both
// cases), as a single letter is read aloud.
ByteTable MakeLetterNames();
// Names of the 33 Cyrillic capitals as spelled in an abbreviation ('Ъ' "ъ",
// 'Ь' "ь").
ByteTable MakeCyrillicCapitalNames();
// Names of the 26 Latin capitals.
ByteTable MakeLatinCapitalNames();
// Latin letters (both cases) to Cyrillic letters, as a Latin word is read
// in Russian.
ByteTable MakeLatinToCyrillicMap();
// Names of the symbols the symbol processor reads.
ByteTable MakeSymbolNames();
// Whether the symbol's name agrees with a number before it ("5 %" reads
// "процентов").
bool IsCountedSymbol(char symbol);

inline const std::string& ByteEntry(const ByteTable& table, char c) {
  return table[static_cast<unsigned char>(c)];
}
