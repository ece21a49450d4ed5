// Cutting the document into the pieces handed to the engine.
#pragma once

#include <string>

#include "platform/types.h"

// The most bytes handed to the engine at once.
constexpr INT kSpeechChunkBytes = 1000;
// How far into the page a word cut by the page start may reach.
constexpr INT kPartialWordBytes = 50;

// Turns NUL bytes into blanks and cuts the block after its last sentence
// end ('.', '!' or '?' followed by a line feed, carriage return, tab or
// blank), taking a CR LF pair whole; a block without one stays whole.
std::string MakeSpeechChunk(std::string block);

// Where speech starts on a page: the page start, or, when the page starts
// inside a word (the byte before it is not blank), one past the first
// blank of `head` (the bytes at the page start); 0 when there is none.
INT SpeechStartSkip(INT pageStart, char byteBefore, const std::string& head);
