#include "NativeButton.h"

// The native button ("BUTTON"): the check state of the check box kinds, as
// BM_SETCHECK and BM_GETCHECK keep it. A two-state box takes a grey state as
// checked; a push button keeps none.

namespace {

class TNativeButton : public TNativeWindow {
 public:
  LRESULT Handle(HWND Wnd, TMessage& M) override {
    switch (M.Msg) {
      case BM_GETCHECK:
        return static_cast<LRESULT>(FCheck);
      case BM_SETCHECK: {
        const WPARAM Most = MostState(GetWindowStyle(Wnd));
        FCheck = M.WParam > Most ? Most : M.WParam;
        return 0;
      }
      default:
        return 0;
    }
  }

 private:
  static WPARAM MostState(DWORD Style) {
    switch (Style & BS_TYPEMASK) {
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON:
        return BST_CHECKED;
      case BS_3STATE:
      case BS_AUTO3STATE:
        return BST_INDETERMINATE;
      default:
        return BST_UNCHECKED;
    }
  }

  WPARAM FCheck = BST_UNCHECKED;
};

struct TButtonRegistrar {
  TButtonRegistrar() {
    RegisterNativeClass("BUTTON", [] { return std::unique_ptr<TNativeWindow>(new TNativeButton); });
  }
} ButtonRegistrar;

}  // namespace
