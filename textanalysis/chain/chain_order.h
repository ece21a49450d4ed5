// The processors of the normalisation chain: their registration order and
// priorities. The chain runs them by descending priority; equal priorities
// keep registration order.
#pragma once

#include <array>
#include <cstddef>

enum class ChainSlot {
  DropWord,
  PassThrough,
  LatinToCyrillic,
  CardinalNumber,
  CyrillicAbbreviation,
  LatinAbbreviation,
  Phrase,  // only when the string resources switch it on
  SymbolName,
  OrdinalNumber,
  LetterName,
  YoRestore,
  Currency,
  RomanNumeral,
};

inline constexpr size_t kChainSlotCount = 13;

struct ChainRegistration {
  ChainSlot slot;
  const char* name;
  float priority;
};

// In registration order.
inline constexpr std::array<ChainRegistration, kChainSlotCount> kChainRegistrations = {{
    {ChainSlot::DropWord, "DropWordProcessor", 0.0f},
    {ChainSlot::PassThrough, "PassThroughProcessor", 1.0f},
    {ChainSlot::LatinToCyrillic, "LatinToCyrillicProcessor", 2.0f},
    {ChainSlot::CardinalNumber, "CardinalNumberProcessor", 3.0f},
    {ChainSlot::CyrillicAbbreviation, "CyrillicAbbreviationProcessor", 3.0f},
    {ChainSlot::LatinAbbreviation, "LatinAbbreviationProcessor", 3.0f},
    {ChainSlot::Phrase, "PhraseProcessor", 3.1f},
    {ChainSlot::SymbolName, "SymbolNameProcessor", 0.5f},
    {ChainSlot::OrdinalNumber, "OrdinalNumberProcessor", 3.1f},
    {ChainSlot::LetterName, "LetterNameProcessor", 3.0f},
    {ChainSlot::YoRestore, "YoRestoreProcessor", 1.1f},
    {ChainSlot::Currency, "CurrencyProcessor", 3.1f},
    {ChainSlot::RomanNumeral, "RomanNumeralProcessor", 3.1f},
}};

// The priority a processor of that slot is built with.
constexpr float ChainPriority(ChainSlot slot) {
  for (const ChainRegistration& r : kChainRegistrations)
    if (r.slot == slot) return r.priority;
  return 0.0f;
}

// Priorities of the processors that are built but never chained.
inline constexpr float kMarkupProcessorPriority = 4.0f;
inline constexpr float kTranscriptionProcessorPriority = 5.1f;
