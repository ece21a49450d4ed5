#include "textanalysis/normalisation/markup_tag_processors.h"

#include "textanalysis/chain/chain_order.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

struct CharacterName {
  char c;
  const char* name;
};

// Shared by both; the brackets differ.
constexpr CharacterName kSymbolNames[] = {
    {'~', "тильда"},        {'\'', "апостроф"},  {'!', "восклицательный знак!"},
    {'@', "собака"},        {'#', "диез"},       {'$', "доллар"},
    {'%', "процент"},       {'^', "крышка"},     {'&', "амперсанд"},
    {'*', "звёздочка"},     {'_', "подчёркивание"}, {'-', "тире"},
    {'+', "плюс"},          {'=', "равно"},      {'|', "палка"},
    {'/', "слэш"},          {'{', "открыть фигурную скобку"},
    {'[', "открыть квадратную скобку"}, {'}', "закрыть фигурную скобку"},
    {']', "закрыть квадратную скобку"}, {':', "двоеточие:"},
    {';', "точка с запятой;"}, {'"', "кавычки"}, {'<', "меньше"},
    {',', "запятая,"},      {'>', "больше"},     {'.', "точка."},
    {'?', "вопрос?"},       {'\\', "обратный слэш"}, {'\xB9', "номер"}};

constexpr CharacterName kPuncBrackets[] = {{'(', "открыть круглую скобку)"},
                                           {')', "закрыть круглую скобку("}};
constexpr CharacterName kSpellBrackets[] = {{'(', "открыть круглую скобку("},
                                            {')', "закрыть круглую скобку)"}};

constexpr const char* kDigitNames[10] = {"ноль", "один",  "два",  "три",    "четыре",
                                         "пять", "шесть", "семь", "восемь", "девять"};

template <size_t N>
void Put(ByteTable& table, const CharacterName (&names)[N]) {
  for (const CharacterName& n : names) table[static_cast<unsigned char>(n.c)] = n.name;
}

ByteTable PuncNames() {
  ByteTable table;
  Put(table, kSymbolNames);
  Put(table, kPuncBrackets);
  return table;
}

// Each spelled letter is followed by a comma, a short pause.
ByteTable SpellNames() {
  ByteTable table = MakeLetterNames();
  for (std::string& name : table)
    if (!name.empty()) name += ',';
  for (int d = 0; d < 10; ++d) table['0' + d] = kDigitNames[d];
  Put(table, kSymbolNames);
  Put(table, kSpellBrackets);
  return table;
}

}  // namespace

AboutTagProcessor::AboutTagProcessor() : TextProcessor(kMarkupProcessorPriority) {}

void AboutTagProcessor::OnTag(const std::set<std::string>& tags) {
  active_ = tags.count("About") != 0;
}

int AboutTagProcessor::Process(std::vector<TextToken>& tokens, int index,
                               std::vector<TextToken>& out, int* consumed) {
  if (!active_) return Decline(out, consumed);
  active_ = false;
  return Handle(out, consumed, WithText(tokens[index], "Тег эбаут."), 1);
}

CharacterNameProcessor::CharacterNameProcessor(const char* attribute, ByteTable characterNames,
                                               std::map<std::string, std::string> tokenNames)
    : TextProcessor(kMarkupProcessorPriority),
      attribute_(attribute),
      characterNames_(std::move(characterNames)),
      tokenNames_(std::move(tokenNames)) {}

void CharacterNameProcessor::OnTag(const std::set<std::string>& tags) {
  active_ = tags.count(attribute_) != 0;
}

int CharacterNameProcessor::Process(std::vector<TextToken>& tokens, int index,
                                    std::vector<TextToken>& out, int* consumed) {
  const TextToken& token = tokens[index];
  if (!active_ || token.text.empty()) return Decline(out, consumed);
  auto whole = tokenNames_.find(token.text);
  if (whole != tokenNames_.end()) return Handle(out, consumed, WithText(token, whole->second), 1);
  if (ByteEntry(characterNames_, token.text[0]).empty()) return Decline(out, consumed);
  std::string text;
  for (char c : token.text) {
    const std::string& name = ByteEntry(characterNames_, c);
    if (name.empty()) continue;
    if (!text.empty()) text += ' ';
    text += name;
  }
  return Handle(out, consumed, WithText(token, text), 1);
}

PuncTagProcessor::PuncTagProcessor()
    : CharacterNameProcessor("Punc", PuncNames(), {{"...", "многоточие"}}) {}

SpellTagProcessor::SpellTagProcessor()
    : CharacterNameProcessor("Spell", SpellNames(), {{"...", "многоточие"}}) {}
