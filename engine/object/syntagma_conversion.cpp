// Voice kind 1: a syntagma's phoneme strings to allophones through the
// Russian phonetics, which refuse a whole list for one name they do not
// hold. No word may cost its neighbours their speech: a vowel outside the
// inventory is spoken as the nearest one held, and a word still refused is
// left out alone.
#include "engine/object/speech_engine.h"

#include <algorithm>

#include "engine/nearest_vowel.h"
#include "engine/pause_markers.h"
#include "engine/syntagma_phonemes.h"

bool SpeechEngine::ConvertSyntagma(SyntagmaEntry& syntagma) {
  if (syntagma.words.empty()) return true;
  if (!phonetic_) return false;
  std::vector<std::string> phonemes;
  for (const WordEntry& word : syntagma.words) phonemes.push_back(word.str);
  std::string allophones;
  if (!PhonemesToAllophones(JoinSyntagmaPhonemes(phonemes), allophones)) {
    bool mapped = false;
    for (std::string& word : phonemes) mapped = MapToHeldVowels(word) || mapped;
    if (!mapped || !PhonemesToAllophones(JoinSyntagmaPhonemes(phonemes), allophones)) {
      LeaveOutRefusedWords(syntagma, phonemes);
      if (syntagma.words.empty()) return false;
      if (!PhonemesToAllophones(JoinSyntagmaPhonemes(phonemes), allophones)) {
        if (log_ != nullptr)
          log_->SetSource(__FILE__, __LINE__)
              .LogError(u"syntagma left out: \"%s\" refused",
                        JoinSyntagmaPhonemes(phonemes).c_str());
        return false;
      }
    }
  }

  std::vector<std::string> parts = SplitSyntagmaAllophones(std::move(allophones));
  size_t converted = std::min(parts.size(), syntagma.words.size());
  for (size_t i = 0; i < converted; ++i) {
    std::string marker =
        i + 1 == converted ? SyntagmaEndMarker(syntagma.inton_sign) : InterWordPauseMarker();
    syntagma.words[i].str = parts[i] + "," + marker;
  }
  return true;
}

bool SpeechEngine::PhonemesToAllophones(std::string phonemes, std::string& allophones) {
  LPSTR answer = nullptr;
  HRESULT result = phonetic_->PhonemesToAllophones(phonemes.data(), &answer);
  allophones = answer != nullptr ? answer : "";
  CoTaskMemFree(answer);
  return SUCCEEDED(result);
}

void SpeechEngine::LeaveOutRefusedWords(SyntagmaEntry& syntagma,
                                        std::vector<std::string>& phonemes) {
  size_t kept = 0;
  std::string ignored;
  for (size_t i = 0; i < phonemes.size(); ++i) {
    if (!PhonemesToAllophones(JoinSyntagmaPhonemes({phonemes[i]}), ignored)) {
      if (log_ != nullptr)
        log_->SetSource(__FILE__, __LINE__)
            .LogError(u"word \"%s\" left out: phonemes \"%s\" refused",
                    syntagma.words[i].raw_text.c_str(), phonemes[i].c_str());
      continue;
    }
    if (kept != i) {
      syntagma.words[kept] = std::move(syntagma.words[i]);
      phonemes[kept] = std::move(phonemes[i]);
    }
    ++kept;
  }
  syntagma.words.resize(kept);
  phonemes.resize(kept);
}

bool SpeechEngine::MapToHeldVowels(std::string& phonemes) {
  std::string mapped;
  bool changed = false;
  for (size_t start = 0; start <= phonemes.size();) {
    size_t end = std::min(phonemes.find(',', start), phonemes.size());
    const std::string& name = HeldNameFor(phonemes.substr(start, end - start));
    changed = changed || name.size() != end - start || phonemes.compare(start, end - start, name) != 0;
    if (start != 0) mapped += ',';
    mapped += name;
    start = end + 1;
  }
  if (changed) phonemes = std::move(mapped);
  return changed;
}

const std::string& SpeechEngine::HeldNameFor(const std::string& name) {
  auto found = heldNames_.find(name);
  if (found != heldNames_.end()) return found->second;
  auto held = [this](std::string_view candidate) {
    std::string copy(candidate);
    I8 description = 0;
    return SUCCEEDED(phonetic_->GetSoundDescription(copy.data(), &description)) &&
           description != 0;
  };
  std::string spoken = name;
  I8 description = 0;
  // A phonetics that cannot say what it holds is taken to hold the name.
  if (SUCCEEDED(phonetic_->GetSoundDescription(spoken.data(), &description)) && description == 0) {
    std::string nearest = NearestHeldVowel(name, held);
    if (!nearest.empty()) spoken = std::move(nearest);
  }
  return heldNames_.emplace(name, std::move(spoken)).first->second;
}
