#include "textanalysis/lexicon/linguistic_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/server.h"
#include "textanalysis/lexicon/tests/lexicon_files.h"

namespace {

constexpr const char16_t* kConfigKey = u"SOFTWARE\\Morvane\\Russian";

using Lines = std::vector<std::string>;

// Records what the resources ask of the normaliser's bases; the load named
// by `failing` fails.
class FakeNormaliser : public NormaliserBases {
 public:
  explicit FakeNormaliser(char failing = 0) : failing_(failing) {}

  void* GetResource(int number) override {
    return number == 5 || number == 7 || number == 12 ? &slots[number] : nullptr;
  }
  void LoadTranscriptions(const Lines& lines) override { Record('T', lines); }
  void SetPhraseCharSet(const CharSet& set) override {
    calls.push_back("C" + std::to_string(set.classes.size()));
  }
  bool LoadPhrases(const Lines& lines) override { return Record('P', lines); }
  bool LoadNumberForms(const Lines& lines) override { return Record('N', lines); }
  bool LoadDictionaryForms(const Lines& lines) override { return Record('D', lines); }

  int slots[13] = {};
  Lines calls;

 private:
  bool Record(char load, const Lines& lines) {
    std::string call(1, load);
    for (const std::string& line : lines) call += ":" + line;
    calls.push_back(call);
    return load != failing_;
  }

  char failing_;
};

class LinguisticResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path dict = folder_ / "Dict";
    WriteWordFile(dict, "wordsg3.dat", 6, {"молокО"});
    WriteWordFile(dict, "jog3.dat", 3, {"ёлы"});
    CompleteLexicon(dict);
    WriteBytes(folder_ / "user.txt", "мо+локо\n");
    WriteBytes(folder_ / "strings.txt",
               "[Транскрипция]\n{Слова}\nword #w#\n"
               "[Аббревиатуры]\n{Данные}\n|#\nт.е.|то есть\n"
               "[Числовые_формы]\n{Данные}\nодин\n"
               "[Словарные_формы]\n{Данные}\nгод:муж\n"
               "[ServiceWords]\n{Присоединяются_налево}\nже\n");
    WriteBytes(folder_ / "Masks" / "lrmaskjb.dat", "все|#|#|2\n");
    SetValue(u"Root", NarrowToWide(folder_.Narrow()));
    SetValue(u"NewStressBase", u"Dict");
    SetValue(u"UserStressBase", u"user.txt");
    SetValue(u"StringResources", u"strings.txt");
    SetValue(u"MaskBases", u"Masks");
  }

  static void SetValue(const char16_t* name, const std::u16string& value) {
    ASSERT_EQ(WriteRegistryString(HKEY_LOCAL_MACHINE, kConfigKey, name, value), ERROR_SUCCESS);
  }
  static void RemoveValue(const char16_t* name) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kConfigKey, 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    RegDeleteValueW(key, name);
    RegCloseKey(key);
  }

  // One error box with the module's caption and this text.
  static void ExpectOneBox(const MessageBoxCapture& boxes, const std::u16string& text) {
    ASSERT_EQ(boxes.Count(), 1u);
    const auto box = boxes.Boxes()[0];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.caption, u"Glossel module");
    EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONERROR);
  }

  TestFolder folder_;
  MessageBoxCapture boxes_;
};

TEST_F(LinguisticResourcesTest, LoadsEveryBase) {
  FakeNormaliser normaliser;
  LinguisticResources resources(&normaliser);
  ASSERT_EQ(resources.LoadAll(), LinguisticResources::kLoaded);
  EXPECT_EQ(boxes_.Count(), 0u);

  EXPECT_EQ(resources.GetStressDictionary().Lookup("молоко"), 5);
  EXPECT_EQ(resources.GetUserStressBase().Find("молоко"), 1);
  EXPECT_TRUE(resources.GetYoVariants().Find("ёлы"));
  EXPECT_EQ(resources.GetStringResources().GetLines("Числовые_формы", "Данные"), Lines{"один"});
  int position = -1;
  EXPECT_TRUE(resources.GetYoMasks().FindYoPosition(
      {TextToken(TextToken::kRussianWord, "все", Interval{})}, 0, position));
  EXPECT_EQ(position, 2);
  EXPECT_TRUE(resources.GetStressMasks().IsReady());

  // The normaliser's bases in order, each from its own section.
  EXPECT_EQ(normaliser.calls,
            (Lines{"T:word #w#", "C7", "P:|#:т.е.|то есть", "N:один", "D:год:муж"}));

  // What a normalised token may hold: Cyrillic, punctuation, blanks, stress marks.
  EXPECT_TRUE(resources.GetCharSet2().ContainsAll("ко+шка, \"да\".\n"));
  EXPECT_FALSE(resources.GetCharSet2().ContainsAll("a1"));

  const std::pair<int, const void*> numbered[] = {{0, &resources.GetStressDictionary()},
                                                  {3, &resources.GetStressByPosition()},
                                                  {5, &normaliser.slots[5]},
                                                  {6, &resources.GetUserStressBase()},
                                                  {7, &normaliser.slots[7]},
                                                  {8, &resources.GetYoVariants()},
                                                  {12, &normaliser.slots[12]},
                                                  {14, &resources.GetYoMasks()},
                                                  {9, nullptr},
                                                  {10, nullptr}};
  for (const auto& [number, resource] : numbered)
    EXPECT_EQ(resources.GetResource(number), resource);
}

TEST_F(LinguisticResourcesTest, RootWithSeparatorAndMissingOptionalFiles) {
  SetValue(u"Root", NarrowToWide(folder_.Narrow() + "/"));
  SetValue(u"StringResources", u"none.txt");
  SetValue(u"MaskBases", u"NoMasks");
  LinguisticResources resources;
  ASSERT_EQ(resources.LoadAll(), LinguisticResources::kLoaded);
  EXPECT_EQ(resources.GetStressDictionary().Lookup("молоко"), 5);
  EXPECT_EQ(resources.GetUserStressBase().Path(), NarrowToWide(folder_.Narrow() + "/user.txt"));
  EXPECT_TRUE(resources.GetStringResources().GetSections().empty());
  EXPECT_TRUE(resources.GetYoMasks().IsReady());
}

TEST_F(LinguisticResourcesTest, EachMissingValueEndsLoadingWithoutABox) {
  // In loading order: every base before the missing value has loaded.
  for (const char16_t* name :
       {u"Root", u"NewStressBase", u"UserStressBase", u"StringResources", u"MaskBases"}) {
    SetUp();
    RemoveValue(name);
    FakeNormaliser normaliser;
    LinguisticResources resources(&normaliser);
    EXPECT_EQ(resources.LoadAll(), LinguisticResources::kConfigMissing);
    EXPECT_TRUE(normaliser.calls.empty());
    EXPECT_EQ(boxes_.Count(), 0u);
  }
  LinguisticResources resources;
  EXPECT_EQ(resources.LoadAll(), LinguisticResources::kConfigMissing);
  EXPECT_EQ(resources.GetUserStressBase().Find("молоко"), 1);
  EXPECT_EQ(resources.GetStringResources().GetLines("Числовые_формы", "Данные"), Lines{"один"});
}

TEST_F(LinguisticResourcesTest, BrokenStressDictionary) {
  WriteBytes(folder_ / "Dict" / "wordsg3.dat6", LittleEndian32(1) + "молокО" + "x");
  LinguisticResources resources;
  EXPECT_EQ(resources.LoadAll(), LinguisticResources::kBaseFailed);
  ExpectOneBox(boxes_, u"Ошибка загрузки базы ударений.");
  EXPECT_FALSE(resources.GetStressDictionary().IsLoaded());

  boxes_.Clear();
  std::filesystem::remove(folder_ / "Dict" / "endsg3.dat1");
  EXPECT_EQ(resources.LoadAll(), LinguisticResources::kBaseFailed);
  ExpectOneBox(boxes_, u"Ошибка загрузки базы ударений.");
}

TEST_F(LinguisticResourcesTest, MissingYoVariantsFile) {
  std::filesystem::remove(folder_ / "Dict" / "jog3.dat21");
  LinguisticResources resources;
  EXPECT_EQ(resources.LoadAll(), LinguisticResources::kBaseFailed);
  ExpectOneBox(boxes_, u"Ошибка загрузки базы вариантов с 'ё'.");
  EXPECT_TRUE(resources.GetStressDictionary().IsLoaded());
}

TEST_F(LinguisticResourcesTest, UserBaseWithoutPathFailsWithoutABox) {
  // The dictionary folder given whole, so that an empty root still finds it.
  SetValue(u"Root", u"");
  SetValue(u"NewStressBase", NarrowToWide((folder_ / "Dict").string()));
  SetValue(u"UserStressBase", u"");
  LinguisticResources resources;
  EXPECT_EQ(resources.LoadAll(), LinguisticResources::kBaseFailed);
  EXPECT_EQ(boxes_.Count(), 0u);
  EXPECT_TRUE(resources.GetStressDictionary().IsLoaded());
}

TEST_F(LinguisticResourcesTest, NormaliserBasesThatFail) {
  // The phrase dictionary has a message; the grammar tables have none.
  for (const auto& [failing, calls] : {std::pair{'P', 3u}, {'N', 4u}, {'D', 5u}}) {
    boxes_.Clear();
    FakeNormaliser normaliser(failing);
    LinguisticResources resources(&normaliser);
    EXPECT_EQ(resources.LoadAll(), LinguisticResources::kBaseFailed);
    EXPECT_EQ(normaliser.calls.size(), calls);
    if (failing == 'P')
      ExpectOneBox(boxes_, u"Ошибка загрузки базы аббревиатур.");
    else
      EXPECT_EQ(boxes_.Count(), 0u);
  }
}

TEST_F(LinguisticResourcesTest, UserBaseReload) {
  LinguisticResources resources;
  ASSERT_EQ(resources.LoadAll(), LinguisticResources::kLoaded);
  WriteBytes(folder_ / "other.txt", "молоко+\n");
  SetValue(u"UserStressBase", u"other.txt");
  EXPECT_TRUE(resources.ReloadUserBase());
  EXPECT_EQ(resources.GetUserStressBase().Find("молоко"), 5);

  RemoveValue(u"UserStressBase");
  EXPECT_FALSE(resources.ReloadUserBase());
  EXPECT_EQ(resources.GetUserStressBase().Find("молоко"), 5);
}

}  // namespace
