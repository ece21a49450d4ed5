// Words per second through IRunemap2::Convert (sub-languages 1 and 2) and
// IRunemap::Convert2 (sub-language 0), as the text-analysis server calls
// them: one word and its stresses, the result freed by the caller.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "interfaces/runemap.h"
#include "platform/com.h"

namespace {

struct Word {
  std::string letters;
  std::vector<I1> params;
  std::string framed;
  INT fullStress;
};

Word MakeWord(const char* text, int main) {
  Word w{text, {}, std::string("_") + text + "_", main + 1};
  const size_t n = w.letters.size();
  w.params.assign(2 * (n + 1) + 1, 0);
  w.params[main] = 1;
  return w;
}

std::vector<Word> SampleWords() {
  return {
      MakeWord("молоко", 5),       MakeWord("здравствуйте", 3), MakeWord("счастье", 2),
      MakeWord("вокзал", 4),       MakeWord("безвкусный", 5),   MakeWord("лестница", 1),
      MakeWord("он", 0),           MakeWord("подъезд", 4),      MakeWord("воробьи", 6),
      MakeWord("мужчина", 4),      MakeWord("извозчик", 3),     MakeWord("сердце", 1),
      MakeWord("железнодорожный", 10), MakeWord("и", 0),        MakeWord("книга", 1),
      MakeWord("читать", 3),
  };
}

template <class Interface>
Interface* CreateConverter() {
  setenv("PARLEN_REGISTRY", "runemap_bench.reg", 0);
  void* library = dlopen(RUNEMAP_LIBRARY_PATH, RTLD_NOW);
  if (library == nullptr) return nullptr;
  auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
  if (reg == nullptr || reg() != S_OK) return nullptr;
  Interface* converter = nullptr;
  if (CoCreateInstance(CLSID_RunemapRusSimpleSm, nullptr, CLSCTX_INPROC_SERVER,
                       IID_PPV_ARGS(&converter)) != S_OK)
    return nullptr;
  return converter;
}

void BM_ConvertWords(benchmark::State& state) {
  auto* converter = CreateConverter<IRunemap2>();
  if (converter == nullptr) {
    state.SkipWithError("cannot create the converter");
    return;
  }
  std::vector<Word> words = SampleWords();
  size_t k = 0;
  for (auto _ : state) {
    Word& w = words[k];
    k = (k + 1) % words.size();
    LPSTR out = nullptr;
    const HRESULT hr = converter->Convert(w.letters.data(), w.params.data(),
                                          static_cast<INT>(w.params.size()), &out);
    benchmark::DoNotOptimize(hr);
    CoTaskMemFree(out);
  }
  state.SetItemsProcessed(state.iterations());
  converter->Release();
}
BENCHMARK(BM_ConvertWords);

void BM_ConvertWordsWithPositions(benchmark::State& state) {
  auto* converter = CreateConverter<IRunemap>();
  if (converter == nullptr) {
    state.SkipWithError("cannot create the converter");
    return;
  }
  std::vector<Word> words = SampleWords();
  size_t k = 0;
  for (auto _ : state) {
    Word& w = words[k];
    k = (k + 1) % words.size();
    LPSTR out = nullptr;
    const HRESULT hr = converter->Convert2(w.framed.data(), w.fullStress, nullptr, 0, &out);
    benchmark::DoNotOptimize(hr);
    CoTaskMemFree(out);
  }
  state.SetItemsProcessed(state.iterations());
  converter->Release();
}
BENCHMARK(BM_ConvertWordsWithPositions);

}  // namespace

BENCHMARK_MAIN();
