#include "documents/common/converter_table.h"

#include "documents/common/auto_conversion.h"
#include "documents/converters.h"

namespace {

bool ConvertHtmlWithLineBreaks(const char16_t* source, const char16_t* target) {
  return ConvertHtmlToText(source, target, 1);
}

constexpr ConverterMethod kMethods[] = {
    {"From XML/HTML to TXT", ConvertHtmlWithLineBreaks},
    {"From FB2 to TXT", ConvertFb2ToText},
    {"From UTF8 to WIN", ConvertUtf8ToWin},
    {"From PRC/PDB to TXT", ConvertPdbToText},
    {"From TCR to TXT", ConvertTcrToText},
    {"From LIT to TXT", ConvertLitToText},
    {"From Rb to TXT", ConvertRbToText},
    {"From RTF to TXT", ConvertRtfToText},
};

constexpr KindConverters kConverters = {
    ConvertPdbToText, ConvertTcrToText, ConvertHtmlWithLineBreaks, ConvertFb2ToText,
    ConvertLitToText, ConvertRbToText,  ConvertRtfToText,          ConvertUtf8ToWin,
    IsUtf8TextFile,
};

}  // namespace

std::span<const ConverterMethod> ConverterMethodNames() { return kMethods; }

const KindConverters& DocumentConverters() { return kConverters; }

// Here rather than beside the other overload: only a program that converts
// with the real converters needs all of them linked.
OpenedText ConvertForReading(const std::u16string& document) {
  return ConvertForReading(document, DocumentConverters());
}
