#pragma once

// Delphi's Forms unit: forms, modal forms and the Application, which runs
// the platform's message loop and paints what needs it.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Controls.h"

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

  void Show();
  void Hide();
  void Close();
  // Runs the form's modal loop: the Application's modal driver acts as the
  // user; with no driver, or when the driver leaves no result, the form
  // closes with Cancel.
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
  // The commands of the main menu's items arrive here.
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
  void TextChanged() override;
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
  // Runs the loop once: invalidated controls that are shown paint.
  void ProcessMessages();

  // Who acts as the user inside modal loops and input boxes.
  using TModalDriver = std::function<void(TCustomForm* Form)>;
  void SetModalDriver(TModalDriver Driver) { FModalDriver = std::move(Driver); }
  const TModalDriver& ModalDriver() const { return FModalDriver; }
  // Answers an input box: returns true for OK with the text in Value.
  using TInputDriver = std::function<bool(const std::string& Caption, const std::string& Prompt,
                                          std::string& Value)>;
  void SetInputDriver(TInputDriver Driver) { FInputDriver = std::move(Driver); }
  const TInputDriver& InputDriver() const { return FInputDriver; }
  // Answers a colour dialog: returns true for OK with the colour in Color.
  using TColorDriver = std::function<bool(Integer& Color)>;
  void SetColorDriver(TColorDriver Driver) { FColorDriver = std::move(Driver); }
  const TColorDriver& ColorDriver() const { return FColorDriver; }

  int ModalLevel() const { return FModalLevel; }
  void EnterModal() { ++FModalLevel; }
  void LeaveModal() { --FModalLevel; }

 private:
  void PaintTree(TControl* Control);

  TCustomForm* FMainForm = nullptr;
  std::vector<TCustomForm*> FForms;
  std::uint64_t FStarted = 0;
  TModalDriver FModalDriver;
  TInputDriver FInputDriver;
  TColorDriver FColorDriver;
  int FModalLevel = 0;
};

// The one Application of the process while it exists; nullptr otherwise.
extern TApplication* Application;
