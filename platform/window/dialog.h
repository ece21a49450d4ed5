// Modal dialogs and property sheets over control models. A dialog declares
// its controls in its constructor (as its resource would), exchanges its
// public fields with them in DoDataExchange, and handles the controls'
// notifications through a message map keyed by control id and code.
#pragma once

#include "platform/window/controls.h"
#include "platform/window/menu_model.h"
#include "platform/window/window_handle.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class Dialog;
class DeviceContext;

// One UpdateData pass: saving = controls to fields (and validation).
class DataExchange {
 public:
  DataExchange(Dialog& dialog, bool saving) : dialog_(dialog), saving_(saving) {}
  Dialog& GetDialog() { return dialog_; }
  bool Saving() const { return saving_; }
  bool Failed() const { return failed_; }
  // Validation failed on the control: UpdateData returns false.
  void Fail() { failed_ = true; }
  // The control of the last DDX call (for the DDV check that follows).
  int LastControl() const { return last_control_; }
  Control* Prepare(int id);  // records the id; null when the dialog lacks it

 private:
  Dialog& dialog_;
  bool saving_;
  bool failed_ = false;
  int last_control_ = 0;
};

void DDX_Text(DataExchange& dx, int id, std::u16string& value);
// Saving a text that is not a whole number shows "Enter a whole number." and fails.
void DDX_Text(DataExchange& dx, int id, int& value);
void DDX_Check(DataExchange& dx, int id, BOOL& value);
void DDX_Check(DataExchange& dx, int id, bool& value);
void DDX_CBIndex(DataExchange& dx, int id, int& index);
void DDX_CBString(DataExchange& dx, int id, std::u16string& value);
void DDX_LBIndex(DataExchange& dx, int id, int& index);
void DDX_Slider(DataExchange& dx, int id, int& position);
// Saving a value outside [low, high] shows "Enter a number from <low> to
// <high>." (caption: the dialog's), keeps the dialog open and fails.
void DDV_MinMaxInt(DataExchange& dx, int value, int low, int high);

class Dialog {
 public:
  Dialog(UINT template_id, std::u16string caption);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  UINT TemplateId() const { return template_id_; }
  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string caption) { caption_ = std::move(caption); }

  // Declares a control (in the order shown). Returns it for further setup;
  // the reference stays valid until the next AddControl.
  Control& AddControl(int id, ControlKind kind, std::u16string text = {});
  std::vector<Control>& Controls() { return controls_; }
  const std::vector<Control>& Controls() const { return controls_; }
  // Null when the dialog has no such control.
  Control* GetDlgItem(int id);
  const Control* GetDlgItem(int id) const;

  void SetDlgItemTextW(int id, const std::u16string& text);
  std::u16string GetDlgItemTextW(int id) const;
  void CheckDlgButton(int id, bool checked);
  bool IsDlgButtonChecked(int id) const;
  void EnableDlgItem(int id, bool enabled);

  // Runs the dialog through the current back end; IDOK, IDCANCEL or the
  // code given to EndDialog; -1 when no back end is installed.
  virtual int DoModal();
  void EndDialog(int result);
  bool Ended() const { return ended_; }
  int Result() const { return result_; }
  // The dialog's window while it runs (for hot keys and posted messages).
  HWND GetSafeHwnd() const { return hwnd_; }

  // Fields to controls (false) or controls to fields with validation (true).
  bool UpdateData(bool save_and_validate = true);

  // Overridables. OnInitDialog: UpdateData(false), TRUE. OnOK:
  // UpdateData(true) and, when that succeeds, EndDialog(IDOK). OnCancel:
  // EndDialog(IDCANCEL).
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(DataExchange&) {}
  // A band the dialog paints itself across the top of its client area, its
  // controls below it (0: none).
  virtual int BandHeight() const { return 0; }
  virtual void PaintBand(DeviceContext&, int /*width*/) const {}

  // Message map. A command handler runs for WM_COMMAND with that control id
  // and notification code (BN_CLICKED, CBN_SELCHANGE, LBN_DBLCLK, EN_CHANGE,
  // ...); IDOK/IDCANCEL clicks without a handler run OnOK/OnCancel. A notify
  // handler runs for WM_NOTIFY (list views: NM_CLICK, NM_DBLCLK,
  // LVN_ITEMCHANGED). A message handler runs for any other message
  // (WM_HOTKEY, WM_HSCROLL, WM_SETTINGCHANGE, WM_ACTIVATE, WM_TIMER, ...).
  void OnCommandMessage(int id, WORD code, std::function<void()> handler);
  void OnNotifyMessage(int id, int code, std::function<void()> handler);
  void OnWindowMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler);

  // Dispatches one message through the map (the dialog's window procedure).
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // For the back ends: create the window (`wake` as for CreateWindowHandle)
  // and send WM_INITDIALOG; destroy it (its hot keys go with it).
  void BeginModal(std::function<void()> wake = {});
  void FinishModal();

 private:
  UINT template_id_;
  std::u16string caption_;
  std::vector<Control> controls_;
  std::map<std::pair<int, WORD>, std::function<void()>> commands_;
  std::map<std::pair<int, int>, std::function<void()>> notifies_;
  std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> messages_;
  HWND hwnd_ = nullptr;
  bool ended_ = false;
  int result_ = IDCANCEL;
};

// A page of a property sheet: a dialog whose OK and Cancel belong to the
// sheet. It is initialised (OnInitDialog) the first time it becomes active.
class PropertyPage : public Dialog {
 public:
  using Dialog::Dialog;
  // Becoming the active page; TRUE to accept.
  virtual BOOL OnSetActive() { return TRUE; }
  // Leaving the active page (also before OK): UpdateData(true).
  virtual BOOL OnKillActive() { return UpdateData(true) ? TRUE : FALSE; }
  // The sheet ended with OK (every initialised page, in order).
  void OnOK() override {}
  void OnCancel() override {}
  bool Initialised() const { return initialised_; }
  void SetInitialised(bool on) { initialised_ = on; }

 private:
  bool initialised_ = false;
};

class PropertySheet {
 public:
  explicit PropertySheet(std::u16string caption) : caption_(std::move(caption)) {}
  virtual ~PropertySheet() = default;
  const std::u16string& Caption() const { return caption_; }
  void AddPage(PropertyPage* page) { pages_.push_back(page); }
  const std::vector<PropertyPage*>& Pages() const { return pages_; }
  int ActiveIndex() const { return active_; }

  // Runs the sheet through the current back end: IDOK or IDCANCEL.
  virtual int DoModal();

  // For the back ends and scripts. Activating: the old page's OnKillActive
  // must accept, then the new page is initialised on first use and gets
  // OnSetActive. Ok: the active page's OnKillActive, then OnOK of every
  // initialised page; false (sheet stays open) when validation fails. A page
  // that ends itself (EndDialog) ends the sheet with its result.
  bool SetActivePage(int index);
  bool Ok();
  void Cancel();
  void BeginModal(std::function<void()> wake = {});  // activates page 0
  void FinishModal();
  // Ends the sheet when a page ended itself; true when the sheet has ended.
  bool CheckPages();
  bool Ended() const { return ended_; }
  int Result() const { return result_; }

 private:
  std::u16string caption_;
  std::vector<PropertyPage*> pages_;
  int active_ = -1;
  bool ended_ = false;
  int result_ = IDCANCEL;
  std::function<void()> wake_;
};

// Acts as the user on a running dialog: changes a control's model as the
// user would and sends the notification the control would send. The
// headless scripts and the FLTK widgets both go through it.
class DialogDriver {
 public:
  explicit DialogDriver(Dialog& dialog) : dialog_(dialog) {}
  Dialog& GetDialog() { return dialog_; }
  const Control* Find(int id) const { return dialog_.GetDlgItem(id); }

  void Click(int id);                            // BN_CLICKED (check boxes toggle)
  void SetCheck(int id, bool on);                // clicks only when it changes
  void Type(int id, const std::u16string& text); // EN_CHANGE / CBN_EDITCHANGE
  void Select(int id, int index);                // CBN_SELCHANGE / LBN_SELCHANGE / LVN_ITEMCHANGED + NM_CLICK
  void SelectItems(int id, const std::vector<int>& indexes);  // multi-select list box
  void DoubleClick(int id, int index);           // selects, then LBN_DBLCLK / NM_DBLCLK
  void Slide(int id, int position);              // WM_HSCROLL TB_THUMBPOSITION
  void SelectText(int id, int start, int end);   // an edit's selection (no notification)
  // The splitter after a list let go at a new width of that list.
  void DragSplitter(int id, int width);
  // A long press or right click on a control: the edit menu when it is a
  // CContextMenuEdit, else null (a plain tap, nothing opens).
  const MenuItem* TapAndHold(int id);
  // An item of that menu: its message acts on the edit; EN_CHANGE follows
  // when the text changed.
  void ChooseEditCommand(int id, UINT command);
  // A hardware button: WM_HOTKEY to its owner when registered, otherwise
  // WM_KEYDOWN to the dialog. Posted messages are dispatched before return.
  void PressKey(UINT vk, UINT modifiers = 0);
  void Ok() { Click(IDOK); }
  void Cancel() { Click(IDCANCEL); }
  bool Ended() const { return dialog_.Ended(); }

 private:
  Dialog& dialog_;
};

class SheetDriver {
 public:
  explicit SheetDriver(PropertySheet& sheet) : sheet_(sheet) {}
  PropertySheet& Sheet() { return sheet_; }
  bool SelectPage(int index) { return sheet_.SetActivePage(index); }
  // The driver of the active page.
  DialogDriver Page() { return DialogDriver(*sheet_.Pages().at(sheet_.ActiveIndex())); }
  bool Ok() { return sheet_.Ok(); }
  void Cancel() { sheet_.Cancel(); }

 private:
  PropertySheet& sheet_;
};
