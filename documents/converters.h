// The document converters. Each reads the source and writes the whole target
// as 8-bit Windows-1251 text; true on success. The source is never changed,
// and a failed conversion leaves no target behind.
#pragma once

#include <cstdint>

bool ConvertHtmlToText(const char16_t* source, const char16_t* target, int32_t lineBreakMode);
bool ConvertFb2ToText(const char16_t* source, const char16_t* target);
bool ConvertUtf8ToWin(const char16_t* source, const char16_t* target);
bool ConvertPdbToText(const char16_t* source, const char16_t* target);
bool ConvertTcrToText(const char16_t* source, const char16_t* target);
bool ConvertRtfToText(const char16_t* source, const char16_t* target);
// Provided by the LIT and RB container code.
bool ConvertLitToText(const char16_t* source, const char16_t* target);
bool ConvertRbToText(const char16_t* source, const char16_t* target);

// Whether the first bytes of the file detect as UTF-8.
bool IsUtf8TextFile(const char16_t* path);
