// Time of one value write under a key that already holds many values, against
// the same number of values spread over many keys. Each layout is timed twice:
// a write by the process that made the file (no reload), and a write by a
// fresh store, as a new process would make it (reads the file first).
//   registry_bench [values]   (default 20000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/registry.h"
#include "platform/registry_format.h"
#include "platform/registry_store.h"

namespace {

std::u16string Wide(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

LONG Write(RegistryStore& store, const RegistryPath& key, const std::string& name) {
  static const BYTE kData[] = {'v', 0, 0, 0};
  return store.SetValue(key, Wide(name), REG_SZ, kData, sizeof kData);
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Writes the file of keyCount keys of perKey values at once (through the
// store, a write per value would take too long to make the file).
void Fill(const std::string& path, int keyCount, int perKey) {
  std::string text = std::string(kRegistryFileHeader) + "\n\n";
  for (int k = 0; k < keyCount; ++k) {
    text += "[HKEY_LOCAL_MACHINE\\Software\\Bench\\Key" + std::to_string(k) + "]\n";
    for (int v = 0; v < perKey; ++v) text += "\"Value" + std::to_string(v) + "\"=\"v\"\n";
    text += "\n";
  }
  std::FILE* file = std::fopen(path.c_str(), "w");
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

void Run(const std::filesystem::path& dir, int keyCount, int perKey) {
  const std::string path = (dir / ("bench-" + std::to_string(keyCount) + ".reg")).string();
  Fill(path, keyCount, perKey);
  const RegistryPath key = {u"HKEY_LOCAL_MACHINE", u"Software", u"Bench", u"Key0"};
  double fresh = 0, warm = 0;
  constexpr int kWrites = 5;
  {
    RegistryStore store(path);
    Write(store, key, "Warm-up");  // loads the file
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kWrites; ++i) Write(store, key, "Added" + std::to_string(i));
    warm = Seconds(std::chrono::steady_clock::now() - start) / kWrites;
  }
  for (int i = 0; i < kWrites; ++i) {
    auto start = std::chrono::steady_clock::now();
    RegistryStore store(path);
    Write(store, key, "Fresh" + std::to_string(i));
    fresh += Seconds(std::chrono::steady_clock::now() - start);
  }
  fresh /= kWrites;
  std::printf("%5d key(s) of %6d values: write %8.4f s, first write of a new process %8.4f s\n", keyCount,
              perKey, warm, fresh);
}

}  // namespace

int main(int argc, char** argv) {
  const int total = argc > 1 ? std::atoi(argv[1]) : 20000;
  if (total < 100) {
    std::fprintf(stderr, "usage: registry_bench [values, at least 100]\n");
    return 2;
  }
  std::string pattern = (std::filesystem::temp_directory_path() / "registry-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return 1;
  const std::filesystem::path dir = pattern;
  Run(dir, 1, total);
  Run(dir, total / 100, 100);
  std::filesystem::remove_all(dir);
  return 0;
}
