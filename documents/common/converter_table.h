// Which converter serves which method name and which document kind.
#pragma once

#include <span>
#include <string_view>

#include "documents/common/document_kind.h"

using ConvertFunction = bool (*)(const char16_t* source, const char16_t* target);

struct ConverterMethod {
  std::string_view name;
  ConvertFunction convert;
};

// The eight methods in the order the Convert dialog tries them.
std::span<const ConverterMethod> ConverterMethodNames();

// The converter of each document kind, null where the kind has none.
struct KindConverters {
  ConvertFunction palmDoc;
  ConvertFunction tcr;
  ConvertFunction html;  // line-break mode 1
  ConvertFunction fb2;
  ConvertFunction lit;
  ConvertFunction rb;
  ConvertFunction rtf;
  ConvertFunction utf8;
  bool (*isUtf8)(const char16_t* path);

  ConvertFunction ForKind(DocumentKind kind) const;
};

const KindConverters& DocumentConverters();
