#pragma once

// Delphi's Forms unit: forms, modal forms and the Application, which runs
// the platform's message loop and paints what needs it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Controls.h"
#include "MessageLoop.h"

class TMainMenu;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  TCustomForm* AsCustomForm() override { return this; }

  void Show();
  void Hide();
  void Close();
  // Shows the form and runs its modal loop, which dispatches the messages
  // that arrive until ModalResult is set (a button with a ModalResult, a
  // call of Close). When no input can come any more (the headless
  // platform's input source has nothing left to give), the form closes
  // with Cancel, as if the user had closed it.
  virtual TModalResult ShowModal();
  bool FormShown() const { return FShown; }
  bool Modal() const { return FModal; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  // Activation as the window manager gives it.
  bool Active() const { return FActive; }
  void SetActive(bool Value);

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value) { FBorderStyle = Value; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }

  // The form's menu bar; a form without a parent shows it on its window,
  // unless it is a dialog.
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  // A key taken as a shortcut of the form's main menu (TMenu::IsShortCut).
  bool IsShortCut(TMessage& Message);

  TWinControl* ActiveControl() const { return FActiveControl; }
  void FocusControl(TWinControl* Control);
  // Keeps the focus record clean when a control goes away or leaves the form.
  void ControlDestroyed(TControl* Control);
  void ControlRemoved(TControl* Control) { ControlDestroyed(Control); }

  TNotifyEvent OnCreate() const { return FOnCreate; }
  void SetOnCreate(TNotifyEvent Value) { FOnCreate = Value; }
  TNotifyEvent OnShow() const { return FOnShow; }
  void SetOnShow(TNotifyEvent Value) { FOnShow = Value; }
  TNotifyEvent OnActivate() const { return FOnActivate; }
  void SetOnActivate(TNotifyEvent Value) { FOnActivate = Value; }
  TNotifyEvent OnDeactivate() const { return FOnDeactivate; }
  void SetOnDeactivate(TNotifyEvent Value) { FOnDeactivate = Value; }
  TNotifyEvent OnDestroy() const { return FOnDestroy; }
  void SetOnDestroy(TNotifyEvent Value) { FOnDestroy = Value; }

  bool IsShown() const override { return Showing(); }
  // The commands of the main menu's items arrive here, and the close box's
  // request.
  void WndProc(TMessage& Message) override;

 protected:
  // A form built in code calls DoCreate when its controls exist, as the VCL
  // does after loading the form resource; the most derived destructor calls
  // BeforeDestruction first, so that OnDestroy sees the whole form.
  void DoCreate();
  void BeforeDestruction();
  virtual void DoShow();
  virtual void DoHide();
  virtual void Activate();
  virtual void Deactivate();
  void ShowingChanged() override;
  // A form without a parent has a window of its own, framed by its border
  // style and titled with its caption.
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  // Puts the main menu's bar on the form's window, or takes it off.
  void AttachMenu();

  bool FShown = false;
  bool FModal = false;
  bool FActive = false;
  bool FDestroyNotified = false;
  TModalResult FModalResult = mrNone;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TPosition FPosition = poDesigned;
  TWinControl* FActiveControl = nullptr;
  TMainMenu* FMenu = nullptr;
  TNotifyEvent FOnCreate, FOnShow, FOnActivate, FOnDeactivate, FOnDestroy;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
  ~TForm() override;
};

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Form) { FMainForm = Form; }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const { return FForms.at(static_cast<std::size_t>(Index)); }
  int FormIndex(const TCustomForm* Form) const;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  TCustomForm* ActiveForm() const;

  // The platform's clock, in milliseconds since the Application started.
  std::int64_t Now() const;
  // Runs the message loop for the given time; every timer that falls due
  // fires in due order (equal times in the order the timers were created),
  // and the controls paint after each.
  void AdvanceTime(std::int64_t Milliseconds);
  // Dispatches every message that waits in the queue, then has the shown
  // controls that were invalidated paint. Timers fire as the loop waits
  // (AdvanceTime, a modal loop), not here: a WM_TIMER that falls due on the
  // real platform's clock waits, so that time passes for the add-in only
  // where a test or a script lets it, on either platform.
  void ProcessMessages();
  // ProcessMessages without the painting: what a driver of the user's input
  // runs between a button's press and its release, where painting would
  // only be done again once the user has finished.
  void DispatchQueuedMessages();
  // Dispatches the next message; when none waits, paints and waits for
  // input. False when no input will ever come.
  bool HandleMessage();

  // Answers a colour dialog (comdlg32's, which is no form of the VCL's):
  // returns true for OK with the colour in Color.
  using TColorDriver = std::function<bool(Integer& Color)>;
  void SetColorDriver(TColorDriver Driver) { FColorDriver = std::move(Driver); }
  const TColorDriver& ColorDriver() const { return FColorDriver; }

  int ModalLevel() const { return FModalLevel; }
  void EnterModal() { ++FModalLevel; }
  void LeaveModal() { --FModalLevel; }

 private:
  // Dispatches the first queued message within First to Last (both 0: any),
  // through the loop's key handling; false when none waits.
  bool ProcessMessage(UINT First = 0, UINT Last = 0);
  // Hands a key message to its control as CN_KEYDOWN, CN_CHAR or CN_KEYUP
  // first; true when the control took it there.
  bool IsKeyMsg(const MSG& Msg);
  void FilterKeyMsg(const MSG& Msg, bool& Handled);

  TCustomForm* FMainForm = nullptr;
  std::vector<TCustomForm*> FForms;
  std::uint64_t FStarted = 0;
  TColorDriver FColorDriver;
  int FModalLevel = 0;
};

// The one Application of the process while it exists; nullptr otherwise.
extern TApplication* Application;
