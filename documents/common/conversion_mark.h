// A conversion under way leaves a mark in the program's cache folder, so
// that a later run finds what it left beside its document if it was killed,
// even when the document never became a recent one.
#pragma once

#include <string>

class ConversionMark {
 public:
  // Marks a conversion of the document, with viaUtf8Step when it makes
  // "<document>.utf8" on the way and deletes it afterwards. Without a cache
  // folder the conversion goes unmarked.
  ConversionMark(const std::u16string& document, bool viaUtf8Step);
  // The conversion ended: the mark goes.
  ~ConversionMark();
  ConversionMark(const ConversionMark&) = delete;
  ConversionMark& operator=(const ConversionMark&) = delete;

 private:
  std::string path_;
};

// Removes what the marked conversions of killed runs left once it has been
// left alone long enough, and the marks with nothing left to look after.
void RemoveMarkedConversionLeftovers();
