// Bitmaps as PNG files (8-bit RGB, no interlace), for test frames and
// screenshots.
#pragma once

#include "platform/window/bitmap.h"

#include <string>

// Written whole or not at all (AtomicFile); false when the file cannot be
// written, with the reason when asked for.
bool WritePng(const Bitmap& bitmap, const std::string& path, std::string* reason = nullptr);
// Reads the 8-bit RGB and RGBA files this module and common tools write
// (alpha dropped); false on anything else.
bool ReadPng(const std::string& path, Bitmap* bitmap);
