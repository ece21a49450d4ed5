#include "documents/tests/test_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>

#include "platform/unicode.h"

std::string Scratch(const std::string& name) { return testing::TempDir() + name; }

std::u16string Wide(const std::string& utf8Path) {
  std::u16string out;
  Utf8ToUtf16(utf8Path, &out);
  return out;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

bool RunCommand(const std::string& command) { return std::system(command.c_str()) == 0; }

std::string RunOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    pclose(pipe);
  }
  return out;
}

bool HaveTool(const std::string& name) { return RunCommand("command -v " + name + " >/dev/null 2>&1"); }

std::string DebianPackage(const std::string& name) {
  namespace fs = std::filesystem;
  const std::string root = std::string(DOCUMENTS_SAMPLE_CACHE) + "/" + name;
  if (fs::exists(root + "/.unpacked")) return root;
  if (!HaveTool("apt-get") || !HaveTool("dpkg-deb")) return {};
  // Test processes run in parallel: one unpacks, the others wait for it.
  fs::create_directories(DOCUMENTS_SAMPLE_CACHE);
  const std::string lock = std::string(DOCUMENTS_SAMPLE_CACHE) + "/" + name + ".lock";
  const std::string command =
      "flock '" + lock + "' sh -c 'test -e \"" + root + "/.unpacked\" || (tmp=$(mktemp -d) && "
      "cd \"$tmp\" && apt-get download " + name + " >/dev/null 2>&1 && mkdir -p \"" + root +
      "\" && dpkg-deb -x ./*.deb \"" + root + "\" && touch \"" + root + "/.unpacked\"; "
      "rm -rf \"$tmp\")'";
  RunCommand(command);
  return fs::exists(root + "/.unpacked") ? root : std::string();
}
