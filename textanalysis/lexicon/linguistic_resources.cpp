#include "textanalysis/lexicon/linguistic_resources.h"

#include "foundation/code_pages.h"
#include "foundation/registry_string.h"
#include "platform/message_box.h"
#include "textanalysis/lexicon/whole_file.h"

namespace {

constexpr const char* kConfigKey = "SOFTWARE\\Morvane\\Russian";
constexpr const char16_t* kCaption = u"Glossel module";

constexpr const char* kCyrillic =
    "ЙЦУКЕНГШЩЗХЪФЫВАПРОЛДЖЭЯЧСМИТЬБЮЁйцукенгшщзхъфывапролджэячсмитьбюё";
constexpr const char* kPunctuation = ",:;()!?-";

// Groups of the tagged tokenizer, in order.
constexpr const char* kCharSet1Groups[] = {
    kCyrillic,
    "QWERTYUIOPASDFGHJKLZXCVBNMqwertyuiopasdfghjklzxcvbnm",
    "1234567890",
    kPunctuation,
    ".",
    "+/*=<>%",
    "~`@#$^&|\\{}[]\"",
};

// What a token coming out of the normaliser may hold, in groups.
constexpr const char* kCharSet2Groups[] = {
    kCyrillic, kPunctuation, ".", " \n\t", "+", "\"",
};

void ShowLoadError(const char16_t* text) {
  MessageBoxW(nullptr, text, kCaption, MB_OK | MB_ICONERROR);
}

bool ReadConfig(const char* name, std::u16string& value) {
  std::string narrow;
  if (!ReadRegistryString(narrow, HKEY_LOCAL_MACHINE, kConfigKey, name)) return false;
  value = NarrowToWide(narrow);
  return true;
}

}  // namespace

LinguisticResources::LinguisticResources(NormaliserBases* normaliser) : normaliser_(normaliser) {}

void LinguisticResources::BuildCharSets() {
  charSet1_ = CharSet();
  charSet2_ = CharSet();
  for (const char* group : kCharSet1Groups) BuildCharSet(charSet1_, group);
  for (const char* group : kCharSet2Groups) BuildCharSet(charSet2_, group);
}

int LinguisticResources::LoadAll() {
  BuildCharSets();

  std::u16string root, value;
  if (!ReadConfig("Root", root)) return kConfigMissing;
  AppendPathSeparator(root);

  if (!ReadConfig("NewStressBase", value)) return kConfigMissing;
  std::u16string stressFolder = root + value;
  AppendPathSeparator(stressFolder);
  if (!stressDictionary_.Load(stressFolder)) {
    ShowLoadError(u"Ошибка загрузки базы ударений.");
    return kBaseFailed;
  }

  if (!ReadConfig("UserStressBase", value)) return kConfigMissing;
  if (!userStressBase_.Load(root + value)) return kBaseFailed;

  if (!yoVariants_.Load(stressFolder)) {
    ShowLoadError(u"Ошибка загрузки базы вариантов с 'ё'.");
    return kBaseFailed;
  }

  if (!ReadConfig("StringResources", value)) return kConfigMissing;
  stringResources_.Load(root + value);

  if (!ReadConfig("MaskBases", value)) return kConfigMissing;
  stressMasks_.Load(root + value);
  yoMasks_.Load(root + value);

  return LoadNormaliserBases();
}

int LinguisticResources::LoadNormaliserBases() {
  if (!normaliser_) return kLoaded;
  normaliser_->LoadTranscriptions(stringResources_.GetLines("Транскрипция", "Слова"));
  normaliser_->SetPhraseCharSet(charSet1_);
  if (!normaliser_->LoadPhrases(stringResources_.GetLines("Аббревиатуры", "Данные"))) {
    ShowLoadError(u"Ошибка загрузки базы аббревиатур.");
    return kBaseFailed;
  }
  if (!normaliser_->LoadNumberForms(stringResources_.GetLines("Числовые_формы", "Данные")) ||
      !normaliser_->LoadDictionaryForms(stringResources_.GetLines("Словарные_формы", "Данные")))
    return kBaseFailed;
  return kLoaded;
}

void* LinguisticResources::GetResource(int number) {
  switch (number) {
    case kStressDictionary:
      return &stressDictionary_;
    case kCharSet1:
      return &charSet1_;
    case kCharSet2:
      return &charSet2_;
    case kStressByPosition:
      return &stressByPosition_;
    case kTagTable:
      return &tagTable_;
    case kUserStressBase:
      return &userStressBase_;
    case kYoVariants:
      return &yoVariants_;
    case kStringResources:
      return &stringResources_;
    case kStressMasks:
      return &stressMasks_;
    case kYoMasks:
      return &yoMasks_;
    case kPhraseDictionary:
    case kGrammarTables:
    case kTranscriptions:
      return normaliser_ ? normaliser_->GetResource(number) : nullptr;
    default:
      return nullptr;
  }
}

void LinguisticResources::ResetTextState() {
  stressByPosition_.Clear();
  tagTable_.Clear();
}

bool LinguisticResources::ReloadUserBase() {
  std::u16string root, value;
  if (!ReadConfig("Root", root) || !ReadConfig("UserStressBase", value)) return false;
  AppendPathSeparator(root);
  return userStressBase_.Load(root + value);
}
