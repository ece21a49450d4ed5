#include "phonetic/phonetic_processor_core.h"

#include <utility>

#include "foundation/code_pages.h"
#include "foundation/registry_string.h"
#include "foundation/string_utils.h"

namespace {

constexpr const char* kRussianKey = "SOFTWARE\\Morvane\\Russian";

}  // namespace

HRESULT PhoneticProcessorCore::SetLanguage(const Language& value) {
  // Russian without its base is asked again, so that a base installed later
  // is loaded.
  if (value == language_ && !(IsRussian() && ruleBasePath_.empty())) return S_FALSE;
  if (value && *value == u"409") {
    language_ = value;
    ruleBasePath_.clear();
    return S_OK;
  }
  const bool russian = value && *value == u"419";
  if (russian) {
    // Until the base is loaded, Russian words fail rather than go the
    // English way.
    language_ = value;
    ruleBasePath_.clear();
  }

  std::string folder, fileName;
  ReadRegistryString(folder, HKEY_LOCAL_MACHINE, kRussianKey, "Root");
  if (!ReadRegistryString(fileName, HKEY_LOCAL_MACHINE, kRussianKey, "PhTableRusPath") ||
      fileName.empty()) {
    return E_FAIL;
  }
  if (!russian) return E_FAIL;

  std::u16string path = NarrowToWide(JoinPath(folder, fileName));
  if (russianBase_.LoadRuleBaseOrReport(path) != S_OK) return E_FAIL;
  ruleBasePath_ = std::move(path);
  return S_OK;
}

HRESULT PhoneticProcessorCore::ToAllophones(const std::string& phonemes,
                                            std::string& outPhonemes,
                                            std::string& allophones) const {
  if (IsRussian() && ruleBasePath_.empty()) return E_ABORT;
  std::vector<std::string> tokens;
  SplitByChar(phonemes, tokens, ',');
  if (IsRussian()) return ToRussianAllophones(tokens, outPhonemes, allophones);

  const std::vector<std::string> english = english_.PhonemesToAllophones(tokens);
  if (english.empty()) return E_FAIL;
  outPhonemes = phonemes;
  allophones = JoinList(english);
  return S_OK;
}

HRESULT PhoneticProcessorCore::ToRussianAllophones(const std::vector<std::string>& tokens,
                                                   std::string& outPhonemes,
                                                   std::string& allophones) const {
  // Each phoneme travels with its allophone; a phoneme that yields none is
  // dropped with it, so the two lists never go out of step.
  std::vector<std::pair<std::string, std::string>> pairs;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const std::string& token = tokens[i];
    if (token == "#") continue;
    std::string allophone = token == "_" ? token : russianBase_.ApplyAllophoneRules(tokens, i);
    if (!allophone.empty()) pairs.emplace_back(token, std::move(allophone));
  }
  // The word boundaries around the word are not part of it.
  if (!pairs.empty() && pairs.front().second == "_") pairs.erase(pairs.begin());
  if (!pairs.empty() && pairs.back().second == "_") pairs.pop_back();

  // Of two equal neighbouring consonants only the second stays.
  std::vector<std::string> keptPhonemes, keptAllophones;
  for (size_t j = 0; j < pairs.size(); ++j) {
    const bool repeated = j + 1 < pairs.size() && pairs[j].first == pairs[j + 1].first &&
                          !IsVowel(pairs[j].first) && !IsVowel(pairs[j + 1].first);
    if (repeated) continue;
    keptPhonemes.push_back(pairs[j].first);
    keptAllophones.push_back(pairs[j].second);
  }
  outPhonemes = JoinList(keptPhonemes);
  allophones = JoinList(keptAllophones);
  return S_OK;
}

bool PhoneticProcessorCore::IsVowel(const std::string& phoneme) const {
  const PhonemeAttributes* attributes = russianBase_.FindAttributes(phoneme);
  return attributes != nullptr && attributes->isVowel != 0;
}

PhonemeAttributes PhoneticProcessorCore::Attributes(const std::string& name) const {
  if (IsRussian()) {
    const PhonemeAttributes* attributes = russianBase_.FindAttributes(name);
    return attributes != nullptr ? *attributes : PhonemeAttributes{};
  }
  PhonemeAttributes english;
  english.isVowel = (english_.GetSD(name) & PhoneticEng::kVowelBit) != 0 ? 1 : 0;
  return english;
}
