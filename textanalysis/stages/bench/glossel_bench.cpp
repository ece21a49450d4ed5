// Throughput of the text-analysis server on Russian prose (characters per
// second through PushText and PopSentence) and the time to create it, over
// the data the data build leaves in the build tree. A report, not a test.
//
//   glossel_bench [kilobytes of text, default 2048]
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "foundation/code_pages.h"
#include "interfaces/glossel.h"
#include "platform/server.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr char16_t kConfigKey[] = u"SOFTWARE\\Morvane\\Russian";

const char kProse[] =
    "Утром мы вышли из дома и пошли к реке. Солнце светило ярко, а в траве пели птицы. "
    "Мой брат нёс удочки, а я несла корзину с хлебом и молоком. Кто-то из соседей уже "
    "сидел на берегу; он помахал нам рукой и спросил, не было ли у нас лишнего червяка. "
    "Мы долго говорили о погоде, о том, что лето в этом году выдалось тёплым, и о том, "
    "как много рыбы стало в реке после весеннего разлива! Потом брат закинул удочку, "
    "а я села в тени старой берёзы и открыла книгу. Здравствуйте, сказал нам учитель, "
    "проходя мимо по тропинке: сегодня хороший день для прогулки, не правда ли?\n";

bool Register(const char* path) {
  void* library = dlopen(path, RTLD_NOW);
  if (library == nullptr) return false;
  auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
  return reg != nullptr && reg() == S_OK;
}

void SetConfig(const char16_t* name, const std::string& value) {
  WriteRegistryString(HKEY_LOCAL_MACHINE, kConfigKey, name, NarrowToWide(value));
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  const size_t kilobytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 2048;
  if (!fs::exists(fs::path(BUILT_DATA_DIR) / "Dict")) {
    std::fprintf(stderr, "no built data in %s (build the russian-data target)\n", BUILT_DATA_DIR);
    return 1;
  }
  const fs::path registry = fs::temp_directory_path() / "glossel_bench.reg";
  fs::remove(registry);
  setenv("PARLEN_REGISTRY", registry.c_str(), 1);
  if (!Register(RUNEMAP_LIBRARY_PATH) || !Register(GLOSSEL_LIBRARY_PATH)) {
    std::fprintf(stderr, "cannot register the servers\n");
    return 1;
  }
  SetConfig(u"Root", BUILT_DATA_DIR);
  SetConfig(u"NewStressBase", "Dict");
  SetConfig(u"UserStressBase", "userstress.txt");
  SetConfig(u"StringResources", "resources.txt");
  SetConfig(u"MaskBases", "Masks");
  SetConfig(u"Runemap", "{AAC0577E-969B-4545-BB63-054568E4C600}");

  // The first creation loads the shared libraries too; the later ones show
  // what a voice change costs.
  ILMPrepToSpeak4* prep = nullptr;
  for (int i = 0; i < 3; ++i) {
    if (prep != nullptr) prep->Release();
    prep = nullptr;
    const Clock::time_point start = Clock::now();
    if (CoCreateInstance(CLSID_RusTextTagsProcessor, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(&prep)) != S_OK) {
      std::fprintf(stderr, "cannot create the server\n");
      return 1;
    }
    std::printf("creation %d: %.1f ms\n", i + 1, 1000 * Seconds(Clock::now() - start));
  }
  ILMSubLang* lang = nullptr;
  if (prep->QueryInterface(IID_PPV_ARGS(&lang)) == S_OK) {
    lang->SetLang(1);
    lang->Release();
  }

  std::string text;
  while (text.size() < kilobytes * 1024) text += kProse;
  // Pushed in pieces of the size the engine takes from the reader.
  constexpr size_t kPiece = 1000;
  size_t words = 0;
  size_t sentences = 0;
  const Clock::time_point start = Clock::now();
  for (size_t at = 0; at < text.size(); at += kPiece) {
    std::string piece = text.substr(at, kPiece);
    prep->PushText(piece.data(), nullptr, 0);
    I4 more = 1;
    while (more != 0) {
      Syntagma3* syntagmas = nullptr;
      INT count = 0;
      prep->PopSentence(&syntagmas, &count, &more);
      ++sentences;
      for (INT s = 0; s < count; ++s) {
        for (INT w = 0; w < syntagmas[s].num_words; ++w) {
          CoTaskMemFree(syntagmas[s].words[w].str);
          CoTaskMemFree(syntagmas[s].words[w].raw_text);
        }
        words += static_cast<size_t>(syntagmas[s].num_words);
        CoTaskMemFree(syntagmas[s].words);
        CoTaskMemFree(syntagmas[s].tone_kont);
      }
      CoTaskMemFree(syntagmas);
    }
    prep->Clear();
  }
  const double seconds = Seconds(Clock::now() - start);
  std::printf("%zu characters, %zu sentences, %zu words in %.3f s: %.2f MB/s\n", text.size(),
              sentences, words, seconds, text.size() / seconds / 1e6);
  prep->Release();
  fs::remove(registry);
  return 0;
}
