// RB e-book to text: every decoded entry is written to a temporary file in a
// private folder, the temporaries are joined in list order and the join is
// converted as HTML.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "documents/common/conversion_message.h"
#include "documents/common/converted_text.h"
#include "documents/common/output_budget.h"
#include "documents/common/path_names.h"
#include "documents/common/private_folder.h"
#include "documents/converters.h"
#include "documents/rb/rb_book.h"
#include "foundation/code_pages.h"
#include "platform/unicode.h"

namespace {

constexpr int32_t kJoinBlock = 50000;

// An entry's decoded bytes go straight to its temporary file, within what
// the conversion may write in all: a small book can declare entries of
// gigabytes.
struct EntryFile {
  std::FILE* file;
  OutputBudget& budget;
  bool ok;
};

void WriteDecoded(void* sink, const char* bytes, int32_t length) {
  auto* entry = static_cast<EntryFile*>(sink);
  if (!entry->ok) return;
  entry->ok = entry->budget.Admit(static_cast<size_t>(length)) &&
              std::fwrite(bytes, 1, static_cast<size_t>(length), entry->file) ==
                  static_cast<size_t>(length);
}

long FileSize(RbBook* book) {
  return std::fseek(book->file, 0, SEEK_END) == 0 ? std::ftell(book->file) : -1;
}

bool PastTheEnd(const RbTocEntry* entry, long fileSize) {
  return entry->offset < 0 || entry->offset >= fileSize;
}

// Why a book none of whose entries decoded to a byte gave nothing.
const char* NoDataReason(RbBook* book) {
  const long size = FileSize(book);
  for (RbTocEntry* e = rb_first_entry(book); e != nullptr; e = rb_next_entry(e)) {
    const bool decoded = (e->flags & RB_FLAG_NOT_DECODED) == 0 && e->length > 0;
    if (decoded && PastTheEnd(e, size)) return "Its entries point past the end of the file.";
  }
  return "None of its entries holds data that could be read.";
}

// The entries that hold data but gave none, each with why.
std::vector<std::u16string> UnreadEntries(RbBook* book, const std::vector<RbTocEntry*>& unread) {
  const long size = FileSize(book);
  std::vector<std::u16string> names;
  for (const RbTocEntry* entry : unread) {
    names.push_back(NarrowToWide(entry->name) + (PastTheEnd(entry, size)
                                                     ? u" (it lies past the end of the file)"
                                                     : u" (its data is damaged)"));
  }
  return names;
}

// Why the book gives no text at all, naming it.
void ShowOpenProblem(RbOpenProblem problem, const std::u16string& document, int error) {
  switch (problem) {
    case RbOpenProblem::kNone: break;
    case RbOpenProblem::kCannotOpen:
      ShowConversionStop(u"Conversion stopped: " + document + u" cannot be opened (" +
                         SystemReason(error) + u").");
      break;
    case RbOpenProblem::kNotProperFormat:
      ShowConversionStop(u"Conversion stopped: " + document +
                         u" is not in the proper format: it is no RB book, or its header or "
                         u"table of contents is damaged.");
      break;
    case RbOpenProblem::kNoContents:
      ShowNoTextTaken(document +
                      u" has no contents: its table of contents lists no entry to read.");
      break;
  }
}

bool AppendFile(const std::string& path, std::FILE* join, std::vector<char>& block) {
  std::FILE* part = std::fopen(path.c_str(), "rb");
  if (part == nullptr) return true;  // an entry that was not written
  bool ok = true;
  size_t got;
  while ((got = std::fread(block.data(), 1, block.size(), part)) > 0) {
    if (std::fwrite(block.data(), 1, got, join) != got) {
      ok = false;
      break;
    }
  }
  std::fclose(part);
  return ok;
}

// Writes every decodable entry, counting the decoded bytes and keeping
// those that hold data but gave none; false when a temporary cannot be
// written.
bool WriteEntries(RbBook* book, const std::string& folder, std::vector<std::string>& paths,
                  int64_t& decoded, std::vector<RbTocEntry*>& unread) {
  OutputBudget budget(folder);
  bool ok = true;
  int index = 0;
  for (RbTocEntry* e = rb_first_entry(book); e != nullptr && ok; e = rb_next_entry(e)) {
    const std::string path = folder + "/" + std::to_string(index++) + "-" + RbTemporaryName(e->name);
    paths.push_back(path);
    if ((e->flags & RB_FLAG_NOT_DECODED) != 0) continue;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
      ok = false;
      break;
    }
    EntryFile entry{file, budget, true};
    const int64_t before = budget.Written();
    rb_read_entry(book, e, &entry, WriteDecoded);
    ok = entry.ok;
    if (ok && e->length > 0 && budget.Written() == before) unread.push_back(e);
    if (std::fclose(file) != 0) ok = false;
  }
  decoded = budget.Written();
  return ok;
}

}  // namespace

std::string RbTemporaryName(const char* entryName) {
  std::string name = entryName;
  for (char& c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (!(u < 0x80 && std::isalnum(u)) && std::strchr("@#-+.", c) == nullptr) c = '_';
  }
  return name;
}

bool ConvertRbToText(const char16_t* source, const char16_t* target) {
  if (source == nullptr || target == nullptr) return false;
  PrivateFolder folder(kRbFolderPrefix);
  if (folder.Path().empty()) return false;
  std::vector<std::string> paths;
  // A book that cannot be read is a failed conversion, not an empty text.
  const std::u16string document = GetPathFileName(source);
  RbOpenProblem problem = RbOpenProblem::kNone;
  RbBook* book = rb_open_quietly(source, Utf16ToUtf8(document).c_str(), 0, &problem);
  if (book == nullptr) {
    ShowOpenProblem(problem, document, errno);
    return false;
  }
  int64_t decoded = 0;
  std::vector<RbTocEntry*> unread;
  const bool written = WriteEntries(book, folder.Path(), paths, decoded, unread);
  // An empty page is no reading of a damaged book.
  if (written && decoded == 0) ShowNoTextTaken(NoDataReason(book));
  const std::vector<std::u16string> unreadNames =
      written && decoded > 0 ? UnreadEntries(book, unread) : std::vector<std::u16string>{};
  rb_close(book);
  if (!written || decoded == 0) return false;
  const std::string joinPath = folder.Path() + "/join.zzz";
  std::FILE* join = std::fopen(joinPath.c_str(), "wb");
  if (join == nullptr) return false;
  std::vector<char> block(kJoinBlock);
  bool ok = true;
  for (const std::string& path : paths) {
    if (!AppendFile(path, join, block)) ok = false;
  }
  if (std::fclose(join) != 0) ok = false;
  if (!ok) return false;
  std::u16string wideJoin;
  Utf8ToUtf16(joinPath, &wideJoin);
  if (!ConvertHtmlToText(wideJoin.c_str(), target, 1) ||
      !KeepConvertedText(target, "None of its entries holds a letter or digit.")) {
    return false;
  }
  // What could be read is shown; what could not is said.
  if (!unreadNames.empty()) ShowPartsLeftOut(u"entries", document, unreadNames);
  return true;
}
