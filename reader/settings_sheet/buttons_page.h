// CButtonsPage: binds each hardware button to one of the reader's actions.
// While the page is active the buttons are its hot keys; Scan waits for one
// to be pressed.
#pragma once

#include <array>
#include <string>

#include "platform/window/dialog.h"
#include "reader/buttons/hot_key_table.h"

class CButtonsPage : public PropertyPage {
 public:
  static constexpr UINT IDD = 153;
  static constexpr int IDC_SCAN = 1010;
  static constexpr int IDC_ACTION = 1011;

  CButtonsPage();

  // Action name of each hot-key id (Windows-1251; empty: none).
  std::array<std::string, kButtonCount> actions{};

  bool Scanning() const { return scanning_; }
  int SelectedButton() const { return selected_; }

  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  BOOL OnKillActive() override;

 private:
  void OnScan();
  void OnHotKey(int id);
  void OnAction();
  void ReleaseButtons();

  bool scanning_ = false;
  int selected_ = -1;
};
