#include "textanalysis/normalisation/letter_processors.h"

#include "foundation/char_classes.h"
#include "textanalysis/chain/chain_order.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

int Byte(char c) { return static_cast<unsigned char>(c); }

}  // namespace

std::string SpellOut(const std::string& text, const ByteTable& names) {
  std::string spelled;
  for (char c : text) {
    spelled += ' ';
    spelled += ByteEntry(names, c);
  }
  return spelled;
}

LetterNameProcessor::LetterNameProcessor()
    : TextProcessor(ChainPriority(ChainSlot::LetterName)), names_(MakeLetterNames()) {}

int LetterNameProcessor::Process(std::vector<TextToken>& tokens, int index,
                                 std::vector<TextToken>& out, int* consumed) {
  if (index != 0 || tokens.empty() || tokens.size() > 2) return Decline(out, consumed);
  if (tokens.size() == 2 && !tokens[1].IsPunctuation()) return Decline(out, consumed);
  const std::string& text = tokens[0].text;
  if (text.size() != 1 || !(IsRusLetter(Byte(text[0])) || IsLatinLetter(Byte(text[0]))))
    return Decline(out, consumed);
  return Handle(out, consumed, WithText(tokens[0], ByteEntry(names_, text[0])), 1);
}

CyrillicAbbreviationProcessor::CyrillicAbbreviationProcessor()
    : TextProcessor(ChainPriority(ChainSlot::CyrillicAbbreviation)),
      names_(MakeCyrillicCapitalNames()) {}

int CyrillicAbbreviationProcessor::Process(std::vector<TextToken>& tokens, int index,
                                           std::vector<TextToken>& out, int* consumed) {
  const std::string& text = tokens[index].text;
  if (text.size() < 2) return Decline(out, consumed);
  int vowels = 0;
  for (char c : text) {
    if (!IsRusUpper(Byte(c))) return Decline(out, consumed);
    if (IsRusVowel(Byte(c))) ++vowels;
  }
  const bool vowelAtEdge = IsRusVowel(Byte(text.front())) || IsRusVowel(Byte(text.back()));
  if (!(vowels == 0 || (vowels == 1 && vowelAtEdge))) return Decline(out, consumed);
  return Handle(out, consumed, WithText(tokens[index], SpellOut(text, names_)), 1);
}

LatinAbbreviationProcessor::LatinAbbreviationProcessor()
    : TextProcessor(ChainPriority(ChainSlot::LatinAbbreviation)),
      names_(MakeLatinCapitalNames()) {}

int LatinAbbreviationProcessor::Process(std::vector<TextToken>& tokens, int index,
                                        std::vector<TextToken>& out, int* consumed) {
  const std::string& text = tokens[index].text;
  if (text.empty() || !IsLatinLetter(Byte(text[0]))) return Decline(out, consumed);
  int vowels = 0;
  for (char c : text) {
    if (!IsLatinUpper(Byte(c))) return Decline(out, consumed);
    if (IsLatinVowel(Byte(c))) ++vowels;
  }
  const bool firstVowel = IsLatinVowel(Byte(text.front()));
  const bool lastVowel = IsLatinVowel(Byte(text.back()));
  const bool applies = text.size() == 1 || vowels == 0 ||
                       (vowels == 1 && (firstVowel || lastVowel)) ||
                       (vowels == 2 && firstVowel && lastVowel);
  if (!applies) return Decline(out, consumed);
  return Handle(out, consumed, WithText(tokens[index], SpellOut(text, names_)), 1);
}

LatinToCyrillicProcessor::LatinToCyrillicProcessor()
    : TextProcessor(ChainPriority(ChainSlot::LatinToCyrillic)), map_(MakeLatinToCyrillicMap()) {}

int LatinToCyrillicProcessor::Process(std::vector<TextToken>& tokens, int index,
                                      std::vector<TextToken>& out, int* consumed) {
  const std::string& text = tokens[index].text;
  if (text.empty() || !IsLatinLetter(Byte(text[0]))) return Decline(out, consumed);
  std::string cyrillic;
  for (char c : text) cyrillic += ByteEntry(map_, c);
  return Handle(out, consumed, WithText(tokens[index], cyrillic), 1);
}
