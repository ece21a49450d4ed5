// What every converter fuzz target shares. The converters take file paths,
// so each input goes through a file in a folder private to the process, and
// the output is read back from a file there; both are removed afterwards.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Call from LLVMFuzzerInitialize: silences message boxes and, when the
// arguments hold "--seeds=DIR" (an argument libFuzzer ignores), writes the
// seeds into DIR as files seed-0, seed-1, ... before the run reads it.
void InitFuzzTarget(int argc, char** argv, const std::vector<std::string>& seeds);

// Defines the target's LLVMFuzzerInitialize over its seed function.
#define FUZZ_TARGET_SEEDS(seedFunction)                               \
  extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {      \
    InitFuzzTarget(*argc, *argv, seedFunction());                     \
    return 0;                                                         \
  }

// The piece repeated until the text is at least this long: a seed that
// crosses the converters' block boundaries.
std::string Repeated(const std::string& piece, size_t atLeast);

// One input file and one output file in the private folder.
class FuzzFiles {
 public:
  // Writes the input under the given file name (its extension may matter).
  FuzzFiles(const uint8_t* data, size_t size, const std::string& sourceName);
  ~FuzzFiles();
  FuzzFiles(const FuzzFiles&) = delete;
  FuzzFiles& operator=(const FuzzFiles&) = delete;

  const char16_t* source() const { return source_.c_str(); }
  const char16_t* target() const { return target_.c_str(); }
  // The target's bytes; empty when it does not exist.
  std::string Output() const;
  bool OutputExists() const;
  void RemoveOutput() const;

 private:
  std::string sourcePath_;
  std::string targetPath_;
  std::u16string source_;
  std::u16string target_;
};

// Ends the run as a crash that libFuzzer reports with the input.
[[noreturn]] void FuzzFailure(const char* what);
#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) FuzzFailure(#condition); \
  } while (false)
