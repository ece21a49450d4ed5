// Phonemes turned into allophones per second, as the engine asks for one
// syntagma at a time.
#include <benchmark/benchmark.h>

#include <string>

#include "foundation/string_utils.h"
#include "sonalik/sonalik_phonetics.h"

namespace {

// «мо+роз и со+лнце, де+нь чуде+сный» as the engine frames it.
const std::string kSyntagma =
    "#,M,A1,R,O0,S,_,I1,_,S,O0,N,C,E2,_,D',E0,N',_,CH',U1,D',E0,S,N,Y2,J',#";

void BM_PhonemesToAllophones(benchmark::State& state) {
  SonalikPhonetics phonetics;
  const size_t phonemes = SplitList(kSyntagma).size();
  for (auto _ : state) {
    auto allophones = phonetics.PhonemesToAllophones(kSyntagma);
    benchmark::DoNotOptimize(allophones);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * phonemes));
}
BENCHMARK(BM_PhonemesToAllophones);

}  // namespace

BENCHMARK_MAIN();
