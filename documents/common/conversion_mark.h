// A conversion under way keeps a mark in the program's cache folder that
// names every temporary file it makes, so that a later run removes exactly
// what a killed conversion left, and never a file of the user's that only
// looks like one.
#pragma once

#include <string>

class ConversionMark {
 public:
  // Marks the conversions run until the mark goes. Without a cache folder
  // they go unmarked.
  ConversionMark();
  // The conversion ended: the mark goes.
  ~ConversionMark();
  ConversionMark(const ConversionMark&) = delete;
  ConversionMark& operator=(const ConversionMark&) = delete;

  // A new empty file of a unique name for an intermediate result (in the
  // cache folder, else in the system's temporary folder), named in the mark;
  // empty when none can be made. The caller deletes it.
  std::string NewIntermediateFile();

 private:
  friend void NoteConversionTemporary(const std::string& path);
  void Note(const std::string& path);

  std::string path_;
  std::string text_;
  ConversionMark* outer_;
};

// Names a temporary file in the mark of the conversion under way, if any.
void NoteConversionTemporary(const std::string& path);

// Removes the files the marks of killed conversions name once they have
// been left alone long enough, and the marks with nothing left to look
// after.
void RemoveMarkedConversionLeftovers();
