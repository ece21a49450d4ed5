// Every base of the text-analysis server, loaded once from the data folder
// named in the registry (HKEY_LOCAL_MACHINE "SOFTWARE\Morvane\Russian") and
// handed out by number to the stages and text processors.
#pragma once

#include <string>

#include "foundation/char_set.h"
#include "foundation/stress.h"
#include "foundation/tag_table.h"
#include "textanalysis/lexicon/mask_base.h"
#include "textanalysis/lexicon/normaliser_bases.h"
#include "textanalysis/lexicon/stress_dictionary.h"
#include "textanalysis/lexicon/string_resource_file.h"
#include "textanalysis/lexicon/user_stress_base_file.h"
#include "textanalysis/lexicon/word_file_set.h"

class LinguisticResources {
 public:
  // Resource numbers (GetResource) and the type each one points at.
  enum Resource {
    kStressDictionary = 0,  // StressDictionary
    kCharSet1 = 1,          // CharSet: groups of the tagged tokenizer
    kCharSet2 = 2,          // CharSet: what a normalised token may hold
    kStressByPosition = 3,  // StressByPosition, per text
    kTagTable = 4,          // TagTable, per text
    kPhraseDictionary = 5,  // from the normaliser
    kUserStressBase = 6,    // UserStressBaseFile
    kGrammarTables = 7,     // from the normaliser
    kYoVariants = 8,        // YoVariantsBase
    kStringResources = 11,  // StringResourceFile
    kTranscriptions = 12,   // from the normaliser
    kStressMasks = 13,      // StressMaskBase
    kYoMasks = 14,          // YoMaskBase
  };

  // LoadAll results.
  static constexpr int kLoaded = 0;
  static constexpr int kBaseFailed = 1;
  static constexpr int kConfigMissing = 2;

  // The normaliser's bases, when given, are loaded last and served as
  // resources 5, 7 and 12; without them those steps are left out.
  explicit LinguisticResources(NormaliserBases* normaliser = nullptr);

  // Loads every base in a fixed order; the first failure ends it. A base
  // that cannot be loaded shows its message box ("Glossel module") where it
  // has one and gives kBaseFailed; a configuration value that cannot be
  // read gives kConfigMissing.
  int LoadAll();
  // The resource of that number (see Resource), or null.
  void* GetResource(int number);
  // Empties the stress-by-position map and the tag table.
  void ResetTextState();
  // Reads `Root` and `UserStressBase` again and reloads the user stress
  // base; false when a value cannot be read or the load fails.
  bool ReloadUserBase();

  StressDictionary& GetStressDictionary() { return stressDictionary_; }
  const CharSet& GetCharSet1() const { return charSet1_; }
  const CharSet& GetCharSet2() const { return charSet2_; }
  StressByPosition& GetStressByPosition() { return stressByPosition_; }
  TagTable& GetTagTable() { return tagTable_; }
  UserStressBaseFile& GetUserStressBase() { return userStressBase_; }
  YoVariantsBase& GetYoVariants() { return yoVariants_; }
  StringResourceFile& GetStringResources() { return stringResources_; }
  StressMaskBase& GetStressMasks() { return stressMasks_; }
  YoMaskBase& GetYoMasks() { return yoMasks_; }

 private:
  void BuildCharSets();
  int LoadNormaliserBases();

  NormaliserBases* normaliser_;
  StressDictionary stressDictionary_;
  CharSet charSet1_;
  CharSet charSet2_;
  StressByPosition stressByPosition_;
  TagTable tagTable_;
  UserStressBaseFile userStressBase_;
  YoVariantsBase yoVariants_;
  StringResourceFile stringResources_;
  StressMaskBase stressMasks_;
  YoMaskBase yoMasks_;
};
