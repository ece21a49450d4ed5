// Prints what the text-analysis server makes of a text: every sentence's
// syntagmas with their end signs, tone contours and words (letters,
// phoneme strings, spans). Text comes from the file named on the command
// line or from standard input, in Windows-1251, another Russian code page or
// UTF-8 (detected as speak does); output is UTF-8.
//
//   glossel_dump [-l sub-language] [file]
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "foundation/code_pages.h"
#include "interfaces/glossel.h"
#include "platform/com.h"
#include "platform/unicode.h"

namespace {

const char* const kEndSignNames[] = {
    "SE_None",   "SE_Exclamation", "SE_Exclamation1", "SE_Question1", "SE_Question2",
    "SE_Stop1",  "SE_Stop2",       "SE_Stop3",        "SE_Stop4",     "SE_Stop5",
    "SE_Comma1", "SE_Comma2",      "SE_Comma3",       "SE_Comma4",    "SE_Comma5",
    "SE_Comma6", "SE_Comma7",      "SE_Comma8"};

const char* EndSignName(INT sign) {
  return sign >= 0 && sign < static_cast<INT>(std::size(kEndSignNames)) ? kEndSignNames[sign]
                                                                       : "?";
}

// Windows-1251 text for the terminal.
std::string Utf8(const char* text) {
  if (text == nullptr) return "(null)";
  return Utf16ToUtf8(NarrowToWide(text));
}

// Pads UTF-8 text with blanks to `width` characters.
std::string Padded(std::string text, size_t width) {
  size_t characters = 0;
  for (unsigned char c : text) characters += (c & 0xC0) != 0x80;
  if (characters < width) text.append(width - characters, ' ');
  return text;
}

std::string ReadInput(int argc, char** argv, int first) {
  std::ostringstream buffer;
  if (first < argc) {
    std::ifstream file(argv[first], std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "glossel_dump: cannot read %s\n", argv[first]);
      std::exit(1);
    }
    buffer << file.rdbuf();
  } else {
    buffer << std::cin.rdbuf();
  }
  return buffer.str();
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  INT subLanguage = -1;
  if (argc > 2 && std::string(argv[1]) == "-l") {
    subLanguage = std::atoi(argv[2]);
    first = 3;
  }
  std::string text =
      DetectedToWindows1251(GlobalCodePageConverter(), ReadInput(argc, argv, first));

  ILMPrepToSpeak4* prep = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_RusTextTagsProcessor, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&prep));
  if (FAILED(hr)) {
    std::fprintf(stderr, "glossel_dump: cannot create the text-analysis object (0x%08X)\n",
                 static_cast<unsigned>(hr));
    return 1;
  }
  if (subLanguage >= 0) {
    ILMSubLang* lang = nullptr;
    if (SUCCEEDED(prep->QueryInterface(IID_PPV_ARGS(&lang)))) {
      lang->SetLang(subLanguage);
      lang->Release();
    }
  }
  prep->PushText(text.data(), nullptr, 0);

  I4 more = 1;
  // A long sentence comes out in several pops; its syntagmas are numbered on.
  UI4 printed = UINT_MAX;
  int syntagmaNumber = 0;
  while (more != 0) {
    // A text without sentences (an empty one) prints nothing.
    UI4 sentence = 0;
    Interval stamp{};
    if (FAILED(prep->get_CurPos(&sentence)) || FAILED(prep->GetSentenceStamp(sentence, &stamp)))
      break;
    Syntagma3* syntagmas = nullptr;
    INT count = 0;
    hr = prep->PopSentence(&syntagmas, &count, &more);
    if (FAILED(hr)) {
      std::fprintf(stderr, "glossel_dump: PopSentence failed (0x%08X)\n",
                   static_cast<unsigned>(hr));
      break;
    }
    if (sentence != printed) {
      std::printf("sentence %u [%llu+%u]\n", sentence,
                  static_cast<unsigned long long>(stamp.start), stamp.size);
      printed = sentence;
      syntagmaNumber = 0;
    }
    for (INT s = 0; s < count; ++s) {
      const Syntagma3& syntagma = syntagmas[s];
      std::printf("  syntagma %d type %d %s %s\n", syntagmaNumber++, syntagma.type,
                  EndSignName(syntagma.inton_sign), Utf8(syntagma.tone_kont).c_str());
      for (INT w = 0; w < syntagma.num_words; ++w) {
        const SyntagmaWord2& word = syntagma.words[w];
        std::printf("    %s %s pos %d [%llu+%u]\n", Padded(Utf8(word.raw_text), 20).c_str(),
                    Padded(Utf8(word.str), 40).c_str(), word.synt_pos,
                    static_cast<unsigned long long>(word.word_itvl.start), word.word_itvl.size);
        CoTaskMemFree(word.str);
        CoTaskMemFree(word.raw_text);
      }
      CoTaskMemFree(syntagma.words);
      CoTaskMemFree(syntagma.tone_kont);
    }
    CoTaskMemFree(syntagmas);
  }
  prep->Release();
  return 0;
}
