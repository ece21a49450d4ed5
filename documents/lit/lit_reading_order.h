// Which documents of a LIT book are read, and in what order.
#pragma once

#include <string>
#include <vector>

#include "documents/litlib/lit_file.h"
#include "documents/litlib/lit_manifest.h"

// The idrefs of the package's spine ("/meta"), in order; empty when the
// book has no package or its package no spine.
std::vector<std::string> LitSpineIdrefs(lit_file* lit, const lit_manifest& manifest);
// The documents stored as tag streams (groups 0 and 1): those the spine
// lists, in its order, when it lists any; otherwise all of them in
// manifest order.
std::vector<const lit_manifest_item*> LitReadingOrder(const lit_manifest& manifest,
                                                      const std::vector<std::string>& spine);
