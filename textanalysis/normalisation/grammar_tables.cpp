#include "textanalysis/normalisation/grammar_tables.h"

#include "foundation/char_classes.h"
#include "foundation/string_utils.h"

namespace {

struct Label {
  const char* text;
  int32_t code;
};
constexpr Label kGenders[] = {{"муж", 1}, {"жен", 0}, {"сред", 2}};
constexpr Label kNumbers[] = {{"ед", 0}, {"мн", 1}};
constexpr Label kCases[] = {{"им", 0},   {"род", 1},   {"дат", 2}, {"вин", 3},
                            {"твор", 4}, {"предл", 5}, {"зват", 6}};
constexpr Label kParts[] = {{"числ", 0}, {"прил", 1}};

constexpr const char* kNumeralKeys[] = {
    "ноль",     "один",        "два",         "три",          "четыре",     "пять",
    "шесть",    "семь",        "восемь",      "девять",       "десять",     "одиннадцать",
    "двенадцать", "тринадцать", "четырнадцать", "пятнадцать", "шестнадцать", "семнадцать",
    "восемнадцать", "девятнадцать", "двадцать", "тридцать",  "сорок",      "пятьдесят",
    "шестьдесят", "семьдесят",  "восемьдесят", "девяносто",   "сто",        "двести",
    "триста",   "четыреста",   "пятьсот",     "шестьсот",     "семьсот",    "восемьсот",
    "девятьсот", "тысяча",     "миллион",     "миллиард",     "триллион"};

// Scale words in the nominative singular, for reading a number as an
// ordinal ("двух тысяч" -> "тысяча" -> "тысячного").
struct ScaleNominative {
  const char* form;
  const char* nominative;
};
constexpr ScaleNominative kScaleNominatives[] = {
    {"тысячи", "тысяча"},       {"тысяч", "тысяча"},         {"миллиона", "миллион"},
    {"миллионов", "миллион"},   {"биллиона", "биллион"},     {"биллионов", "биллион"},
    {"миллиарда", "миллиард"},  {"миллиардов", "миллиард"},  {"триллиона", "триллион"},
    {"триллионов", "триллион"}, {"триллиарда", "триллиард"}, {"триллиардов", "триллиард"}};

constexpr const char* kWordSeparators = " \t\r\n";

std::string ScaleNominativeOf(const std::string& word) {
  for (const ScaleNominative& scale : kScaleNominatives)
    if (word == scale.form) return scale.nominative;
  return word;
}

bool IsScaleKey(const std::string& word) {
  return word == "тысяча" || word == "миллион" || word == "миллиард" || word == "триллион";
}

// A scale word in any form the speller writes ("тысяча", "тысяч", "миллионов").
bool IsScaleWord(const std::string& word) {
  return ScaleNominativeOf(word) != word || IsScaleKey(word);
}

// The speller's feminine units are forms of the masculine keys.
std::string NumeralKey(const std::string& word) {
  if (word == "одна" || word == "одно") return "один";
  if (word == "две") return "два";
  return word;
}

int NumeralGender(const std::string& word, int gender) {
  if (word == "одна" || word == "две") return 0;
  if (word == "одно") return 2;
  return gender;
}

// The words that join a round thousand into one ordinal ("двух", "пяти",
// "двадцати"): the units, teens and tens.
bool JoinsScale(const std::string& word) {
  static const char* const kJoining[] = {
      "две", "три", "четыре", "пять", "шесть", "семь", "восемь", "девять",
      "десять", "одиннадцать", "двенадцать", "тринадцать", "четырнадцать", "пятнадцать",
      "шестнадцать", "семнадцать", "восемнадцать", "девятнадцать", "двадцать", "тридцать",
      "сорок", "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};
  for (const char* joining : kJoining)
    if (word == joining) return true;
  return false;
}

template <size_t N>
bool FindLabel(const Label (&labels)[N], std::string text, int32_t& code) {
  LowerString(text);
  if (!text.empty() && text.back() == '.') text.pop_back();
  for (const Label& label : labels)
    if (text == label.text) {
      code = label.code;
      return true;
    }
  return false;
}

// A label field: letters, with an optional final ".".
bool IsLabelText(const std::string& text) {
  if (!text.empty() && text.back() == '.')
    return GrammarTables::IsWordText(text.substr(0, text.size() - 1));
  return GrammarTables::IsWordText(text);
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(kWordSeparators);
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(kWordSeparators);
  return text.substr(first, last - first + 1);
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  SplitByAny(text, words, kWordSeparators);
  return words;
}

// Splits off the last one or two words: prefix (with its blank) and them.
void SplitTail(const std::string& text, std::string& prefix, std::vector<std::string>& tail) {
  tail.clear();
  size_t end = text.find_last_not_of(kWordSeparators);
  if (end == std::string::npos) {
    prefix = text;
    return;
  }
  size_t cut = end + 1;
  for (int taken = 0; taken < 2; ++taken) {
    const size_t before = text.find_last_of(kWordSeparators, end);
    const size_t start = before == std::string::npos ? 0 : before + 1;
    tail.insert(tail.begin(), text.substr(start, end - start + 1));
    cut = start;
    if (before == std::string::npos) break;
    end = text.find_last_not_of(kWordSeparators, before);
    if (end == std::string::npos) break;
  }
  prefix = text.substr(0, cut);
}

}  // namespace

GrammarTables::GrammarTables() {
  for (const char* key : kNumeralKeys) numeralForms_[key] = std::vector<std::string>(kSlotCount);
}

bool GrammarTables::IsWordText(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    const int b = static_cast<unsigned char>(c);
    if (!IsRusLetter(b) && !IsLatinLetter(b)) return false;
  }
  return true;
}

int GrammarTables::Slot(const GrammarForm& form) {
  if (form.gender < 0 || form.gender >= kGenderCount || form.grammarCase < 0 ||
      form.grammarCase >= kCaseCount || form.part < 0 || form.part > 1 || form.number < 0 ||
      form.number > 1)
    return -1;
  return form.gender * kCaseCount * 4 + form.grammarCase * 4 + form.part * 2 + form.number;
}

bool GrammarTables::LoadWordForms(const std::vector<std::string>& lines) {
  for (const std::string& raw : lines) {
    const std::string line = Trimmed(raw);
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    SplitByChar(line, fields, ':');
    for (std::string& field : fields) field = Trimmed(field);
    if (fields.empty() || fields.size() > 5 || !IsWordText(fields[0])) continue;
    GrammarForm form;
    bool valid = true;
    for (size_t i = 1; i < fields.size() && valid; ++i) {
      valid = IsLabelText(fields[i]);
      if (!valid) break;
      switch (i) {
        case 1: valid = FindLabel(kGenders, fields[i], form.gender); break;
        case 2: valid = FindLabel(kParts, fields[i], form.part); break;
        case 3: valid = FindLabel(kCases, fields[i], form.grammarCase); break;
        case 4: valid = FindLabel(kNumbers, fields[i], form.number); break;
      }
    }
    if (!valid) continue;
    std::string word = fields[0];
    LowerString(word);
    // A spelling may stand for several forms ("минуты": one minute's
    // genitive, several minutes); each line adds one.
    std::vector<GrammarForm>& forms = wordForms_[word];
    bool known = false;
    for (const GrammarForm& f : forms)
      known = known || (f.gender == form.gender && f.number == form.number &&
                        f.grammarCase == form.grammarCase && f.part == form.part);
    if (!known) forms.push_back(form);
  }
  return true;
}

bool GrammarTables::LoadNumeralForms(const std::vector<std::string>& lines) {
  bool inBlock = false;
  int slot = -1;
  for (const std::string& raw : lines) {
    const std::string line = Trimmed(raw);
    if (line.empty()) continue;
    if (line[0] == '(') {
      inBlock = false;
      if (line.size() < 2 || line.back() != ')') continue;
      std::vector<std::string> fields;
      SplitByChar(line.substr(1, line.size() - 2), fields, ':');
      if (fields.size() != 4) continue;
      bool letters = true;
      for (std::string& field : fields) letters = letters && IsLabelText(field = Trimmed(field));
      if (!letters) continue;
      GrammarForm form;
      FindLabel(kGenders, fields[0], form.gender);
      FindLabel(kParts, fields[1], form.part);
      FindLabel(kCases, fields[2], form.grammarCase);
      FindLabel(kNumbers, fields[3], form.number);
      slot = Slot(form);
      inBlock = slot >= 0;
      continue;
    }
    if (line[0] == '@') {
      inBlock = false;
      continue;
    }
    if (!inBlock) continue;
    const std::vector<std::string> words = Words(line);
    if (words.empty() || words.size() > 2) continue;
    // Only the numerals the tables were built for take forms.
    auto entry = numeralForms_.find(words[0]);
    if (entry == numeralForms_.end()) continue;
    entry->second[slot] = words.back();
  }
  return true;
}

std::string GrammarTables::StoredForm(const std::string& word, const GrammarForm& form) const {
  const int slot = Slot(form);
  auto entry = numeralForms_.find(word);
  if (slot < 0 || entry == numeralForms_.end()) return std::string();
  return entry->second[slot];
}

std::string GrammarTables::FormOf(const std::string& word, const GrammarForm& form) const {
  std::string stored = StoredForm(word, form);
  return stored.empty() ? word : stored;
}

const GrammarForm* GrammarTables::WordForm(const std::string& word) const {
  const std::vector<GrammarForm>* forms = WordForms(word);
  return forms == nullptr ? nullptr : &forms->front();
}

const std::vector<GrammarForm>* GrammarTables::WordForms(const std::string& word) const {
  auto entry = wordForms_.find(word);
  return entry == wordForms_.end() || entry->second.empty() ? nullptr : &entry->second;
}

const std::vector<GrammarForm>* GrammarTables::TextForms(const std::string& text) const {
  if (!IsWordText(text)) return nullptr;
  std::string word = text;
  LowerString(word);
  return WordForms(word);
}

void GrammarTables::InflectNumber(std::string& words, const GrammarForm& form) const {
  std::string prefix;
  std::vector<std::string> tail;
  SplitTail(words, prefix, tail);
  if (tail.size() == 1) {
    words = prefix + FormOf(tail[0], form);
    return;
  }
  if (tail.size() != 2) return;
  std::string last = tail[1];
  if (form.part == 1) last = ScaleNominativeOf(last);
  // "две тысячи" as an ordinal is one word: "двухтысячном".
  if (form.part == 1 && prefix.empty() && last != tail[1] && JoinsScale(tail[0])) {
    GrammarForm genitive{NumeralGender(tail[0], form.gender), 0, 1, 0};
    const std::string head = StoredForm(NumeralKey(tail[0]), genitive);
    const std::string ordinal = StoredForm(last, form);
    if (!head.empty() && !ordinal.empty()) {
      words = head + ordinal;
      return;
    }
  }
  words = prefix + tail[0] + " " + FormOf(last, form);
}

void GrammarTables::InflectCardinal(std::string& words, const GrammarForm& form) const {
  const std::vector<std::string> parts = Words(words);
  if (parts.empty()) return;
  const bool direct = form.grammarCase == 0 || form.grammarCase == 3;
  if (direct) {
    std::string prefix;
    std::vector<std::string> tail;
    SplitTail(words, prefix, tail);
    const std::string& last = tail.back();
    // "две тысячи", "пять тысяч" read the same in both cases.
    if (ScaleNominativeOf(last) != last) return;
    if (IsScaleKey(last)) {
      // A thousand of one: "на тысячу", "за двадцать одну тысячу".
      const GrammarForm singular{1, 0, form.grammarCase, 0};
      std::string said = StoredForm(last, singular);
      if (said.empty()) said = last;
      std::string one = tail.size() == 2 ? tail[0] + " " : std::string();
      if (tail.size() == 2 && NumeralKey(tail[0]) == "один") {
        const std::string stored =
            StoredForm("один", GrammarForm{NumeralGender(tail[0], 1), 0, form.grammarCase, 0});
        if (!stored.empty()) one = stored + " ";
      }
      words = prefix + one + said;
      return;
    }
    const GrammarForm unit{NumeralGender(last, form.gender), 0, form.grammarCase, 0};
    std::string said = StoredForm(NumeralKey(last), unit);
    if (said.empty()) said = last;
    words = prefix + (tail.size() == 2 ? tail[0] + " " : std::string()) + said;
    return;
  }
  // The words before a scale word belong to its group and keep the gender
  // the speller gave them; the last group takes the noun's.
  size_t lastScale = std::string::npos;
  for (size_t i = 0; i < parts.size(); ++i)
    if (IsScaleWord(parts[i])) lastScale = i;
  std::string result;
  for (size_t i = 0; i < parts.size(); ++i) {
    const std::string& word = parts[i];
    std::string said;
    if (IsScaleWord(word)) {
      // Alone or after "одна" the scale word stays singular ("тысячи",
      // "одной тысячи").
      const bool one = i == 0 || NumeralKey(parts[i - 1]) == "один";
      said = StoredForm(ScaleNominativeOf(word), GrammarForm{1, one ? 0 : 1, form.grammarCase, 0});
    } else {
      const bool scaleGroup = lastScale != std::string::npos && i < lastScale;
      const int gender = NumeralGender(word, scaleGroup ? 1 : form.gender);
      const int number = scaleGroup ? 0 : form.number;
      said = StoredForm(NumeralKey(word), GrammarForm{gender, number, form.grammarCase, 0});
    }
    if (!result.empty()) result += ' ';
    result += said.empty() ? word : said;
  }
  words = result;
}

void GrammarTables::InflectNumberPhrase(std::string& words, const std::string& next,
                                        const std::string& previous,
                                        const std::string& digits) const {
  GrammarForm form;
  if (!ChooseForm(words, digits, next, previous, form)) return;
  if (form.part == 1)
    InflectNumber(words, form);
  else
    InflectCardinal(words, form);
}
