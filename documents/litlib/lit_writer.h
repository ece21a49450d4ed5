// Pieces of a container writer: a directory cloned from another container,
// entries held in memory, and the headers, directory and section 0 written
// out through the write callback.
#pragma once

#include <cstdint>
#include <vector>

#include "documents/litlib/lit_file.h"

// The entry of that exact name, or null.
lit_entry* lit_find_entry(lit_file* lit, const char* name);
// Copies the source's directory into target; the copies point back to the
// source (kind 1 with link).
int lit_clone_directory(lit_file* target, lit_file* source);
// Adds, or replaces, a section-0 entry holding a copy of the bytes.
int lit_put_entry(lit_file* lit, const char* name, const uint8_t* bytes, uint32_t size);
// Removes every entry whose name begins with the prefix; returns the count.
int lit_remove_entries(lit_file* lit, const char* prefix);

// Appends one directory entry to a listing chunk of chunkSize bytes whose
// first *used bytes are taken; -2150 when it does not fit.
int lit_write_directory_entry(uint8_t* chunk, uint32_t chunkSize, uint32_t* used,
                              const lit_entry* entry);
// Writes an encoded integer into room bytes; -2160 when it does not fit,
// else the count written.
int lit_put_encint(uint8_t* p, uint32_t room, uint64_t value);
// The directory piece: listing chunks of chunkSize bytes holding every entry.
int lit_build_directory(lit_file* lit, uint32_t chunkSize, std::vector<uint8_t>* piece);
// Writes the section-0 data of every entry through the write callback and
// gives each its offset; -2000 without a callback, -2012 on a short write.
int lit_write_entries(lit_file* lit);
// Writes a whole container: headers, pieces, directory and section 0.
int lit_write_file(lit_file* lit);
