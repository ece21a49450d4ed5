#include "textanalysis/tokenizer/tagged_tokenizer.h"

#include <algorithm>
#include <string_view>

#include "foundation/char_classes.h"
#include "textanalysis/tokenizer/plain_tokenizer.h"
#include "textanalysis/tokenizer/token_cutter.h"
#include "textanalysis/tokenizer/token_kinds.h"

namespace {

constexpr std::string_view kPronPrefix = "Pron=";

bool IsPronTag(const std::string& desc) {
  return desc.size() > kPronPrefix.size() && desc.starts_with(kPronPrefix);
}

char FidoReplacement(char c) {
  switch (c) {
    case 'p': return 'р';
    case 'H': return 'Н';
    case 'y': return 'у';
    case 'k': return 'к';
    default: return '\0';
  }
}

bool IsCapitalLetter(char c) {
  const int b = static_cast<unsigned char>(c);
  return IsRusUpper(b) || IsLatinUpper(b);
}

// One run of the tokenizer over one text.
class TaggedRun {
 public:
  TaggedRun(const CharSet& groups, const TagTable* tags, StressByPosition* stresses,
            std::string& text, std::vector<TextToken>& tokens, UI8 start)
      : tags_(tags), stresses_(stresses), text_(text), start_(start),
        cutter_(groups, tokens, start) {}

  void Run() {
    OnBoundary(start_);
    for (size_t i = 0; i < text_.size(); ++i) {
      const UI8 position = start_ + i;
      if (position >= nextBoundary_) OnBoundary(position);
      if (pronMode_) continue;
      const char c = text_[i];
      if (c == ' ' || c == '\t') {
        cutter_.Blank(c, position);
      } else if (const size_t length = LineBreakLength(text_, i)) {
        const bool emitted = cutter_.LineBreak(position, length);
        i += length - 1;
        // A capital right after a break that ended a word starts a sentence;
        // the stop carries the break, so that it ends one. After punctuation
        // the text has its own stop (or pause) already.
        if (emitted && !IsPunctuationMark(cutter_.Emitted().back().text[0]) &&
            i + 1 < text_.size() && IsCapitalLetter(text_[i + 1])) {
          cutter_.Emitted().emplace_back(TextToken::kLineEndAfter, ".", Interval{position, 1});
        }
        // A tag boundary on the LF of a CRLF pair is not skipped with it.
        if (nextBoundary_ > position && nextBoundary_ < position + length) OnBoundary(nextBoundary_);
      } else if (c == '+' && stressMarks_) {
        StressMark();
      } else {
        cutter_.Character(c, position);
      }
    }
    const UI8 end = start_ + text_.size();
    cutter_.EmitPending(end);
    if (end != start_) EmitPointTags(end);
  }

 private:
  void OnBoundary(UI8 position) {
    std::set<std::string> inForce;
    if (tags_ != nullptr) {
      inForce = TagTextsAt(*tags_, position);
      nextBoundary_ = tags_->NextBoundary(position);
    } else {
      nextBoundary_ = kNoPosition;
    }
    CloseAt(position);
    pronMode_ = false;
    EmitPointTags(position);
    stressMarks_ = inForce.count("Stress") != 0;
    // A pronunciation of size 0 is a token of its own (EmitPointTags); one
    // that covers text replaces it.
    for (const std::string& desc : CoveringTexts(position)) {
      if (!IsPronTag(desc)) continue;
      TextToken& pending = cutter_.Pending();
      pending.text = desc.substr(kPronPrefix.size());
      pending.AddFlags(TextToken::kFromTag);
      pronMode_ = true;
      break;
    }
    if (inForce.count("Context=fido") != 0) {
      const size_t from = static_cast<size_t>(position - start_);
      const size_t to = nextBoundary_ == kNoPosition || nextBoundary_ - start_ > text_.size()
                            ? text_.size()
                            : static_cast<size_t>(nextBoundary_ - start_);
      ApplyFidoLetters(text_, from, to);
    }
  }

  std::set<std::string> CoveringTexts(UI8 position) const {
    std::set<std::string> texts;
    if (tags_ == nullptr) return texts;
    std::vector<TagRecord> records;
    tags_->TagsCovering(position, records);
    for (const TagRecord& record : records) texts.insert(record.desc);
    return texts;
  }

  // The pending token ends at a tag boundary; the next one starts there as
  // if after a blank.
  void CloseAt(UI8 position) {
    TextToken& pending = cutter_.Pending();
    if (!pending.text.empty()) {
      cutter_.EmitPending(position, TextToken::kSpaceAfter);
      cutter_.Restart(position, TextToken::kSpaceBefore);
      return;
    }
    if (!pending.HasAnyFlag(TextToken::kSeparatedBefore) && !cutter_.Emitted().empty())
      cutter_.Emitted().back().AddFlags(TextToken::kSpaceAfter);
    // An empty pending token keeps what separated it (a line break matters to
    // sentence splitting).
    const UI4 flags = pending.flags | TextToken::kSpaceBefore;
    cutter_.Restart(position, flags);
  }

  // Tags of size 0 at the position: a pronunciation becomes a token of its
  // own, "About" a blank token.
  void EmitPointTags(UI8 position) {
    if (tags_ == nullptr) return;
    std::vector<TagRecord> points;
    tags_->PointTagsAt(position, points);
    for (const TagRecord& tag : points) {
      if (IsPronTag(tag.desc)) {
        cutter_.Emitted().emplace_back(TextToken::kFromTag | TextToken::kSpaceAfter,
                                       tag.desc.substr(kPronPrefix.size()),
                                       Interval{position, 0});
      } else if (tag.desc == "About") {
        cutter_.Emitted().emplace_back(TextToken::kSpaceAfter, " ", Interval{position, 0});
      } else {
        continue;
      }
      const UI4 kept = cutter_.Pending().flags;
      if (cutter_.Pending().text.empty())
        cutter_.Restart(position, kept | TextToken::kSpaceBefore);
    }
  }

  // "+" after a letter of the pending token stresses that letter.
  void StressMark() {
    const TextToken& pending = cutter_.Pending();
    if (pending.text.empty() || stresses_ == nullptr) return;
    (*stresses_)[pending.position.start].main = static_cast<INT>(pending.text.size()) - 1;
  }

  const TagTable* tags_;
  StressByPosition* stresses_;
  std::string& text_;
  const UI8 start_;
  TokenCutter cutter_;
  UI8 nextBoundary_ = kNoPosition;
  bool stressMarks_ = false;
  bool pronMode_ = false;
};

}  // namespace

std::set<std::string> TagTextsAt(const TagTable& tags, UI8 position) {
  std::vector<TagRecord> records;
  tags.TagsAt(position, records);
  std::set<std::string> texts;
  for (const TagRecord& record : records) texts.insert(record.desc);
  return texts;
}

void ApplyFidoLetters(std::string& text, size_t from, size_t to) {
  to = std::min(to, text.size());
  if (from >= to) return;
  const auto isCyrillic = [&](size_t i) { return IsRusLetter(static_cast<unsigned char>(text[i])); };
  for (size_t i = from; i < to; ++i) {
    const char replacement = FidoReplacement(text[i]);
    if (replacement == '\0') continue;
    const bool left = i > from && isCyrillic(i - 1);
    const bool right = i + 1 < to && isCyrillic(i + 1);
    if (left || right) text[i] = replacement;
  }
}

void TaggedTokenizer::Tokenize(const std::string& source, std::vector<TextToken>& tokens,
                               UI8 start) const {
  if (groups_ == nullptr) return;
  std::string text = WithPlainDashes(source);
  const size_t first = tokens.size();
  TaggedRun(*groups_, tags_, stresses_, text, tokens, start).Run();
  for (size_t i = first; i < tokens.size(); ++i) ClassifyToken(tokens[i]);
}
