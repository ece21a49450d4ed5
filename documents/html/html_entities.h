// Character entities of XML/HTML text.
#pragma once

#include <string_view>

// The Windows-1251 byte of an entity ("&" to ";" inclusive), or -1 when the
// entity is dropped. A character Windows-1251 lacks gives its nearest
// equivalent or a blank; a control character other than tab and line feed
// gives a blank.
int HtmlEntityByte(std::string_view entity);
// Whether the text from "&" to ";" is an entity at all: "&#" and decimal
// digits, "&#x" and hexadecimal digits, or "&" and a name of Latin letters
// and digits.
bool IsEntityShaped(std::string_view entity);
