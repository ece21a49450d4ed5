// The block scanner shared by the XML/HTML and FB2 converters: the source is
// read in 10000-byte blocks; a tag, comment or CDATA section goes on over as
// many blocks as it takes, and an entity is never cut between two. Markup the
// file ends inside is left out with a warning.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class MarkupRules {
 public:
  // Text between tags, a byte range of the current block.
  virtual void OnText(std::string& output, const char* first, const char* last) = 0;
  // The bytes between "<" and ">" of a tag, a declaration or a processing
  // instruction (comments and CDATA sections are skipped before this); false
  // ends the conversion at once.
  virtual bool OnTag(std::string& output, std::string& tag) = 0;
  // The Windows-1251 byte an entity ("&" to ";") stands for; entities
  // that stand for nothing are dropped before this.
  virtual void OnEntity(std::string& output, char byte) = 0;
  // Called before the output is written to the target.
  virtual void BeforeWrite(std::string& output) = 0;
  // Inside an element whose content is raw text (a script, a style sheet):
  // its lower-case name; no tag is looked for before its end tag.
  virtual std::string_view RawTextElement() const { return {}; }
  // After each block (scanned: the bytes read so far) and at the end:
  // empty, or why the file holds no document of this kind (the conversion
  // stops and the target is not kept).
  virtual std::string_view Refusal(int64_t scanned, bool atEnd) const = 0;

 protected:
  ~MarkupRules() = default;
};

// Reads the source, applies the rules and writes the target; false when a
// file cannot be opened or read, or the target cannot be written.
bool ScanMarkupFile(const char16_t* source, const char16_t* target, MarkupRules& rules);
