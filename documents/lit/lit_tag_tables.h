// Tag and attribute names of the binary tag streams: one set for HTML
// documents, one for package documents.
#pragma once

#include <cstdint>

struct LitAttributeName {
  uint32_t number;
  const char* name;  // a name beginning with '<' marks a value that is not written
};

struct LitAttributeTable {
  const LitAttributeName* entries;
  int count;
};

struct LitTagSet {
  const char* const* tagNames;  // indexed by tag number; null for empty slots
  int tagCount;
  const LitAttributeTable* tagAttributes;  // per tag, or null for none
  LitAttributeTable globalAttributes;
};

const LitTagSet& LitHtmlTags();
const LitTagSet& LitPackageTags();

// The tag's own table first, then the global one; null when not found.
const char* LitAttributeNameOf(const LitTagSet& set, uint32_t tag, uint32_t attribute);
