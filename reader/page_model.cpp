#include "reader/page_model.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "foundation/char_classes.h"
#include "foundation/code_pages.h"
#include "platform/unicode.h"

namespace {

const CharWidthTable& ZeroWidths() {
  static const CharWidthTable zero{};
  return zero;
}

bool IsLetter(unsigned char c) { return IsRusLetter(c) || IsLatinLetter(c); }
bool IsVowel(unsigned char c) { return IsRusVowel(c) || IsLatinVowel(c); }

}  // namespace

PageModel::OpenResult PageModel::Open(const std::u16string& path) {
  Close();
  std::error_code error;
  const auto size = std::filesystem::file_size(Utf16ToUtf8(path), error);
  if (!error && size > static_cast<uintmax_t>(INT32_MAX)) return OpenResult::kTooLarge;
  if (!file_.Open(path.c_str(), u"rb")) return OpenResult::kCannotOpen;
  fileSize_ = static_cast<INT>(file_.GetSize());
  return OpenResult::kOpened;
}

void PageModel::Close() {
  file_.Close();
  fileSize_ = 0;
  pageStart_ = 0;
  pageLength_ = 0;
  ClearPage();
  trail_.Clear();
}

void PageModel::SetLayout(const LineLayout& layout, INT linesPerPage) {
  LineLayout next = layout;
  if (next.widths == nullptr) next.widths = &ZeroWidths();
  linesPerPage = std::max<INT>(linesPerPage, 1);
  // The widths table may be rebuilt in place for a new font.
  const bool same = next.textWidth == layout_.textWidth && next.hyphenate == layout_.hyphenate &&
                    next.justify == layout_.justify &&
                    next.smartParagraphs == layout_.smartParagraphs &&
                    linesPerPage == linesPerPage_ && *next.widths == trailWidths_;
  if (!same) {
    trail_.Clear();
    trailWidths_ = *next.widths;
  }
  layout_ = next;
  linesPerPage_ = linesPerPage;
}

void PageModel::ClearPage() {
  lines_.Clear();
  pageLength_ = 0;
  highlightStart_ = -1;
  highlightEnd_ = -1;
}

std::string PageModel::ReadConverted(INT from, INT count) {
  std::string bytes;
  if (count <= 0 || from < 0 || !file_.Seek(from)) return bytes;
  file_.ReadIntoString(bytes, static_cast<size_t>(count));
  GlobalCodePageConverter().ConvertInPlace(bytes);
  return bytes;
}

bool PageModel::StartsParagraphAt(INT start) {
  if (start == 0) return true;
  const INT from = std::max<INT>(start - kLookBackBytes, 0);
  const std::string before = ReadConverted(from, start - from);
  for (auto it = before.rbegin(); it != before.rend(); ++it) {
    const auto c = static_cast<unsigned char>(*it);
    if (!IsBreakChar(c)) return c == '\n';
  }
  return true;
}

namespace {

// Bytes to read for a page of wanted lines when `bytes` made `made` lines:
// the next whole block at least, more when the lines so far are short.
INT GrownBlockBytes(INT bytes, size_t made, size_t wanted) {
  const int64_t estimate = made == 0 ? 0 : static_cast<int64_t>(bytes) * (wanted + 1) / made;
  const int64_t blocks = (estimate + kPageBlockBytes - 1) / kPageBlockBytes;
  const int64_t grown = std::max<int64_t>(blocks * kPageBlockBytes, bytes + kPageBlockBytes);
  return static_cast<INT>(std::min<int64_t>(grown, kMaxPageBytes));
}

}  // namespace

void PageModel::BreakForward(INT count, bool startsParagraph) {
  lines_.Clear();
  std::string block = ReadConverted(pageStart_, count);
  // A block cut off inside a word: the page ends before that word.
  BlockEnd blockEnd = pageStart_ + count >= fileSize_ ? BlockEnd::kDocumentEnd : BlockEnd::kText;
  if (blockEnd == BlockEnd::kText && !block.empty() &&
      !IsBlankTextChar(static_cast<unsigned char>(block.back()))) {
    const std::string next = ReadConverted(pageStart_ + count, 1);
    if (!next.empty() && !IsBlankTextChar(static_cast<unsigned char>(next[0])))
      blockEnd = BlockEnd::kInsideWord;
  }
  UnwrapBlock(block);
  BreakLines(block, startsParagraph, false, layout_, lines_, blockEnd);
}

void PageModel::BreakBackward(INT from, bool nextIsLetter) {
  lines_.Clear();
  std::string block = ReadConverted(from, pageStart_ - from);
  UnwrapBlock(block);
  const bool continuesWord =
      nextIsLetter && !block.empty() && IsVowel(static_cast<unsigned char>(block.back()));
  BreakLines(block, false, continuesWord, layout_, lines_,
             pageStart_ >= fileSize_ ? BlockEnd::kDocumentEnd : BlockEnd::kText);
}

void PageModel::BuildForward() {
  ClearPage();
  const bool startsParagraph = StartsParagraphAt(pageStart_);
  const INT most = std::min(fileSize_ - pageStart_, kMaxPageBytes);
  const auto perPage = static_cast<size_t>(linesPerPage_);
  INT count = std::min(kPageBlockBytes, most);
  BreakForward(count, startsParagraph);
  // The last line made may stop at the block end: a page whose last line
  // is not the block's is the same whatever more is read.
  while (lines_.Count() <= perPage && count < most) {
    count = std::min(GrownBlockBytes(count, lines_.Count(), perPage), most);
    BreakForward(count, startsParagraph);
  }
  const size_t shown = std::min(perPage, lines_.Count());
  pageLength_ = shown == 0 ? 0 : lines_.ends[shown - 1];
}

bool PageModel::BuildBackward() {
  ClearPage();
  bool nextIsLetter = false;
  if (pageStart_ < fileSize_) {
    const std::string next = ReadConverted(pageStart_, 1);
    nextIsLetter = !next.empty() && IsLetter(static_cast<unsigned char>(next[0]));
  }
  const INT most = std::min(pageStart_, kMaxPageBytes);
  const auto perPage = static_cast<size_t>(linesPerPage_);
  INT count = std::min(kPageBlockBytes, most);
  BreakBackward(pageStart_ - count, nextIsLetter);
  while (lines_.Count() <= perPage && count < most) {
    count = std::min(GrownBlockBytes(count, lines_.Count(), perPage), most);
    BreakBackward(pageStart_ - count, nextIsLetter);
  }
  const INT from = pageStart_ - count;
  const size_t made = lines_.Count();
  if (made > perPage) {
    const size_t first = made - perPage;
    pageLength_ = lines_.ends[made - 1] - lines_.ends[first - 1];
    pageStart_ -= pageLength_;
    const auto shift = static_cast<uint16_t>(pageStart_ - from);
    lines_.lines.erase(lines_.lines.begin(), lines_.lines.begin() + first);
    lines_.ends.erase(lines_.ends.begin(), lines_.ends.begin() + first);
    lines_.offsets.erase(lines_.offsets.begin(), lines_.offsets.begin() + first);
    for (auto& offsets : lines_.offsets)
      for (auto& o : offsets) o = static_cast<uint16_t>(o - shift);
    return true;
  }
  if (from > 0 && made > 0) {
    // The most a page holds makes no more than a page: it is the previous
    // page. Going to the document start instead would skip everything
    // before it.
    pageStart_ = from;
    pageLength_ = lines_.ends[made - 1];
    return true;
  }
  return false;
}

bool PageModel::Rebuild(const TrailPage& page) {
  if (page.backward) {
    pageStart_ = page.end;
    if (!BuildBackward()) return false;
  } else {
    pageStart_ = page.start;
    BuildForward();
  }
  return pageStart_ == page.start && pageStart_ + pageLength_ == page.end;
}

bool PageModel::NextPage() {
  if (NoDocument() || AtDocumentEnd()) return false;
  if (pageLength_ == 0) {
    BuildForward();
    trail_.Restart(Shown(false));
    return true;
  }
  const INT end = pageStart_ + pageLength_;
  if (const TrailPage* next = trail_.After(); next != nullptr && next->start == end) {
    if (Rebuild(*next)) {
      trail_.StepForward();
      return true;
    }
    trail_.Clear();  // the file changed under the page
  }
  pageStart_ = end;
  BuildForward();
  trail_.AddAfter(Shown(false));
  return true;
}

bool PageModel::PrevPage() {
  if (NoDocument() || AtDocumentStart() || pageStart_ == 0) return false;
  const INT start = pageStart_;
  if (const TrailPage* before = trail_.Before(); before != nullptr && before->end == start) {
    if (Rebuild(*before)) {
      trail_.StepBack();
      return true;
    }
    trail_.Clear();
    pageStart_ = start;
  }
  if (BuildBackward()) {
    trail_.AddBefore(Shown(true));
    return true;
  }
  pageStart_ = 0;
  pageLength_ = 0;
  return NextPage();
}

bool PageModel::RepaintPage() {
  // The same layout: the page as it was shown, whichever way it was built.
  const INT start = pageStart_;
  if (const TrailPage* shown = trail_.Current();
      shown != nullptr && shown->start == start && Rebuild(*shown))
    return true;
  pageStart_ = start;
  pageLength_ = 0;
  return NextPage();
}

bool PageModel::GoToOffset(INT pos) {
  if (NoDocument() || fileSize_ == 0 || pos < 0 || pos > fileSize_) return false;
  const INT from = std::max<INT>(pos - kLookBackBytes, 0);
  const std::string before = ReadConverted(from, pos - from);
  INT start = from;
  for (INT i = static_cast<INT>(before.size()); i > 0; --i) {
    if (IsBlankTextChar(static_cast<unsigned char>(before[i - 1]))) {
      start = from + i;
      break;
    }
  }
  pageStart_ = start;
  trail_.Clear();
  return RepaintPage();
}

bool PageModel::GoToPercent(double percent) {
  if (NoDocument() || fileSize_ == 0) return false;
  percent = std::clamp(percent, 0.0, 100.0);
  return GoToOffset(static_cast<INT>(static_cast<double>(fileSize_) * percent * 0.01));
}

bool PageModel::ShowPageAt(INT start) {
  if (NoDocument()) return false;
  pageLength_ = 0;
  trail_.Clear();
  if (start >= fileSize_ && fileSize_ > 0) {
    pageStart_ = fileSize_;
    return PrevPage();
  }
  pageStart_ = std::max<INT>(start, 0);
  return NextPage();
}

INT PageModel::GetPageNumber() const {
  if (NoDocument()) return -1;
  if (fileSize_ == 0) return 0;
  return pageStart_ / kPageBlockBytes;
}

INT PageModel::GetPageCount() const {
  if (NoDocument()) return 0;
  return static_cast<INT>((static_cast<int64_t>(fileSize_) + kPageBlockBytes - 1) / kPageBlockBytes);
}

double PageModel::ProgressFraction() const {
  if (NoDocument() || fileSize_ <= 0) return 0.0;
  return std::clamp(static_cast<double>(pageStart_) / fileSize_, 0.0, 1.0);
}
