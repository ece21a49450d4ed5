#include "textanalysis/chain/chain_order.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/normalisation/grammar_tables.h"
#include "textanalysis/normalisation/number_processors.h"
#include "textanalysis/normalisation/numeral_speller.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

bool StartsWithDigit(const std::string& text) {
  return !text.empty() && text[0] >= '0' && text[0] <= '9';
}

bool IsDecimalSeparator(const std::string& text) { return text == "." || text == ","; }

bool IsNumberAt(const std::vector<TextToken>& tokens, int index) {
  return index >= 0 && index < static_cast<int>(tokens.size()) && tokens[index].IsNumber();
}

}  // namespace

CardinalNumberProcessor::CardinalNumberProcessor()
    : TextProcessor(ChainPriority(ChainSlot::CardinalNumber)) {}

int CardinalNumberProcessor::Init(LinguisticResources* resources) {
  TextProcessor::Init(resources);
  if (resources != nullptr)
    grammar_ = static_cast<const GrammarTables*>(
        resources->GetResource(LinguisticResources::kGrammarTables));
  return 1;
}

void CardinalNumberProcessor::OnTag(const std::set<std::string>& tags) {
  genderSet_ = true;
  if (tags.count("Context=gender_masculine"))
    gender_ = 1;
  else if (tags.count("Context=gender_feminine"))
    gender_ = 0;
  else if (tags.count("Context=gender_neuter"))
    gender_ = 2;
  else
    genderSet_ = false;
}

int CardinalNumberProcessor::DecimalLength(const std::vector<TextToken>& tokens,
                                           int index) const {
  const int count = static_cast<int>(tokens.size());
  if (index + 2 >= count || tokens[index].HasLineBreakOrSpaceAfter()) return 1;
  const TextToken& separator = tokens[index + 1];
  const TextToken& fraction = tokens[index + 2];
  if (!IsDecimalSeparator(separator.text) || separator.HasLineBreakOrSpaceAfter() ||
      !StartsWithDigit(fraction.text))
    return 1;
  if (index + 2 == count - 1 || fraction.HasLineBreakOrSpaceAfter()) return 3;
  // "1.2.3" is not one number; but the same mark followed by a blank, a line
  // end or the end of the text closes the sentence ("Пи равно 3.14.").
  const TextToken& after = tokens[index + 3];
  return index + 3 == count - 1 || after.HasLineBreakOrSpaceAfter() || after.text.empty() ||
                 after.text[0] != separator.text[0]
             ? 3
             : 1;
}

int CardinalNumberProcessor::Process(std::vector<TextToken>& tokens, int index,
                                     std::vector<TextToken>& out, int* consumed) {
  const int count = static_cast<int>(tokens.size());
  const TextToken& token = tokens[index];
  if ((token.text == "+" || token.text == "-") && !token.HasLineBreakOrSpaceAfter() &&
      token.HasLineBreakOrSpaceBefore() && index + 1 < count && tokens[index + 1].IsNumber())
    return Handle(out, consumed, WithText(token, token.text == "+" ? "плюс" : "минус"), 1);
  // A "-" written tight between two numbers is a range ("2-3 дня"), said as
  // two numbers and not as one hyphenated word. With blanks on both sides it
  // is a dash ("1941 - 1945") and stays a mark.
  if (token.text == "-" && IsNumberAt(tokens, index - 1) && IsNumberAt(tokens, index + 1) &&
      !token.HasLineBreakOrSpaceBefore() && !token.HasLineBreakOrSpaceAfter())
    return Handle(out, consumed, WithText(token, std::string()), 1);
  if (!token.IsNumber()) return Decline(out, consumed);

  const int length = DecimalLength(tokens, index);
  std::string text;
  if (!NumeralSpeller::NumberWithZeros(token.text, text)) return Decline(out, consumed);
  if (length == 3) {
    const std::string& fraction = tokens[index + 2].text;
    size_t zeros = 0;
    while (zeros < fraction.size() && fraction[zeros] == '0') {
      text += " ноль";
      ++zeros;
    }
    const std::string rest = fraction.substr(zeros);
    if (!rest.empty()) {
      std::string words;
      const bool read = rest.size() < 4 ? NumeralSpeller::NumberWithZeros(rest, words)
                                        : NumeralSpeller::DigitByDigit(rest, words);
      if (!read) return Decline(out, consumed);
      text += " " + words;
    }
  } else if (grammar_ != nullptr) {
    if (genderSet_) {
      GrammarForm form;
      form.gender = gender_;
      grammar_->InflectNumber(text, form);
    } else {
      const std::string next = index + 1 < count ? tokens[index + 1].text : std::string();
      const std::string previous = index > 0 ? tokens[index - 1].text : std::string();
      grammar_->InflectNumberPhrase(text, next, previous);
    }
  }
  return Handle(out, consumed, SpanToken(tokens, index, index + length - 1, text), length);
}
