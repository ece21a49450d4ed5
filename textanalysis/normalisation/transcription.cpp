#include "textanalysis/normalisation/transcription.h"

#include "foundation/char_classes.h"
#include "foundation/string_utils.h"
#include "textanalysis/chain/chain_order.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/normalisation/token_output.h"

namespace {

constexpr const char* kFrame = "внзар";

}  // namespace

TranscriptionDictionary::TranscriptionDictionary() : latinMap_(MakeLatinToCyrillicMap()) {}

std::string TranscriptionDictionary::LatinToCyrillic(const std::string& text) const {
  std::string cyrillic;
  for (char c : text) {
    const int b = static_cast<unsigned char>(c);
    if (IsLatinLetter(b))
      cyrillic += ByteEntry(latinMap_, c);
    else if (IsRusLetter(b))
      cyrillic += c;
  }
  return cyrillic;
}

bool TranscriptionDictionary::ParseLine(const std::string& line, TranscriptionEntry& entry) const {
  std::string lower = line;
  LowerString(lower);
  std::vector<std::string> pieces;
  SplitByAnyKeeping(lower, pieces, " \t\r\n-", "-");
  if (pieces.size() < 2) return false;
  const std::string& last = pieces.back();
  if (last.size() <= 4 || last.front() != '#' || last.back() != '#') return false;
  entry.word = pieces.front();
  entry.followWords.assign(pieces.begin() + 1, pieces.end() - 1);
  entry.transcription = last;
  entry.cyrillic = kFrame;
  for (size_t i = 0; i + 1 < pieces.size(); ++i) entry.cyrillic += LatinToCyrillic(pieces[i]);
  entry.cyrillic += kFrame;
  return true;
}

void TranscriptionDictionary::Load(const std::vector<std::string>& lines) {
  byWord_.clear();
  byCyrillic_.clear();
  for (const std::string& line : lines) {
    TranscriptionEntry entry;
    if (!ParseLine(line, entry)) continue;
    byCyrillic_[entry.cyrillic] = entry;
    byWord_.emplace(entry.word, std::move(entry));
  }
}

bool TranscriptionDictionary::Match(const std::vector<TextToken>& tokens, int index,
                                    std::string& cyrillic, int& count) const {
  if (index < 0 || index >= static_cast<int>(tokens.size())) return false;
  std::string word = tokens[index].text;
  LowerString(word);
  auto range = byWord_.equal_range(word);
  for (auto it = range.first; it != range.second; ++it) {
    const std::vector<std::string>& follow = it->second.followWords;
    if (index + 1 + follow.size() > tokens.size()) continue;
    bool equal = true;
    for (size_t i = 0; i < follow.size() && equal; ++i)
      equal = tokens[index + 1 + i].text == follow[i];
    if (!equal) continue;
    cyrillic = it->second.cyrillic;
    count = static_cast<int>(follow.size()) + 1;
    return true;
  }
  return false;
}

TranscriptionProcessor::TranscriptionProcessor()
    : TextProcessor(kTranscriptionProcessorPriority) {}

int TranscriptionProcessor::Init(LinguisticResources* resources) {
  TextProcessor::Init(resources);
  if (resources != nullptr)
    dictionary_ = static_cast<const TranscriptionDictionary*>(
        resources->GetResource(LinguisticResources::kTranscriptions));
  return 1;
}

int TranscriptionProcessor::Process(std::vector<TextToken>& tokens, int index,
                                    std::vector<TextToken>& out, int* consumed) {
  std::string cyrillic;
  int count = 0;
  if (dictionary_ == nullptr || !dictionary_->Match(tokens, index, cyrillic, count))
    return Decline(out, consumed);
  return Handle(out, consumed,
                SpanToken(tokens, index, index + count - 1, cyrillic,
                          TextToken::kRussianWord | TextToken::kTranscribed),
                count);
}
