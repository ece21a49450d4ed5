// The encoding a markup document names for itself: what it declares decides
// over what its first bytes look like.
#pragma once

// Whether the head of an XML, XHTML, HTML or FB2 file declares UTF-8: a
// UTF-8 byte-order mark, the encoding of its XML declaration, or else the
// charset of its first meta tag that names one. A declaration that most of
// the head's bytes outside ASCII contradict (a file saved in another code
// page under its old header) is not believed. False when the file cannot
// be read.
bool DeclaresUtf8File(const char16_t* path);
