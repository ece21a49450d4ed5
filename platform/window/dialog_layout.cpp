#include "platform/window/dialog_layout.h"

#include <algorithm>

namespace {

constexpr int kRowHeight = 26;
constexpr int kCheckHeight = 24;
constexpr int kSliderHeight = 24;
constexpr int kLineHeight = 18;
constexpr int kListHeight = 130;
constexpr int kMinListHeight = 60;
constexpr int kMultiLineHeight = 80;
constexpr int kMinMultiLineHeight = 44;
constexpr int kValueWidth = 40;
constexpr int kButtonPadding = 24;
constexpr int kMinButtonWidth = 80;
constexpr int kMinPaneWidth = 40;

bool IsLabel(const Control& c) {
  return c.kind == ControlKind::Static && !c.text.empty() && c.text.back() == u':' && !c.IsSample();
}

bool IsList(const Control& c) {
  return c.kind == ControlKind::ListBox || c.kind == ControlKind::ListView;
}

bool IsOneLine(const Control& c) {
  return c.kind == ControlKind::ComboBox || c.kind == ControlKind::Slider ||
         (c.kind == ControlKind::Edit && !c.multi_line);
}

bool IsClosing(const Control& c) {
  return c.kind == ControlKind::Button && (c.id == IDOK || c.id == IDCANCEL);
}

int OneLineHeight(const Control& c) {
  return c.kind == ControlKind::Slider ? kSliderHeight : kRowHeight;
}

// Lines a static's text takes at this width (explicit breaks and wrapping).
int StaticLines(const Control& c, int width, const TextMeasure& measure) {
  int lines = 0;
  size_t start = 0;
  for (;;) {
    const size_t end = c.text.find(u'\n', start);
    const std::u16string_view line(c.text.data() + start,
                                   (end == std::u16string::npos ? c.text.size() : end) - start);
    lines += std::max(1, (measure(line) + width - 1) / std::max(width, 1));
    if (end == std::u16string::npos) break;
    start = end + 1;
  }
  return lines;
}

// A sample shows its font's cell with a little room round it.
int SampleHeight(const Control& c) {
  const LONG height = c.font ? c.font->lfHeight : -16;
  const LONG h = height < 0 ? -height * 5 / 4 : height;
  return std::clamp<int>(static_cast<int>(h) + 12, 40, 90);
}

int ButtonWidth(const Control& c, const TextMeasure& measure) {
  return std::max(kMinButtonWidth, measure(c.text) + kButtonPadding);
}

struct Row {
  std::vector<int> members;  // control indexes (-1 for the implicit OK)
  int height = 0;
  bool stretch = false;  // a list or multi-line edit: shrinks when needed
};

class Builder {
 public:
  Builder(const Dialog& dialog, int width, const TextMeasure& measure)
      : controls_(dialog.Controls()), width_(width), inner_(width - 2 * kDialogMargin),
        band_(dialog.BandHeight()), measure_(measure) {
    layout_.controls.assign(controls_.size(), RECT{});
    layout_.width = width;
  }

  DialogLayout Build(int max_height, bool with_ok) {
    std::vector<int> closing;
    bool has_ok = false;
    bool has_cancel = false;
    for (size_t i = 0; i < controls_.size(); ++i) {
      const Control& c = controls_[i];
      if (IsClosing(c)) {
        closing.push_back(static_cast<int>(i));
        has_ok |= c.id == IDOK;
        has_cancel |= c.id == IDCANCEL;
        continue;
      }
      Place(static_cast<int>(i));
    }
    // A dialog the user could not close gets an OK button.
    if (with_ok && !has_ok && !has_cancel) closing.insert(closing.begin(), -1);
    int y = Stack(max_height, closing.empty() ? 0 : kRowHeight + kDialogGap);
    if (!closing.empty()) {
      int total = 0;
      for (int i : closing) total += i < 0 ? kMinButtonWidth : ButtonWidth(controls_[i], measure_);
      total += kDialogGap * (static_cast<int>(closing.size()) - 1);
      int x = std::max(kDialogMargin, width_ - kDialogMargin - total);
      for (int i : closing) {
        const int w = i < 0 ? kMinButtonWidth : ButtonWidth(controls_[i], measure_);
        const RECT r{x, y, std::min(x + w, width_ - kDialogMargin), y + kRowHeight};
        (i < 0 ? layout_.implicit_ok : layout_.controls[i]) = r;
        x += w + kDialogGap;
      }
      y += kRowHeight + kDialogGap;
    }
    layout_.height = y - kDialogGap + kDialogMargin;
    return layout_;
  }

 private:
  // Groups the control (and what shares its row) into rows.
  void Place(int i) {
    const Control& c = controls_[i];
    if (consumed_ > i) return;
    if (c.kind != ControlKind::Button) last_was_button_ = false;
    const int n = static_cast<int>(controls_.size());
    if (IsList(c) && c.split > 0 && i + 1 < n && IsList(controls_[i + 1])) {
      split_rows_.push_back(rows_.size());
      rows_.push_back({{i, i + 1}, kListHeight, true});
      consumed_ = i + 2;
      return;
    }
    if (IsLabel(c) && i + 1 < n && IsOneLine(controls_[i + 1]) && !IsClosing(controls_[i + 1])) {
      Row row{{i, i + 1}, OneLineHeight(controls_[i + 1]), false};
      consumed_ = i + 2;
      if (controls_[i + 1].kind == ControlKind::Slider && i + 2 < n &&
          controls_[i + 2].kind == ControlKind::Static && !IsLabel(controls_[i + 2])) {
        row.members.push_back(i + 2);
        consumed_ = i + 3;
      }
      label_rows_.push_back(rows_.size());
      rows_.push_back(row);
      return;
    }
    if (c.kind == ControlKind::Slider && i + 1 < n && controls_[i + 1].kind == ControlKind::Static &&
        !IsLabel(controls_[i + 1])) {
      rows_.push_back({{i, i + 1}, kSliderHeight, false});
      consumed_ = i + 2;
      return;
    }
    if (c.kind == ControlKind::Button) {
      // Consecutive buttons share rows while they fit.
      if (!rows_.empty() && last_was_button_) {
        Row& row = rows_.back();
        int used = 0;
        for (int m : row.members) used += ButtonWidth(controls_[m], measure_) + kDialogGap;
        if (used + ButtonWidth(c, measure_) <= inner_) {
          row.members.push_back(i);
          return;
        }
      }
      rows_.push_back({{i}, kRowHeight, false});
      last_was_button_ = true;
      return;
    }
    Row row{{i}, kRowHeight, false};
    switch (c.kind) {
      case ControlKind::Static:
        row.height = c.IsSample() ? SampleHeight(c) : StaticLines(c, inner_, measure_) * kLineHeight + 4;
        break;
      case ControlKind::CheckBox: row.height = kCheckHeight; break;
      case ControlKind::Slider: row.height = kSliderHeight; break;
      case ControlKind::Edit:
        if (c.multi_line) {
          row.height = kMultiLineHeight;
          row.stretch = true;
        }
        break;
      case ControlKind::ListBox:
      case ControlKind::ListView:
        row.height = kListHeight;
        row.stretch = true;
        break;
      default: break;
    }
    rows_.push_back(row);
  }

  // Positions the rows; returns the y below the last.
  int Stack(int max_height, int reserved) {
    int total = 2 * kDialogMargin + band_ + reserved;
    for (const Row& r : rows_) total += r.height + kDialogGap;
    total -= rows_.empty() ? 0 : kDialogGap;
    int excess = total - max_height;
    for (Row& r : rows_) {
      if (excess <= 0) break;
      if (!r.stretch) continue;
      const bool list = IsList(controls_[r.members[0]]);
      const int floor = list ? kMinListHeight : kMinMultiLineHeight;
      const int cut = std::min(excess, r.height - floor);
      r.height -= cut;
      excess -= cut;
    }
    int label_width = 0;
    for (size_t k : label_rows_)
      label_width = std::max(label_width, measure_(controls_[rows_[k].members[0]].text) + 8);
    label_width = std::min(label_width, inner_ / 2);
    int y = kDialogMargin + band_;
    for (size_t k = 0; k < rows_.size(); ++k) {
      const Row& r = rows_[k];
      const bool labelled = std::find(label_rows_.begin(), label_rows_.end(), k) != label_rows_.end();
      int x = kDialogMargin;
      int right = width_ - kDialogMargin;
      const Control& first = controls_[r.members[0]];
      if (std::find(split_rows_.begin(), split_rows_.end(), k) != split_rows_.end()) {
        SplitterPlace place{r.members[0], {}, kMinPaneWidth,
                            std::max(kMinPaneWidth, inner_ - kSplitterWidth - kMinPaneWidth)};
        const int split = std::clamp(first.split, place.min_split, place.max_split);
        layout_.controls[r.members[0]] = {x, y, x + split, y + r.height};
        place.bar = {x + split, y, x + split + kSplitterWidth, y + r.height};
        layout_.controls[r.members[1]] = {place.bar.right, y, right, y + r.height};
        layout_.splitters.push_back(place);
      } else if (first.kind == ControlKind::Button) {
        for (int m : r.members) {
          const int w = std::min(ButtonWidth(controls_[m], measure_), right - x);
          layout_.controls[m] = {x, y, x + w, y + r.height};
          x += w + kDialogGap;
        }
      } else {
        size_t m = 0;
        if (labelled) {
          layout_.controls[r.members[0]] = {x, y, x + label_width, y + r.height};
          x += label_width + kDialogGap;
          m = 1;
        }
        if (r.members.size() == m + 2) {  // a slider and its value text
          layout_.controls[r.members[m + 1]] = {right - kValueWidth, y, right, y + r.height};
          right -= kValueWidth + kDialogGap;
        }
        layout_.controls[r.members[m]] = {x, y, right, y + r.height};
      }
      y += r.height + kDialogGap;
    }
    return y;
  }

  const std::vector<Control>& controls_;
  int width_;
  int inner_;
  int band_;
  const TextMeasure& measure_;
  DialogLayout layout_;
  std::vector<Row> rows_;
  std::vector<size_t> label_rows_;
  std::vector<size_t> split_rows_;
  int consumed_ = 0;
  bool last_was_button_ = false;
};

}  // namespace

DialogLayout LayoutDialog(const Dialog& dialog, int width, int max_height, bool with_ok,
                          const TextMeasure& measure) {
  return Builder(dialog, width, measure).Build(max_height, with_ok);
}

SIZE DialogSizeLimit(SIZE screen) {
  return {std::min<LONG>(440, screen.cx - 20), screen.cy - 60};
}
