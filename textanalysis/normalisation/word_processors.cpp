#include "textanalysis/normalisation/word_processors.h"

#include "foundation/char_classes.h"
#include "textanalysis/chain/chain_order.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/normalisation/plural_form.h"
#include "textanalysis/normalisation/token_output.h"
#include "textanalysis/tokenizer/token_kinds.h"

namespace {

constexpr char kSmallIe = '\xE5';
constexpr char kCapitalIe = '\xC5';
constexpr char kSmallYo = '\xB8';

}  // namespace

YoRestoreProcessor::YoRestoreProcessor() : TextProcessor(ChainPriority(ChainSlot::YoRestore)) {}

int YoRestoreProcessor::Init(LinguisticResources* resources) {
  TextProcessor::Init(resources);
  if (resources != nullptr)
    yoMasks_ =
        static_cast<const YoMaskBase*>(resources->GetResource(LinguisticResources::kYoMasks));
  return 1;
}

int YoRestoreProcessor::Process(std::vector<TextToken>& tokens, int index,
                                std::vector<TextToken>& out, int* consumed) {
  const TextToken& token = tokens[index];
  if (yoMasks_ == nullptr || !token.IsRussianWord() ||
      token.text.find(kSmallIe) == std::string::npos)
    return Decline(out, consumed);
  int position = -1;
  if (!yoMasks_->FindYoPosition(tokens, index, position) || position < 0 ||
      position >= static_cast<int>(token.text.size()))
    return Decline(out, consumed);
  const char letter = token.text[position];
  if (letter != kSmallIe && letter != kCapitalIe) return Decline(out, consumed);
  std::string text = token.text;
  text[position] = kSmallYo;
  return Handle(out, consumed, WithText(token, text), 1);
}

PassThroughProcessor::PassThroughProcessor()
    : TextProcessor(ChainPriority(ChainSlot::PassThrough)) {}

int PassThroughProcessor::Process(std::vector<TextToken>& tokens, int index,
                                  std::vector<TextToken>& out, int* consumed) {
  const TextToken& token = tokens[index];
  if (token.text.empty()) return Decline(out, consumed);
  const char first = token.text[0];
  if (!IsRusLetter(static_cast<unsigned char>(first)) && !IsPunctuationMark(first))
    return Decline(out, consumed);
  return Handle(out, consumed, token, 1);
}

std::string AgreeingEnding(const std::string& number) {
  const size_t dot = number.find('.');
  const size_t comma = number.find(',');
  if (dot != std::string::npos && comma != std::string::npos) return "";
  const size_t separator = dot != std::string::npos ? dot : comma;
  const size_t from = separator != std::string::npos ? separator + 1 : 0;
  // Only the last two digits of the leading digit run matter, so any length
  // of number is read right.
  size_t end = from;
  while (end < number.size() && number[end] >= '0' && number[end] <= '9') ++end;
  return CountedEnding(PluralFormOf(number.substr(from, end - from)));
}

SymbolNameProcessor::SymbolNameProcessor()
    : TextProcessor(ChainPriority(ChainSlot::SymbolName)), names_(MakeSymbolNames()) {}

int SymbolNameProcessor::Process(std::vector<TextToken>& tokens, int index,
                                 std::vector<TextToken>& out, int* consumed) {
  const TextToken& token = tokens[index];
  std::string text;
  if (index > 0 && tokens[index - 1].IsNumber() && token.text.size() == 1 &&
      IsCountedSymbol(token.text[0])) {
    std::string ending = AgreeingEnding(tokens[index - 1].text);
    if (IsDecimalFraction(tokens, index - 1)) {
      ending = CountedEnding(PluralForm::kFew);
    } else if (IsNumberInGenitive(tokens, index - 1)) {
      // The number is read in the genitive ("до трёх"), and so is the sign:
      // "до трёх процентов", "до одного процента".
      ending = CountedEnding(ending.empty() ? PluralForm::kFew : PluralForm::kMany);
    }
    text = ByteEntry(names_, token.text[0]) + ending;
  } else {
    for (char c : token.text) {
      if (!text.empty()) text += ' ';
      text += ByteEntry(names_, c);
    }
  }
  if (text.empty()) return Decline(out, consumed);
  TextToken result(token.LeftFlags() | token.RightFlags(), text, token.position);
  return Handle(out, consumed, result, 1);
}

DropWordProcessor::DropWordProcessor() : TextProcessor(ChainPriority(ChainSlot::DropWord)) {}

int DropWordProcessor::Process(std::vector<TextToken>& tokens, int index,
                               std::vector<TextToken>& out, int* consumed) {
  return Handle(out, consumed, WithText(tokens[index], std::string()), 1);
}
