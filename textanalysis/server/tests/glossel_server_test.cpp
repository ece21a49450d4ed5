// The text-analysis server as the speech engine sees it: registered into the
// test's registry, created through CoCreateInstance over small data files.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/code_pages.h"
#include "foundation/registry_string.h"
#include "interfaces/glossel.h"
#include "interfaces/runemap.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/server.h"
#include "textanalysis/tokenizer/tests/varied_text.h"

namespace {

namespace fs = std::filesystem;

constexpr char16_t kConfigKey[] = u"SOFTWARE\\Morvane\\Russian";

void RegisterLibrary(const char* path) {
  void* library = dlopen(path, RTLD_NOW);
  ASSERT_NE(library, nullptr) << dlerror();
  auto reg = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
  ASSERT_NE(reg, nullptr);
  ASSERT_EQ(reg(), S_OK);
}

// Empty word files: a count of 0 and no records.
void WriteEmptyWordFiles(const fs::path& folder, const char* stem, int from, int to) {
  for (int n = from; n <= to; ++n) {
    std::ofstream file(folder / (stem + std::to_string(n)), std::ios::binary);
    file.write("\0\0\0\0", 4);
  }
}

void SetConfig(const char16_t* name, const std::string& value) {
  ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, kConfigKey, name, NarrowToWide(value)),
            ERROR_SUCCESS);
}

void DeleteConfig(const char16_t* name) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kConfigKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  RegDeleteValueW(key, name);
  RegCloseKey(key);
}

struct Word {
  std::string letters;
  bool hasPhonemes;
  INT position;
  UI8 start;
  UI4 size;
  bool operator==(const Word&) const = default;
};

class GlosselServerTest : public ::testing::Test {
 public:
  static void SetUpTestSuite() {
    setenv("PARLEN_REGISTRY", "glossel_server_tests.reg", 0);
    RegisterLibrary(RUNEMAP_LIBRARY_PATH);
    RegisterLibrary(GLOSSEL_LIBRARY_PATH);
    const fs::path root = fs::path(::testing::TempDir()) / "data";
    fs::create_directories(root / "stress");
    fs::create_directories(root / "masks");
    WriteEmptyWordFiles(root / "stress", "endsg3.dat", 1, 19);
    WriteEmptyWordFiles(root / "stress", "wordsg3.dat", 2, 24);
    WriteEmptyWordFiles(root / "stress", "jog3.dat", 1, 21);
    std::ofstream(root / "strings.txt")
        << "[ServiceWords]\n{List}\nиз-за\n[Аббревиатуры]\n{Данные}\n|#\n"
           "т.е.|то есть\nг.|года|RIGHT_LOWER\n";
    SetConfig(u"Root", root.string());
    SetConfig(u"NewStressBase", "stress");
    SetConfig(u"UserStressBase", "user.txt");
    SetConfig(u"StringResources", "strings.txt");
    SetConfig(u"MaskBases", "masks");
    SetConfig(u"Runemap", "{AAC0577E-969B-4545-BB63-054568E4C600}");
  }

 protected:

  void SetUp() override {
    ASSERT_EQ(CoCreateInstance(CLSID_RusTextTagsProcessor, nullptr, CLSCTX_INPROC_SERVER,
                               IID_PPV_ARGS(&prep_)),
              S_OK);
  }
  void TearDown() override {
    if (prep_ != nullptr) prep_->Release();
  }

  void Push(const char* text, std::vector<MarkupInfo> tags = {}) {
    ASSERT_EQ(prep_->PushText(const_cast<LPSTR>(text), tags.empty() ? nullptr : tags.data(),
                              static_cast<INT>(tags.size())),
              S_OK);
  }

  // Pops one sentence; the words of all its syntagmas, in order.
  std::vector<Word> Pop(I4* more = nullptr) {
    Syntagma2* syntagmas = reinterpret_cast<Syntagma2*>(1);
    INT count = -1;
    I4 hasMore = -1;
    EXPECT_EQ(prep_->PopSentence(&syntagmas, &count, &hasMore), S_OK);
    if (more != nullptr) *more = hasMore;
    std::vector<Word> words;
    if (count == 0) {
      EXPECT_EQ(syntagmas, nullptr);
    }
    for (INT s = 0; s < count; ++s) {
      EXPECT_EQ(syntagmas[s].type, OrthographicSyntagma);
      for (INT w = 0; w < syntagmas[s].num_words; ++w) {
        const SyntagmaWord2& word = syntagmas[s].words[w];
        words.push_back({word.raw_text, word.str != nullptr && word.str[0] != '\0', word.synt_pos,
                         word.word_itvl.start, word.word_itvl.size});
        CoTaskMemFree(word.str);
        CoTaskMemFree(word.raw_text);
      }
      CoTaskMemFree(syntagmas[s].words);
    }
    CoTaskMemFree(syntagmas);
    return words;
  }

  Interval Stamp(UI4 index) {
    Interval itvl{99, 99};
    EXPECT_EQ(prep_->GetSentenceStamp(index, &itvl), S_OK);
    return itvl;
  }

  UI4 Count() {
    UI4 count = 0;
    EXPECT_EQ(prep_->get_SentenceCount(&count), S_OK);
    return count;
  }

  ILMPrepToSpeak4* prep_ = nullptr;
};

TEST_F(GlosselServerTest, RegistrationNamesTheClassForLanguage419) {
  std::string value;
  ASSERT_TRUE(ReadRegistryString(value, HKEY_LOCAL_MACHINE, "SOFTWARE\\Morvane\\Glossel Module\\419",
                                 "CLSID"));
  EXPECT_EQ(value, "{4DD57616-8871-43E7-9BBC-409CB0A6E00C}");
  for (const IID& iid : {IID_ILMPrepToSpeak2, IID_ILMControl, IID_ILMSubLang}) {
    IUnknown* other = nullptr;
    EXPECT_EQ(prep_->QueryInterface(iid, reinterpret_cast<void**>(&other)), S_OK);
    if (other != nullptr) other->Release();
  }
}

TEST_F(GlosselServerTest, SentencesComeBackWordByWord) {
  Push("Мама мыла раму. Папа спит.");
  EXPECT_EQ(Count(), 2u);
  I4 more = -1;
  EXPECT_EQ(Pop(&more), (std::vector<Word>{{"мама", true, FirstInSyntagma, 0, 4},
                                           {"мыла", true, MiddleInSyntagma, 5, 4},
                                           {"раму", true, LastInSyntagma, 10, 4}}));
  EXPECT_EQ(more, 1);
  EXPECT_EQ(Pop(&more), (std::vector<Word>{{"папа", true, FirstInSyntagma, 16, 4},
                                           {"спит", true, LastInSyntagma, 21, 4}}));
  EXPECT_EQ(more, 0);
  EXPECT_TRUE(Pop(&more).empty());
  EXPECT_EQ(more, 0);
}

TEST_F(GlosselServerTest, PositionsContinueAcrossPushesAndClearButNotReset) {
  Push("Мама мыла раму. Папа спит.");
  EXPECT_EQ(Stamp(0).start, 0u);
  EXPECT_EQ(Stamp(0).size, 15u);
  EXPECT_EQ(Stamp(1).start, 16u);
  EXPECT_EQ(Stamp(1).size, 10u);
  Push("Кот.");
  EXPECT_EQ(Count(), 3u);
  EXPECT_EQ(Stamp(2).start, 26u);
  Pop();
  Pop();
  EXPECT_EQ(Pop(), (std::vector<Word>{{"кот", true, LastInSyntagma, 26, 3}}));

  ASSERT_EQ(prep_->Clear(), S_OK);
  EXPECT_EQ(Count(), 0u);
  Push("Кот.");
  EXPECT_EQ(Stamp(0).start, 30u);
  EXPECT_EQ(Pop(), (std::vector<Word>{{"кот", true, LastInSyntagma, 30, 3}}));

  ASSERT_EQ(prep_->Reset(), S_OK);
  Push("Кот.");
  EXPECT_EQ(Stamp(0).start, 0u);
  UI4 position = 9;
  EXPECT_EQ(prep_->get_CurPos(&position), S_OK);
  EXPECT_EQ(position, 0u);
}

TEST_F(GlosselServerTest, SkipAndCurrentPosition) {
  Push("Раз. Два. Три.");
  ASSERT_EQ(Count(), 3u);
  I4 skipped = 0;
  EXPECT_EQ(prep_->put_CurPos(2), S_OK);
  EXPECT_EQ(prep_->Skip(const_cast<LPSTR>("Sentence"), -5, &skipped), S_OK);
  EXPECT_EQ(skipped, -2);
  EXPECT_EQ(prep_->Skip(const_cast<LPSTR>("Sentence"), 1, &skipped), S_OK);
  EXPECT_EQ(skipped, 1);
  // Far jumps are clamped, not wrapped.
  EXPECT_EQ(prep_->Skip(const_cast<LPSTR>("Sentence"), INT_MAX, &skipped), S_OK);
  EXPECT_EQ(skipped, 2);
  EXPECT_EQ(prep_->Skip(const_cast<LPSTR>("Sentence"), INT_MIN, &skipped), S_OK);
  EXPECT_EQ(skipped, -3);
  EXPECT_EQ(prep_->Skip(const_cast<LPSTR>("sentence"), 1, &skipped), E_NOTIMPL);
  EXPECT_EQ(prep_->Skip(nullptr, 1, &skipped), E_INVALIDARG);
  EXPECT_EQ(prep_->Skip(const_cast<LPSTR>("Sentence"), 1, nullptr), E_INVALIDARG);

  UI4 position = 0;
  EXPECT_EQ(prep_->put_CurPos(3), S_OK);
  EXPECT_EQ(prep_->put_CurPos(4), S_FALSE);
  EXPECT_EQ(prep_->get_CurPos(&position), S_OK);
  EXPECT_EQ(position, 3u);
  EXPECT_EQ(prep_->get_CurPos(nullptr), E_INVALIDARG);
  EXPECT_EQ(prep_->get_SentenceCount(nullptr), E_INVALIDARG);
  Interval itvl{};
  EXPECT_EQ(prep_->GetSentenceStamp(3, &itvl), E_INVALIDARG);
  EXPECT_EQ(prep_->GetSentenceStamp(0, nullptr), E_INVALIDARG);
}

// The count holds every sentence of a text cut as it is spoken: as many as
// cutting the whole text at once (as with tags) gives.
TEST_F(GlosselServerTest, CountOfALongTextIsThatOfTheWholeText) {
  // Lines ending in a run of stops longer than a token may be.
  std::string dots;
  for (int i = 0; i < 3000; ++i) dots += "Мама мыла раму" + std::string(129, '.') + " ";
  for (const std::string& text : {VariedText(10000), VariedText(100000), VariedText(2000000), dots}) {
    SCOPED_TRACE(text.size());
    ASSERT_EQ(prep_->Reset(), S_OK);
    Push(text.c_str(), {MarkupInfo{const_cast<char*>("Volume=5"), {text.size(), 0}}});
    const UI4 whole = Count();
    if (text == dots)
      EXPECT_EQ(whole, 3000u);
    else
      EXPECT_GT(whole, text.size() / 40);
    const Interval last = Stamp(whole - 1);
    ASSERT_EQ(prep_->Reset(), S_OK);
    Push(text.c_str());
    EXPECT_EQ(Count(), whole);
    // The cutting itself, after the count, ends with the same sentence.
    EXPECT_EQ(Stamp(whole - 1).start, last.start);
    Interval past{};
    EXPECT_EQ(prep_->GetSentenceStamp(whole, &past), E_INVALIDARG);
    EXPECT_EQ(Count(), whole);
  }
}

// A long text is cut as it is spoken; a sentence gone back to after it was
// spoken comes out as the first time, also where going back cuts again from
// a point well into the text.
TEST_F(GlosselServerTest, ALongTextIsCutAsItIsSpokenAndRevisited) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += "Раз. Два. Три. ";
  Push(text.c_str());
  EXPECT_EQ(Count(), 30000u);
  const std::vector<Word> first = Pop();
  const std::vector<Word> second = Pop();
  const std::vector<Word> third = Pop();
  EXPECT_EQ(third, (std::vector<Word>{{"три", true, LastInSyntagma, 10, 3}}));
  I4 skipped = 0;
  ASSERT_EQ(prep_->Skip(const_cast<LPSTR>("Sentence"), -2, &skipped), S_OK);
  EXPECT_EQ(skipped, -2);
  EXPECT_EQ(Pop(), second);
  EXPECT_EQ(Pop(), third);

  // Sentences each side of 64 KiB into the text.
  EXPECT_EQ(prep_->put_CurPos(12800), S_OK);
  std::vector<std::vector<Word>> spoken;
  for (int i = 0; i < 400; ++i) spoken.push_back(Pop());
  EXPECT_EQ(spoken[0], (std::vector<Word>{{"три", true, LastInSyntagma, 64000, 3}}));
  EXPECT_EQ(spoken[399], (std::vector<Word>{{"три", true, LastInSyntagma, 65995, 3}}));
  EXPECT_EQ(prep_->put_CurPos(12800), S_OK);
  for (size_t i = 0; i < spoken.size(); ++i) ASSERT_EQ(Pop(), spoken[i]) << i;

  EXPECT_EQ(prep_->put_CurPos(29999), S_OK);
  EXPECT_EQ(Count(), 30000u);
  EXPECT_EQ(Stamp(29999).start, 149995u);
  I4 more = -1;
  EXPECT_EQ(Pop(&more), (std::vector<Word>{{"три", true, LastInSyntagma, 149995, 3}}));
  EXPECT_EQ(more, 0);
  EXPECT_EQ(prep_->put_CurPos(0), S_OK);
  EXPECT_EQ(Pop(), first);
  EXPECT_EQ(prep_->put_CurPos(29990), S_OK);
  EXPECT_EQ(Pop(), (std::vector<Word>{{"три", true, LastInSyntagma, 149950, 3}}));
}

// A text without sentence ends is cut into sentences of about 4,096 tokens,
// each spoken a slice at a time: every pop holds a bounded number of words,
// the position stays on a sentence until its last slice, which ends as at a
// stop, and no word is lost or repeated. A slice
// cut between two words ends as at a comma; one at a comma keeps its sign.
TEST_F(GlosselServerTest, ASentenceWithoutEndsComesOutASliceAtATime) {
  for (const char* phrase : {"мама мыла раму и папа пилил дрова ", "мама мыла раму, и папа пилил дрова "}) {
    SCOPED_TRACE(phrase);
    const std::string unit = phrase;
    const bool commas = unit.find(',') != std::string::npos;
    std::string text;
    while (text.size() < (1u << 20)) text += unit;
    const size_t repeats = text.size() / unit.size();
    ASSERT_EQ(prep_->Reset(), S_OK);
    Push(text.c_str());
    // Cut into sentences of 4,096 tokens or a little more, at blanks.
    const UI4 sentences = commas ? 59 : 53;
    EXPECT_EQ(Count(), sentences);

    // Seven words each repeat (the test's data join no clitic).
    const UI4 offsets[] = {0, 5, 10, 15, 17, 22, 28};
    const UI4 sizes[] = {4, 4, 4, 1, 4, 5, 5};
    size_t word = 0, pops = 0;
    UI4 sentence = 0;
    for (I4 more = 1; more != 0; ++pops) {
      UI4 position = 99;
      EXPECT_EQ(prep_->get_CurPos(&position), S_OK);
      ASSERT_EQ(position, sentence) << "pop " << pops;
      Syntagma2* syntagmas = nullptr;
      INT count = 0;
      ASSERT_EQ(prep_->PopSentence(&syntagmas, &count, &more), S_OK);
      ASSERT_GT(count, 0);
      size_t words = 0;
      UI4 after = 99;
      EXPECT_EQ(prep_->get_CurPos(&after), S_OK);
      const bool sentenceEnds = after != sentence;
      if (sentenceEnds) ASSERT_EQ(after, sentence + 1) << "pop " << pops;
      sentence = after;
      for (INT s = 0; s < count; ++s) {
        const Syntagma2& syntagma = syntagmas[s];
        const _eLMSyntagmaEnd expected =
            sentenceEnds && s + 1 == count ? SE_Stop1 : SE_Comma6;
        ASSERT_EQ(syntagma.inton_sign, expected) << "pop " << pops << " syntagma " << s;
        for (INT w = 0; w < syntagma.num_words; ++w, ++word, ++words) {
          const Interval& itvl = syntagma.words[w].word_itvl;
          ASSERT_EQ(itvl.start, word / 7 * unit.size() + offsets[word % 7] + (commas && word % 7 > 2))
              << "word " << word;
          ASSERT_EQ(itvl.size, sizes[word % 7]) << "word " << word;
          CoTaskMemFree(syntagma.words[w].str);
          CoTaskMemFree(syntagma.words[w].raw_text);
        }
        CoTaskMemFree(syntagma.words);
      }
      CoTaskMemFree(syntagmas);
      // A slice may run on to the next pair of long words.
      ASSERT_LE(words, 2048u);
    }
    EXPECT_EQ(word, repeats * 7);
    EXPECT_GT(pops, repeats * 7 / 2048);
    UI4 position = 0;
    EXPECT_EQ(prep_->get_CurPos(&position), S_OK);
    EXPECT_EQ(position, sentences);
  }
}

TEST_F(GlosselServerTest, NullOutputsCodePageAndSubLanguage) {
  Syntagma2* syntagmas = nullptr;
  INT count = 0;
  I4 more = 0;
  EXPECT_EQ(prep_->PopSentence(static_cast<Syntagma2**>(nullptr), &count, &more), E_POINTER);
  EXPECT_EQ(prep_->PopSentence(static_cast<Syntagma3**>(nullptr), &count, &more), E_POINTER);
  EXPECT_EQ(prep_->PopSentence(&syntagmas, nullptr, &more), E_POINTER);
  EXPECT_EQ(prep_->PopSentence(&syntagmas, &count, nullptr), E_POINTER);

  ILMControl* control = nullptr;
  ASSERT_EQ(prep_->QueryInterface(IID_PPV_ARGS(&control)), S_OK);
  INT codePage = 0;
  Push("Дом.");
  EXPECT_EQ(control->GetCodePage(&codePage), S_OK);
  EXPECT_EQ(codePage, 1251);
  EXPECT_EQ(control->GetCodePage(nullptr), E_INVALIDARG);
  EXPECT_EQ(control->ReloadUserBase(), S_OK);
  control->Release();

  ILMSubLang* lang = nullptr;
  ASSERT_EQ(prep_->QueryInterface(IID_PPV_ARGS(&lang)), S_OK);
  EXPECT_EQ(lang->SetLang(0), S_OK);
  lang->Release();
  EXPECT_EQ(Pop(), (std::vector<Word>{{"дом", true, LastInSyntagma, 0, 3}}));
}

TEST_F(GlosselServerTest, ToneContourAndTagsWithoutDescription) {
  MarkupInfo tags[] = {{nullptr, {0, 3}}, {const_cast<char*>("Pron=D,O,M"), {0, 3}}};
  Push("дом кот", {tags[0], tags[1]});
  Syntagma3* syntagmas = nullptr;
  INT count = 0;
  I4 more = 1;
  ASSERT_EQ(prep_->PopSentence(&syntagmas, &count, &more), S_OK);
  ASSERT_EQ(count, 1);
  EXPECT_STREQ(syntagmas[0].tone_kont, "(.)|(.)");
  ASSERT_EQ(syntagmas[0].num_words, 2);
  EXPECT_STREQ(syntagmas[0].words[0].raw_text, "D,O,M");
  EXPECT_STREQ(syntagmas[0].words[0].str, "D,O,M");
  EXPECT_EQ(syntagmas[0].words[0].word_itvl.size, 3u);
  EXPECT_STREQ(syntagmas[0].words[1].raw_text, "кот");
  for (INT w = 0; w < syntagmas[0].num_words; ++w) {
    CoTaskMemFree(syntagmas[0].words[w].str);
    CoTaskMemFree(syntagmas[0].words[w].raw_text);
  }
  CoTaskMemFree(syntagmas[0].words);
  CoTaskMemFree(syntagmas[0].tone_kont);
  CoTaskMemFree(syntagmas);
}

TEST(GlosselCreationTest, FailsWithoutItsConverterOrConfiguration) {
  GlosselServerTest::SetUpTestSuite();
  MessageBoxCapture boxes;
  IUnknown* object = nullptr;
  SetConfig(u"Runemap", "{00000000-0000-0000-0000-000000000001}");
  EXPECT_EQ(CoCreateInstance(CLSID_RusTextTagsProcessor, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(&object)),
            E_FAIL);
  EXPECT_EQ(object, nullptr);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, u"Ошибка загрузки модуля преобразования буква-фонема");
  EXPECT_EQ(boxes.Boxes()[0].caption, u"Glossel module");

  DeleteConfig(u"Runemap");
  EXPECT_NE(CoCreateInstance(CLSID_RusTextTagsProcessor, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(&object)),
            S_OK);
  EXPECT_EQ(boxes.Count(), 1u);
}

}  // namespace
