#include "documents/fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/message_box.h"
#include "platform/unicode.h"

namespace {

std::u16string Wide(const std::string& path) {
  std::u16string out;
  Utf8ToUtf16(path, &out);
  return out;
}

void WriteFile(const std::string& path, const void* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) FuzzFailure("cannot write a scratch file");
  if (size != 0 && std::fwrite(data, 1, size, file) != size) FuzzFailure("short scratch write");
  std::fclose(file);
}

const std::string& ScratchFolder();

// The folder goes at a normal exit; a crashing run leaves it for inspection.
void RemoveFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(ScratchFolder(), ignored);
}

// Never destroyed: the removal at exit still needs it.
const std::string& ScratchFolder() {
  static const std::string* folder = [] {
    const char* base = std::getenv("TMPDIR");
    auto* pattern = new std::string(std::string(base != nullptr && *base != '\0' ? base : "/tmp") +
                                    "/parlen-fuzz-XXXXXX");
    if (mkdtemp(pattern->data()) == nullptr) FuzzFailure("cannot create the scratch folder");
    std::atexit(RemoveFolder);
    return pattern;
  }();
  return *folder;
}

}  // namespace

void InitFuzzTarget(int argc, char** argv, const std::vector<std::string>& seeds) {
  SetMessageBoxHandler([](HWND, const std::u16string&, const std::u16string&, UINT type) {
    return DefaultMessageBoxButton(type);
  });
  constexpr char kSeedsFlag[] = "--seeds=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], kSeedsFlag, sizeof kSeedsFlag - 1) != 0) continue;
    const std::string folder = argv[i] + sizeof kSeedsFlag - 1;
    std::filesystem::create_directories(folder);
    for (size_t k = 0; k < seeds.size(); ++k) {
      WriteFile(folder + "/seed-" + std::to_string(k), seeds[k].data(), seeds[k].size());
    }
  }
}

std::string Repeated(const std::string& piece, size_t atLeast) {
  std::string text;
  while (!piece.empty() && text.size() < atLeast) text += piece;
  return text;
}

FuzzFiles::FuzzFiles(const uint8_t* data, size_t size, const std::string& sourceName)
    : sourcePath_(ScratchFolder() + "/" + sourceName),
      targetPath_(ScratchFolder() + "/out.txt"),
      source_(Wide(sourcePath_)),
      target_(Wide(targetPath_)) {
  WriteFile(sourcePath_, data, size);
}

FuzzFiles::~FuzzFiles() {
  unlink(sourcePath_.c_str());
  unlink(targetPath_.c_str());
}

std::string FuzzFiles::Output() const {
  std::ifstream in(targetPath_, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool FuzzFiles::OutputExists() const { return access(targetPath_.c_str(), F_OK) == 0; }

void FuzzFiles::RemoveOutput() const { unlink(targetPath_.c_str()); }

void FuzzFailure(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}
