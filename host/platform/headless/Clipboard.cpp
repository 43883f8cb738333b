#include <string>

#include "ClipboardBackend.h"

// The headless platform's clipboard is a store of its own, shared by every
// window of the process and by nothing else.

namespace {

struct TStore {
  std::string Text;
  bool HasText = false;
};

TStore& Store() {
  static TStore S;
  return S;
}

}  // namespace

namespace backend {

bool ClipboardHasText() {
  return Store().HasText;
}

std::string ClipboardText() {
  return Store().Text;
}

void SetClipboardText(const std::string& Text) {
  Store() = {Text, true};
}

void ClearClipboard() {
  Store() = {};
}

void ResetClipboard() {
  ClearClipboard();
}

}  // namespace backend
