// CUserStressBaseDlg: the words of the user stress base, the file of
// user-given stresses that the text-analysis server reads. The page edits
// the file itself, with the same code as the server.
#pragma once

#include <string>

#include "platform/window/dialog.h"
#include "textanalysis/lexicon/user_stress_base_file.h"

struct ITTSEngine;

class CUserStressBaseDlg : public PropertyPage {
 public:
  static constexpr UINT IDD = 190;
  static constexpr int IDC_WORDS = 1046;
  static constexpr int IDC_ADD = 1047;
  static constexpr int IDC_DELETE = 1048;
  static constexpr int IDC_WORD = 1049;

  CUserStressBaseDlg();

  // Set by every word added or removed; the main window then has the
  // engine reload the file.
  bool changed = false;

  BOOL OnInitDialog() override;
  void OnAdd();
  void OnDelete();

 private:
  UserStressBaseFile base_;
};

// An entry as the list shows it: the key with "+" after the letter at
// `stress` (an index into the key, a leading "*" counted).
std::u16string UserStressEntryText(const std::string& key, int stress);

// The stress-base command: the page as the only page of the "Stress base"
// sheet; after a change the engine (when there is one) reloads the file.
void RunUserStressBaseSheet(ITTSEngine* engine);
