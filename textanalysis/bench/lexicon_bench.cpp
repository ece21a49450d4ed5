// Speed of the stress dictionary and of loading every base, on made-up data
// of about the installed size: 180,000 stems and words, 600 endings, 30,000
// 'ё' words. Not a test; run by hand:
//   bin/textanalysis_lexicon_bench
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "foundation/char_classes.h"
#include "foundation/code_pages.h"
#include "platform/server.h"
#include "textanalysis/lexicon/linguistic_resources.h"
#include "textanalysis/lexicon/stress_dictionary.h"

namespace {

constexpr const char* kVowels = "аеиоуыэюя";
constexpr const char* kConsonants = "бвгджзклмнпрстфхцчшщ";

std::filesystem::path g_folder;
std::vector<std::string> g_queries;

std::string RandomWord(std::mt19937& random, size_t length) {
  std::string word;
  const std::string vowels = kVowels, consonants = kConsonants;
  for (size_t i = 0; i < length; ++i) {
    const std::string& from = (i % 2 == 1 || random() % 4 == 0) ? vowels : consonants;
    word.push_back(from[random() % from.size()]);
  }
  return word;
}

// The records of each length in the files' order, written as word files.
void WriteWordFiles(const std::filesystem::path& folder, const std::string& stem, int first,
                    int last, std::map<int, std::vector<std::string>>& byLength) {
  for (int n = first; n <= last; ++n) {
    std::vector<std::string>& records = byLength[n];
    std::sort(records.begin(), records.end(), [](std::string a, std::string b) {
      RusLowerString(a);
      RusLowerString(b);
      return a < b;
    });
    std::ofstream out(folder / (stem + std::to_string(n)), std::ios::binary);
    const auto count = static_cast<uint32_t>(records.size());
    for (int i = 0; i < 4; ++i) out.put(static_cast<char>(count >> (8 * i)));
    for (const std::string& record : records) out << record;
  }
}

void MakeData() {
  g_folder = std::filesystem::temp_directory_path() / ("lexicon-bench-" + std::to_string(getpid()));
  const std::filesystem::path dict = g_folder / "Dict";
  std::filesystem::create_directories(dict);
  std::filesystem::create_directories(g_folder / "Masks");
  std::mt19937 random(1251);

  std::map<int, std::vector<std::string>> stems, endings, yo;
  std::vector<std::string> endingList;
  for (int i = 0; i < 600; ++i) {
    const std::string ending = RandomWord(random, 1 + random() % 4);
    endings[static_cast<int>(ending.size())].push_back(ending);
    endingList.push_back(ending);
  }
  std::vector<std::string> words;
  for (int i = 0; i < 180000; ++i) {
    // Lengths 2..24, most of them 5..12.
    const size_t length = std::clamp<size_t>(4 + random() % 6 + random() % 5, 2, 24);
    std::string word = RandomWord(random, length);
    words.push_back(word);
    std::vector<int32_t> vowels;
    RusVowelPositions(word, vowels);
    if (!vowels.empty()) {
      const size_t at = static_cast<size_t>(vowels[random() % vowels.size()]);
      word[at] = static_cast<char>(RusToUpper(static_cast<unsigned char>(word[at])));
    }
    stems[static_cast<int>(length)].push_back(word);
  }
  for (int i = 0; i < 30000; ++i) {
    std::string word = RandomWord(random, 3 + random() % 10);
    word[random() % word.size()] = static_cast<char>(0xB8);  // 'ё'
    yo[static_cast<int>(word.size())].push_back(word);
  }
  WriteWordFiles(dict, "wordsg3.dat", 2, 24, stems);
  WriteWordFiles(dict, "endsg3.dat", 1, 19, endings);
  WriteWordFiles(dict, "jog3.dat", 1, 21, yo);
  std::ofstream(g_folder / "user.txt") << "мо+локо\n*о+сть\nра+д*\n";
  std::ofstream(g_folder / "strings.txt") << "[ServiceWords]\n{Присоединяются_налево}\nже\n";
  std::ofstream(g_folder / "Masks" / "lrmaskjb.dat") << "все|#|#|2\n";

  // A third whole words, a third stems with an ending, a third unknown.
  for (int i = 0; i < 30000; ++i) {
    const std::string& word = words[random() % words.size()];
    if (i % 3 == 0) g_queries.push_back(word);
    if (i % 3 == 1) g_queries.push_back(word + endingList[random() % endingList.size()]);
    if (i % 3 == 2) g_queries.push_back(RandomWord(random, 4 + random() % 8));
  }

  const char16_t* key = u"SOFTWARE\\Morvane\\Russian";
  WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"Root", NarrowToWide(g_folder.string()));
  WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"NewStressBase", u"Dict");
  WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"UserStressBase", u"user.txt");
  WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"StringResources", u"strings.txt");
  WriteRegistryString(HKEY_LOCAL_MACHINE, key, u"MaskBases", u"Masks");
}

void BM_StressLookup(benchmark::State& state) {
  StressDictionary dictionary;
  if (!dictionary.Load(NarrowToWide((g_folder / "Dict").string() + "/"))) {
    state.SkipWithError("dictionary did not load");
    return;
  }
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(dictionary.Lookup(g_queries[i]));
    if (++i == g_queries.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StressLookup);

void BM_LoadAll(benchmark::State& state) {
  for (auto _ : state) {
    LinguisticResources resources;
    if (resources.LoadAll() != LinguisticResources::kLoaded) {
      state.SkipWithError("LoadAll failed");
      return;
    }
    benchmark::DoNotOptimize(resources.GetResource(0));
  }
}
BENCHMARK(BM_LoadAll)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Never the user's registry: a file of the run's own.
  const std::string registry = (std::filesystem::temp_directory_path() /
                                ("lexicon-bench-" + std::to_string(getpid()) + ".reg"))
                                   .string();
  setenv("PARLEN_REGISTRY", registry.c_str(), 1);
  MakeData();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(g_folder);
  std::filesystem::remove(registry);
  return 0;
}
