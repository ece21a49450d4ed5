// Sentences full of numbers, dates and abbreviations per second through the
// text-analysis server. Run with PARLEN_REGISTRY naming a registry that
// holds the installed data's configuration.
#include <dlfcn.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "interfaces/glossel.h"
#include "platform/com.h"

namespace {

constexpr const char* kText =
    "В 1999 г. цена выросла на 25% и составила $21.50, т.е. 1234567 руб. за 3,5 кг. "
    "XIX век, 21-й год, ул. Ленина, д. 5, кв. 12; IBM и ФСБ, 2000000 человек. ";

bool Register(const char* path) {
  void* library = dlopen(path, RTLD_NOW);
  auto reg = library ? reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer")) : nullptr;
  return reg != nullptr && reg() == S_OK;
}

}  // namespace

int main() {
  if (!Register(GLOSSEL_LIBRARY_PATH) || !Register(RUNEMAP_LIBRARY_PATH)) return 1;
  ILMPrepToSpeak2* prep = nullptr;
  if (CoCreateInstance(CLSID_RusTextTagsProcessor, nullptr, CLSCTX_INPROC_SERVER,
                       IID_PPV_ARGS(&prep)) != S_OK)
    return 2;
  std::string text;
  for (int i = 0; i < 200; ++i) text += kText;
  const auto start = std::chrono::steady_clock::now();
  prep->PushText(const_cast<LPSTR>(text.c_str()), nullptr, 0);
  long sentences = 0;
  I4 more = 1;
  while (more) {
    Syntagma2* syntagmas = nullptr;
    INT count = 0;
    if (prep->PopSentence(&syntagmas, &count, &more) != S_OK) break;
    for (INT s = 0; s < count; ++s) {
      for (INT w = 0; w < syntagmas[s].num_words; ++w) {
        CoTaskMemFree(syntagmas[s].words[w].str);
        CoTaskMemFree(syntagmas[s].words[w].raw_text);
      }
      CoTaskMemFree(syntagmas[s].words);
    }
    CoTaskMemFree(syntagmas);
    ++sentences;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld sentences in %.3f s: %.0f sentences/s\n", sentences, seconds,
              sentences / seconds);
  prep->Release();
  return 0;
}
