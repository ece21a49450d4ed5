// Dialog controls as in-memory models. A dialog's code reads and changes
// them; the back ends show them (the FLTK widgets mirror them) and report
// the user's actions by changing them and notifying the dialog.
#pragma once

#include "platform/window/icon.h"
#include "platform/window/window_types.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class ControlKind {
  Static,    // a label or picture text
  Button,    // push button; IDOK and IDCANCEL end the dialog by default
  CheckBox,
  Edit,      // `text` is the content
  ComboBox,  // `items`; `text` is the edit field (editable) or the chosen item
  ListBox,   // `items`; `multi_select` for several selected at once
  ListView,  // one-column report list: `items`, `text` its column header
  Slider,    // `range_min`..`range_max`, `position`
};

constexpr int CB_ERR = -1;
constexpr int LB_ERR = -1;

struct Control {
  int id = 0;
  ControlKind kind = ControlKind::Static;
  std::u16string text;
  std::vector<std::u16string> items;
  int selection = -1;          // current item, -1 none
  std::vector<int> icons;      // lists: each item's small icon, -1 or missing none
  std::vector<bool> selected;  // multi-select list boxes: one flag per item
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  bool editable = false;       // combo box with an edit field
  bool bold = false;           // labels, buttons, check boxes: a bold face
  bool multi_select = false;
  bool multi_line = false;     // edits
  bool number_only = false;    // edits
  int range_min = 0;
  int range_max = 100;
  int position = 0;
  // Edits: the selected characters [sel_start, sel_end) (the caret when
  // equal), and whether a long press or right click opens the edit menu.
  int sel_start = 0;
  int sel_end = 0;
  bool context_menu = false;
  // A sample static (declared so, or given a font or colours) is drawn in
  // its own font and colours, when set, rather than as a label.
  bool sample = false;
  std::optional<LOGFONTW> font;
  std::optional<COLORREF> text_colour;
  std::optional<COLORREF> back_colour;
  // An icon static (SS_ICON) shows this picture, drawn like a sample.
  HICON icon = nullptr;
  // Lists: a width above 0 puts the list beside the control after it, this
  // one that many pixels wide, with a splitter the user drags between them.
  int split = 0;
  // Counts every change of the model, so a back end knows when to mirror it.
  unsigned revision = 0;

  // List and combo operations, named after their Windows messages. Indexes
  // out of range give CB_ERR/LB_ERR (-1) or do nothing.
  int AddString(std::u16string text);
  int InsertString(int index, std::u16string text);  // -1 appends
  int DeleteString(int index);                       // the count left, or -1
  void ResetContent();
  // The small icon (a ShellIcon) shown before the item.
  void SetItemIcon(int index, int icon);
  int GetItemIcon(int index) const;
  void SetSplit(int width);
  int GetCount() const { return static_cast<int>(items.size()); }
  int SetCurSel(int index);  // -1 clears; returns index or -1
  int GetCurSel() const { return selection; }
  std::u16string GetItemText(int index) const;
  // The first item after `start` (-1: from the beginning), wrapping, that
  // begins with `prefix` / equals `text`, ignoring Latin and Cyrillic case.
  int FindString(int start, std::u16string_view prefix) const;
  int FindStringExact(int start, std::u16string_view text) const;
  // Multi-select list boxes.
  void SetSel(int index, bool on);  // -1: every item
  int GetSelCount() const;
  std::vector<int> GetSelItems() const;  // ascending

  bool IsSample() const { return sample || font || text_colour || back_colour || icon; }

  void SetText(std::u16string value);  // edits: the selection is clamped
  void SetSelection(int start, int end);  // edits, clamped to the text
  void SetFont(const LOGFONTW& description);
  void SetColours(COLORREF text_colour, COLORREF back_colour);
  void SetCheck(bool on);
  void Enable(bool on);
  void SetRange(int low, int high);
  void SetPos(int value);  // clamped to the range
  int GetPos() const { return position; }
};

// Case folding of Latin and Cyrillic letters (for the list searches).
char16_t FoldCase(char16_t c);
bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
