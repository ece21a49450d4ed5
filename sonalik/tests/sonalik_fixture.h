// Registers the server into the test's own registry, creates it through
// COM as the engine does, and wraps the calls that hand back task memory.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interfaces/sonalik.h"

class SonalikTest : public ::testing::Test {
 public:
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  static IPhonetic* Phonetic() { return phonetic_; }

  // The string a call returned (freed here), or "<hr>" when it failed.
  static std::string Take(HRESULT hr, LPSTR text);
  using StringCall = HRESULT (IPhonetic::*)(LPSTR, LPSTR*);
  static std::string Call(StringCall call, const std::string& text);

  static I8 SoundDescriptionOf(const std::string& phoneme);
  static std::string TextOf(I8 sd);
  // Position descriptions; empty when the call failed.
  static std::vector<I8> DescribePositions(const std::string& phonemes);

 private:
  static IPhonetic* phonetic_;
};

// Windows-1251 text as the server takes it.
inline LPSTR In(const std::string& text) { return const_cast<LPSTR>(text.c_str()); }

inline const std::string kInvalidArg = "<" + std::to_string(E_INVALIDARG) + ">";
