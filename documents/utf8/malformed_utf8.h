// Bytes of a UTF-8 text that begin no well-formed sequence.
#pragma once

#include <cstddef>
#include <string>

// Turns every byte that begins no well-formed UTF-8 sequence into a blank: a
// damaged byte costs its own character, never the letter or markup byte
// behind it, and an overlong form never turns into markup. Returns how many
// bytes it turned; sequences, when given, counts the well-formed sequences
// outside ASCII.
size_t BlankMalformedUtf8(std::string& text, size_t* sequences = nullptr);
