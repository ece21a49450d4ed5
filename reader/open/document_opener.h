// The file side of opening a document: which file the main window reads
// (the document, or its converted "<document>.auto"), taking a document
// out of its ZIP archive again when only its settings file is left, and
// the temporaries of the document that was open before. The main window
// then opens the text, shows it and files it in the recent list.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "documents/common/converter_table.h"
#include "documents/zip/zip_archive.h"

// The `ZipSettings` value: compressed size, data offset, uncompressed
// size, joined by the byte 0x01.
std::string FormatZipSettings(const ZipEntry& entry);
bool ParseZipSettings(const std::string& value, ZipEntry& entry);
// The `ZipCrc` value: the entry's CRC-32 in hexadecimal, empty when unknown.
std::string FormatZipCrc(const ZipEntry& entry);
void ParseZipCrc(const std::string& value, ZipEntry& entry);

// Documents are filed by absolute path (settings, recent list), so that a
// later start from another folder finds them; "." and ".." are resolved.
std::u16string AbsoluteDocumentPath(const std::u16string& path);

// Moves path to the front of the recent list without duplicates (exact
// comparison) and keeps at most 10 entries.
void AddRecentDocument(std::vector<std::u16string>& recent, const std::u16string& path);

class DocumentOpener {
 public:
  explicit DocumentOpener(const KindConverters& converters = DocumentConverters())
      : converters_(converters) {}

  struct Hooks {
    // Saves the page and marks of the document still open.
    std::function<void()> saveDocumentSettings;
    // Closes its text file so its temporaries can go.
    std::function<void()> closeTextFile;
  };

  // Prepares the document at path, the open document being previous (empty
  // for none). Returns the file to read as text, or nothing (and the open
  // document stays as it is) when the document is gone and cannot be taken
  // out of its archive again, or when its converter failed; Problem says
  // which.
  std::optional<std::u16string> Prepare(const std::u16string& path, const std::u16string& previous,
                                        const Hooks& hooks);

  enum class Problem {
    kNone,
    kMissing,     // neither the document nor an archive entry to take it from
    kExtraction,  // the entry could not be taken out (the extraction said why)
    kConversion,  // the document's converter failed
  };
  Problem LastProblem() const { return problem_; }

  // The open document's temporaries: its text is "<document>.auto"; the
  // document itself was taken out of an archive.
  bool ConvertedOpen() const { return convertedOpen_; }
  bool ExtractedTemporary() const { return extractedTemporary_; }
  // The open document's text was recoded from UTF-8 into Windows-1251.
  bool TextIsWindows1251() const { return textIsWindows1251_; }

  // Files this run wrote out of archives; only these are ever deleted as
  // temporaries.
  void NoteExtracted(const std::u16string& path) { extracted_.insert(path); }
  bool WasExtracted(const std::u16string& path) const { return extracted_.count(path) != 0; }

 private:
  Problem ExtractAgain(const std::u16string& path);
  void DeleteTemporariesOf(const std::u16string& previous);
  void DeleteExtracted(const std::u16string& path);

  const KindConverters& converters_;
  bool convertedOpen_ = false;
  bool extractedTemporary_ = false;
  bool textIsWindows1251_ = false;
  Problem problem_ = Problem::kNone;
  std::set<std::u16string> extracted_;
};
