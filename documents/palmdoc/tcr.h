// TCR e-texts: "!!8-Bit!!", a 256-entry phrase dictionary, then a body whose
// every byte stands for one dictionary entry.
#pragma once

bool IsTcrFile(const char16_t* path);
