#include "documents/common/conversion_mark.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "documents/common/cache_folder.h"
#include "documents/common/leftovers.h"
#include "platform/atomic_file.h"

namespace fs = std::filesystem;

namespace {

constexpr char kMarkFolder[] = "conversions";
constexpr char kMarkPrefix[] = "conversion-";
constexpr char kIntermediatePrefix[] = "intermediate-";
// Marks of earlier versions named the document and files beside it by
// pattern; only a mark of this kind names files that may go.
constexpr char kMarkHeader[] = "#parlen temporaries";

// Conversions run one at a time on the thread that asked for them; the
// innermost mark names the files.
ConversionMark* g_current = nullptr;

// Only names a conversion gives its temporaries: a mark edited by hand must
// not take a file of the user's with it.
bool IsTemporaryOfConversion(const fs::path& path) {
  const std::string name = path.filename().string();
  if (IsTemporaryName(name, kIntermediatePrefix)) return true;
  const size_t unique = name.size() - std::min(name.size(), kUniqueLetters);
  const std::string prefix = name.substr(0, unique);
  return prefix.ends_with(AtomicFile::kTemporarySuffix) &&
         prefix.size() > std::strlen(AtomicFile::kTemporarySuffix) && IsTemporaryName(name, prefix);
}

std::string MarkFolder() {
  std::string problem;
  return ProgramCacheFolder(kMarkFolder, problem);
}

}  // namespace

ConversionMark::ConversionMark() : outer_(g_current) {
  g_current = this;
  const std::string folder = MarkFolder();
  if (folder.empty()) return;
  std::string pattern = folder + "/" + kMarkPrefix + "XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return;
  close(fd);
  text_ = std::string(kMarkHeader) + "\n";
  if (WriteFileAtomically(pattern, text_)) {
    path_ = std::move(pattern);
  } else {
    unlink(pattern.c_str());
  }
}

ConversionMark::~ConversionMark() {
  g_current = outer_;
  if (!path_.empty()) unlink(path_.c_str());
}

void ConversionMark::Note(const std::string& path) {
  if (path_.empty() || path.find('\n') != std::string::npos) return;
  // The next run may start in another folder.
  std::error_code error;
  const fs::path absolute = fs::absolute(fs::path(path), error);
  if (error) return;
  text_ += absolute.string() + "\n";
  WriteFileAtomically(path_, text_);
}

std::string ConversionMark::NewIntermediateFile() {
  std::string folder = MarkFolder();
  if (folder.empty()) {
    std::error_code error;
    folder = fs::temp_directory_path(error).string();
    if (error) return {};
  }
  std::string pattern = folder + "/" + kIntermediatePrefix + "XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return {};
  close(fd);
  Note(pattern);
  return pattern;
}

void NoteConversionTemporary(const std::string& path) {
  if (g_current != nullptr) g_current->Note(path);
}

void RemoveMarkedConversionLeftovers() {
  const std::string folder = ProgramCachePath(kMarkFolder);
  if (folder.empty() || !IsOwnFolder(folder)) return;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const fs::path mark = it->path();
    // Only a file of its own name: reading a pipe would wait for good.
    std::error_code notRegular;
    if (!IsTemporaryName(mark.filename().string(), kMarkPrefix) ||
        !fs::is_regular_file(fs::symlink_status(mark, notRegular)))
      continue;
    std::ifstream in(mark);
    std::string line;
    bool cleared = true;
    if (std::getline(in, line) && line == kMarkHeader) {
      while (std::getline(in, line)) {
        if (IsTemporaryOfConversion(line)) cleared = RemoveLeftoverFile(line) && cleared;
      }
    }
    // A young mark may belong to a conversion that has not written yet.
    if (cleared && IsQuietLeftover(mark)) unlink(mark.c_str());
  }
}
