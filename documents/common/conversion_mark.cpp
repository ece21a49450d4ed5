#include "documents/common/conversion_mark.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "documents/common/cache_folder.h"
#include "documents/common/leftovers.h"
#include "platform/unicode.h"

namespace fs = std::filesystem;

namespace {

constexpr char kMarkFolder[] = "conversions";
constexpr char kMarkPrefix[] = "conversion-";
constexpr char kIntermediateSuffix[] = ".utf8";

}  // namespace

ConversionMark::ConversionMark(const std::u16string& document, bool viaUtf8Step) {
  std::string problem;
  const std::string folder = ProgramCacheFolder(kMarkFolder, problem);
  if (folder.empty()) return;
  // The next run may start in another folder.
  std::error_code error;
  const fs::path absolute = fs::absolute(fs::path(Utf16ToUtf8(document)), error);
  // A name of more than one line cannot be read back.
  if (error || absolute.string().find('\n') != std::string::npos) return;
  std::string text = absolute.string() + "\n";
  if (viaUtf8Step) text += absolute.string() + kIntermediateSuffix + "\n";
  std::string pattern = folder + "/" + kMarkPrefix + "XXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return;
  const bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  close(fd);
  if (written) {
    path_ = pattern;
  } else {
    unlink(pattern.c_str());
  }
}

ConversionMark::~ConversionMark() {
  if (!path_.empty()) unlink(path_.c_str());
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
    std::string document;
    std::string intermediate;
    if (!std::getline(in, document) || document.empty()) continue;
    std::u16string wide;
    Utf8ToUtf16(document, &wide);
    bool cleared = RemoveConversionLeftovers({wide});
    // Only the name the conversion gives it.
    if (std::getline(in, intermediate) && intermediate == document + kIntermediateSuffix)
      cleared = RemoveLeftoverFile(intermediate) && cleared;
    // A young mark may belong to a conversion that has not written yet.
    if (cleared && IsQuietLeftover(mark)) unlink(mark.c_str());
  }
}
