#include "platform/window/controls.h"

#include <algorithm>

char16_t FoldCase(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 0x20);
  if (c >= 0x0410 && c <= 0x042F) return static_cast<char16_t>(c + 0x20);  // А..Я
  if (c >= 0x0400 && c <= 0x040F) return static_cast<char16_t>(c + 0x50);  // Ё, Ў, ...
  return c;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (FoldCase(text[i]) != FoldCase(prefix[i])) return false;
  return true;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() && StartsWithNoCase(a, b);
}

namespace {

template <typename Match>
int Search(const std::vector<std::u16string>& items, int start, Match match) {
  const int n = static_cast<int>(items.size());
  if (n == 0) return -1;
  int first = (start < 0 || start >= n) ? 0 : start + 1;
  for (int k = 0; k < n; ++k) {
    int i = (first + k) % n;
    if (match(items[i])) return i;
  }
  return -1;
}

}  // namespace

int Control::AddString(std::u16string value) {
  items.push_back(std::move(value));
  if (multi_select) selected.push_back(false);
  ++revision;
  return static_cast<int>(items.size()) - 1;
}

int Control::InsertString(int index, std::u16string value) {
  if (index < 0 || index >= static_cast<int>(items.size())) return AddString(std::move(value));
  items.insert(items.begin() + index, std::move(value));
  if (multi_select) selected.insert(selected.begin() + index, false);
  if (index < static_cast<int>(icons.size())) icons.insert(icons.begin() + index, -1);
  if (selection >= index) ++selection;
  ++revision;
  return index;
}

int Control::DeleteString(int index) {
  if (index < 0 || index >= static_cast<int>(items.size())) return -1;
  items.erase(items.begin() + index);
  if (multi_select && index < static_cast<int>(selected.size()))
    selected.erase(selected.begin() + index);
  if (index < static_cast<int>(icons.size())) icons.erase(icons.begin() + index);
  if (selection == index) selection = -1;
  else if (selection > index) --selection;
  ++revision;
  return static_cast<int>(items.size());
}

void Control::ResetContent() {
  items.clear();
  selected.clear();
  icons.clear();
  selection = -1;
  if (kind == ControlKind::ComboBox && !editable) text.clear();
  ++revision;
}

void Control::SetItemIcon(int index, int icon) {
  if (index < 0 || index >= static_cast<int>(items.size())) return;
  if (icons.size() < items.size()) icons.resize(items.size(), -1);
  icons[index] = icon;
  ++revision;
}

int Control::GetItemIcon(int index) const {
  return index >= 0 && index < static_cast<int>(icons.size()) ? icons[index] : -1;
}

void Control::SetSplit(int width) {
  split = std::max(width, 0);
  ++revision;
}

int Control::SetCurSel(int index) {
  ++revision;
  if (index < 0 || index >= static_cast<int>(items.size())) {
    selection = -1;
    if (kind == ControlKind::ComboBox) text.clear();
    return -1;
  }
  selection = index;
  if (kind == ControlKind::ComboBox) text = items[index];
  return index;
}

std::u16string Control::GetItemText(int index) const {
  if (index < 0 || index >= static_cast<int>(items.size())) return {};
  return items[index];
}

int Control::FindString(int start, std::u16string_view prefix) const {
  return Search(items, start, [&](const std::u16string& s) { return StartsWithNoCase(s, prefix); });
}

int Control::FindStringExact(int start, std::u16string_view value) const {
  return Search(items, start, [&](const std::u16string& s) { return EqualsNoCase(s, value); });
}

void Control::SetSel(int index, bool on) {
  selected.resize(items.size(), false);
  if (index == -1) {
    selected.assign(items.size(), on);
  } else if (index >= 0 && index < static_cast<int>(items.size())) {
    selected[index] = on;
    if (on) selection = index;
  }
  ++revision;
}

int Control::GetSelCount() const {
  int n = 0;
  for (bool s : selected) n += s ? 1 : 0;
  return n;
}

std::vector<int> Control::GetSelItems() const {
  std::vector<int> out;
  for (size_t i = 0; i < selected.size(); ++i)
    if (selected[i]) out.push_back(static_cast<int>(i));
  return out;
}

void Control::SetText(std::u16string value) {
  text = std::move(value);
  SetSelection(sel_start, sel_end);
}

void Control::SetSelection(int start, int end) {
  const int size = static_cast<int>(text.size());
  sel_start = std::clamp(std::min(start, end), 0, size);
  sel_end = std::clamp(std::max(start, end), 0, size);
  ++revision;
}

void Control::SetFont(const LOGFONTW& description) {
  font = description;
  ++revision;
}

void Control::SetColours(COLORREF text_value, COLORREF back_value) {
  text_colour = text_value & 0xFFFFFF;
  back_colour = back_value & 0xFFFFFF;
  ++revision;
}

void Control::SetCheck(bool on) {
  checked = on;
  ++revision;
}

void Control::Enable(bool on) {
  enabled = on;
  ++revision;
}

void Control::SetRange(int low, int high) {
  range_min = low;
  range_max = high < low ? low : high;
  SetPos(position);
}

void Control::SetPos(int value) {
  position = value < range_min ? range_min : value > range_max ? range_max : value;
  ++revision;
}
