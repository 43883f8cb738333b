#include "Forms.h"

#include <algorithm>

#include "Menus.h"
#include "MessageLoop.h"
#include "ScopeExit.h"

TApplication* Application = nullptr;

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  SetVisible(false);
  SetParentFont(false);
  if (Application != nullptr)
    Application->AddForm(this);
}

TCustomForm::~TCustomForm() {
  Destroying();
  BeforeDestruction();
  if (Application != nullptr)
    Application->RemoveForm(this);
}

void TCustomForm::DoCreate() {
  if (FOnCreate.Assigned())
    FOnCreate(this);
}

void TCustomForm::BeforeDestruction() {
  if (FDestroyNotified)
    return;
  FDestroyNotified = true;
  if (FOnDestroy.Assigned())
    FOnDestroy(this);
}

void TCustomForm::Show() {
  FShown = true;
  SetVisible(true);
  UpdateShowing();
}

void TCustomForm::Hide() {
  FShown = false;
  SetVisible(false);
  UpdateShowing();
}

void TCustomForm::Close() {
  if (FModal) {
    if (FModalResult == mrNone)
      FModalResult = mrCancel;
    return;
  }
  Hide();
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (Parent() != nullptr)
    return;
  // Shown by ShowWindow when the form is, not at creation.
  Params.Style &= ~(WS_CHILD | WS_VISIBLE);
  switch (FBorderStyle) {
    case bsNone:
      Params.Style |= WS_POPUP;
      break;
    case bsSingle:
    case bsToolWindow:
      Params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
      break;
    case bsSizeable:
    case bsSizeToolWin:
      Params.Style |= WS_OVERLAPPEDWINDOW;
      break;
    case bsDialog:
      Params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
      break;
  }
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (FMenu != nullptr)
    AttachMenu();
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (Value == FMenu)
    return;
  if (FMenu != nullptr) {
    FMenu->SetWindowHandle(nullptr);
    RemoveFreeNotification(FMenu);
  }
  FMenu = Value;
  if (Value != nullptr)
    FreeNotification(Value);
  if (HandleAllocated())
    AttachMenu();
}

void TCustomForm::AttachMenu() {
  // Windows gives menu bars to windows of their own only, and the VCL none
  // to a dialog.
  HMENU Bar = FMenu != nullptr && Parent() == nullptr && FBorderStyle != bsDialog ? FMenu->Handle()
                                                                                  : nullptr;
  SetWindowMenu(Bar);
  if (FMenu != nullptr)
    FMenu->SetWindowHandle(Bar != nullptr ? FHandle : nullptr);
}

bool TCustomForm::IsShortCut(TMessage& Message) {
  return FMenu != nullptr && FMenu->WindowHandle() != nullptr && FMenu->IsShortCut(Message);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  // A menu that goes while it is the window's bar takes itself off first
  // (TMenu's destructor); any other is only forgotten.
  if (Operation == opRemove && AComponent == FMenu) {
    FMenu = nullptr;
    SetWindowMenu(nullptr);
  }
}

void TCustomForm::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      // The close box, or whoever asks the window to close, closes the form.
      Close();
      return;
    case WM_COMMAND:
      // A menu's command comes without a control's window.
      if (Message.LParam == 0 && FMenu != nullptr &&
          FMenu->DispatchCommand(static_cast<Word>(LOWORD(Message.WParam)))) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_DESTROY:
      // As the VCL does, the bar comes off the going window, which would
      // otherwise destroy it with itself.
      if (FMenu != nullptr) {
        ::SetMenu(FHandle, nullptr);
        FMenu->SetWindowHandle(nullptr);
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(Message);
}

void TCustomForm::ShowingChanged() {
  if (Showing())
    DoShow();
  else
    DoHide();
}

void TCustomForm::DoShow() {
  if (FOnShow.Assigned())
    FOnShow(this);
}

// The VCL raises OnHide here; nothing this host runs sets it.
void TCustomForm::DoHide() {}

TModalResult TCustomForm::ShowModal() {
  if (FShown)
    throw EInvalidOperation("Cannot make a visible window modal");
  // The form that was active loses the activation to the modal form and gets
  // it back when the modal loop ends, as the window manager does.
  TCustomForm* const Previous = Application != nullptr ? Application->ActiveForm() : nullptr;
  ScopeExit GiveBack([Previous] {
    if (Previous != nullptr && Application != nullptr && Application->FormIndex(Previous) >= 0)
      Previous->SetActive(true);
  });
  if (Previous != nullptr)
    Previous->SetActive(false);
  FModal = true;
  FModalResult = mrNone;
  ScopeExit Leave([this] {
    FModal = false;
    if (Application != nullptr)
      Application->LeaveModal();
    Hide();
  });
  if (Application != nullptr)
    Application->EnterModal();
  Show();
  SetActive(true);
  while (FModalResult == mrNone) {
    if (Application == nullptr || !Application->HandleMessage())
      FModalResult = mrCancel;
  }
  SetActive(false);
  return FModalResult;
}

void TCustomForm::SetActive(bool Value) {
  if (Value == FActive)
    return;
  FActive = Value;
  // The caption shows the change.
  if (HandleAllocated())
    SendMessage(Handle(), WM_NCACTIVATE, Value ? 1 : 0, 0);
  if (Value)
    Activate();
  else
    Deactivate();
}

void TCustomForm::Activate() {
  if (FOnActivate.Assigned())
    FOnActivate(this);
}

void TCustomForm::Deactivate() {
  if (FOnDeactivate.Assigned())
    FOnDeactivate(this);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  if (Control == FActiveControl)
    return;
  if (Control != nullptr && (!ContainsControl(Control) || !Control->CanFocus()))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  TWinControl* Old = FActiveControl;
  FActiveControl = Control;
  if (Old != nullptr) {
    SendMessage(Old->Handle(), WM_KILLFOCUS, 0, 0);
    Old->Perform(CM_EXIT, 0, 0);
  }
  // The exit handler may have moved the focus on; then that choice stands.
  if (Control != nullptr && FActiveControl == Control) {
    Control->Perform(CM_ENTER, 0, 0);
    SendMessage(Control->Handle(), WM_SETFOCUS, 0, 0);
  }
}

void TCustomForm::ControlDestroyed(TControl* Control) {
  if (FActiveControl != nullptr &&
      (FActiveControl == Control || (Control->AsWinControl() != nullptr &&
                                     Control->AsWinControl()->ContainsControl(FActiveControl))))
    FActiveControl = nullptr;
}

TApplication::TApplication() : TComponent(nullptr) {
  if (Application != nullptr)
    throw EInvalidOperation("An Application already exists");
  Application = this;
  ResetWindowsState();
  // Every loop, the platform's own as well as ours, lets the controls look
  // at a key before it is dispatched.
  SetMessageFilter(TMessageFilter::Of<&TApplication::FilterKeyMsg>(this));
  FStarted = GetTickCount64();
}

TApplication::~TApplication() {
  Destroying();
  DestroyComponents();
  // Forms that others own still go with the Application.
  while (!FForms.empty())
    delete FForms.back();
  Application = nullptr;
  ResetWindowsState();
}

void TApplication::AddForm(TCustomForm* Form) {
  FForms.push_back(Form);
  if (FMainForm == nullptr)
    FMainForm = Form;
}

void TApplication::RemoveForm(TCustomForm* Form) {
  FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
  if (FMainForm == Form)
    FMainForm = nullptr;
}

int TApplication::FormIndex(const TCustomForm* Form) const {
  auto It = std::find(FForms.begin(), FForms.end(), Form);
  return It == FForms.end() ? -1 : static_cast<int>(It - FForms.begin());
}

TCustomForm* TApplication::ActiveForm() const {
  for (TCustomForm* F : FForms)
    if (F->Active())
      return F;
  return nullptr;
}

bool TApplication::IsKeyMsg(const MSG& Msg) {
  UINT Reflected = 0;
  switch (Msg.message) {
    case WM_KEYDOWN:
      Reflected = CN_KEYDOWN;
      break;
    case WM_KEYUP:
      Reflected = CN_KEYUP;
      break;
    case WM_CHAR:
      Reflected = CN_CHAR;
      break;
    default:
      return false;
  }
  TWinControl* Control = FindControl(Msg.hwnd);
  return Control != nullptr && Control->Perform(Reflected, Msg.wParam, Msg.lParam) != 0;
}

void TApplication::FilterKeyMsg(const MSG& Msg, bool& Handled) {
  Handled = IsKeyMsg(Msg);
}

bool TApplication::ProcessMessage(UINT First, UINT Last) {
  MSG Msg;
  if (!PeekMessage(Msg, nullptr, First, Last, PM_REMOVE))
    return false;
  if (!FilterMessage(Msg)) {
    TranslateMessage(Msg);
    DispatchMessage(Msg);
  }
  return true;
}

void TApplication::DispatchQueuedMessages() {
  while (ProcessMessage(1, WM_TIMER - 1) || ProcessMessage(WM_TIMER + 1, 0xFFFFFFFFu)) {
  }
}

void TApplication::ProcessMessages() {
  // Paints come with the rest: Windows hands WM_PAINT out once nothing
  // else waits.
  DispatchQueuedMessages();
}

bool TApplication::HandleMessage() {
  if (ProcessMessage())
    return true;
  return WaitMessage() != 0;
}

std::int64_t TApplication::Now() const {
  return static_cast<std::int64_t>(GetTickCount64() - FStarted);
}

void TApplication::AdvanceTime(std::int64_t Milliseconds) {
  RunMessageLoop(Milliseconds, {});
  ProcessMessages();
}

// Defined here, so that the class's table of virtual functions is made
// once, in the host library, not again in every module that uses the class.
TForm::~TForm() = default;
