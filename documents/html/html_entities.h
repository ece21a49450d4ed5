// Character entities of XML/HTML text.
#pragma once

#include <string_view>

// The Windows-1251 byte of an entity ("&" to ";" inclusive), or -1 when the
// entity is dropped.
int HtmlEntityByte(std::string_view entity);
