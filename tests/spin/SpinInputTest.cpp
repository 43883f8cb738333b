#include "SpinFixture.h"

#include "NativeEdit.h"

class SpinInput : public SpinTest {};

TEST_F(SpinInput, RefusedCharactersBeepAndChangeNothing) {
  SystemClipboard().SetText("77");
  Retype("12");
  Press(VK_HOME);
  Type("-");
  ASSERT_EQ(Spin->Text(), "-12");
  Log.Keys.clear();
  Log.Changes.clear();
  // A second minus, letters, signs, separators, a blank, and the clipboard
  // shortcuts typed as characters (Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+Z).
  const std::string Refused = std::string("-a+.,  Z") + "\x03\x16\x18\x1A";
  int Beeps = MessageBeepCount();
  for (char C : Refused) {
    Type(std::string(1, C));
    EXPECT_EQ(MessageBeepCount(), ++Beeps) << int(C);
    EXPECT_EQ(Spin->Text(), "-12") << int(C);
  }
  EXPECT_TRUE(Log.Keys.empty());
  EXPECT_TRUE(Log.Changes.empty());
  EXPECT_EQ(SystemClipboard().Text(), "77");
}

TEST_F(SpinInput, EnterReachesOnKeyPressAndNeverTheText) {
  Retype("42");
  Log.Keys.clear();
  Type("\r");
  EXPECT_EQ(Log.Keys, "\r");
  EXPECT_EQ(Spin->Text(), "42");
  EXPECT_EQ(MessageBeepCount(), 0);
  // The window is multi-line and would take the line break itself.
  EXPECT_NE(GetWindowStyle(Spin->Handle()) & ES_MULTILINE, 0u);
}

TEST_F(SpinInput, ReadOnlyBeepsOnStepsAndIgnoresPasteAndCut) {
  Retype("42");
  Spin->SetReadOnly(true);
  SystemClipboard().SetText("7");
  Spin->SelectAll();
  Press(VK_UP);
  Press(VK_DOWN);
  ClickUp();
  ClickDown();
  EXPECT_EQ(MessageBeepCount(), 4);
  Spin->PasteFromClipboard();
  Spin->CutToClipboard();
  EXPECT_EQ(Spin->Text(), "42");
  EXPECT_EQ(SystemClipboard().Text(), "7");

  Spin->SetReadOnly(false);
  Spin->SelectAll();
  Spin->CutToClipboard();
  EXPECT_EQ(Spin->Text(), "");
  EXPECT_EQ(SystemClipboard().Text(), "42");
  Spin->PasteFromClipboard();
  EXPECT_EQ(Spin->Text(), "42");
}

TEST_F(SpinInput, KeyboardFocusSelectsAllAndAClickDoesNot) {
  Retype("123");
  Leave();
  EXPECT_EQ(Log.Enters, 1);
  // A click focuses with the button down: the caret goes where the click
  // was, right of the text, then (focused already) at its left edge.
  const auto ClickAt = [this](int X) {
    SendMessage(Spin->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, 4));
    SendMessage(Spin->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(X, 4));
  };
  TRect Area;
  SendMessage(Spin->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&Area));
  ClickAt(Area.Right - 2);
  EXPECT_EQ(Log.Enters, 2);
  EXPECT_EQ(Spin->SelLength(), 0);
  Type("4");
  EXPECT_EQ(Spin->Text(), "1234");
  ClickAt(0);
  Type("9");
  EXPECT_EQ(Spin->Text(), "91234");
  Leave();
  Enter();
  EXPECT_EQ(Spin->SelLength(), 5);
  Type("5");
  EXPECT_EQ(Spin->Text(), "5");
}

TEST_F(SpinInput, ArrowButtonTakesTheFocusForTheEdit) {
  Form->FocusControl(Other);
  ClickUp();
  EXPECT_TRUE(Spin->Focused());
  EXPECT_EQ(Log.Enters, 1);
  EXPECT_EQ(Spin->Text(), "1");
}

TEST_F(SpinInput, NewWindowKeepsTextAndTakesTheStyles) {
  Retype("31");
  HWND Old = Spin->Handle();
  EXPECT_EQ(GetWindowStyle(Old) & (ES_CENTER | ES_RIGHT), ES_LEFT);
  EXPECT_NE(GetWindowStyle(Old) & WS_CLIPCHILDREN, 0u);
  Log.Changes.clear();
  Spin->SetAlignment(taRightJustify);
  EXPECT_EQ(GetWindowStyle(Spin->Handle()) & (ES_CENTER | ES_RIGHT), ES_RIGHT);
  EXPECT_EQ(Spin->Text(), "31");
  Spin->SetAlignment(taCenter);
  EXPECT_EQ(GetWindowStyle(Spin->Handle()) & (ES_CENTER | ES_RIGHT), ES_CENTER);
  EXPECT_EQ(Spin->Text(), "31");
  EXPECT_TRUE(Log.Changes.empty());
  EXPECT_FALSE(Spin->ControlStyle().Contains(csSetCaption));
}

TEST_F(SpinInput, PublishedPropertiesInStreamingOrderWithDefaultsAndAccess) {
  const TTypeInfo* Info = Spin->ClassInfo();
  ASSERT_NE(Info, nullptr);
  const std::vector<TPropInfo>& List = Info->Props;
  std::vector<std::string> Names;
  for (const auto& P : List)
    Names.push_back(P.Name);
  const std::vector<std::string> Expected = {
      "PlasOnly",    "Alignment",  "Anchors",        "AutoSelect",  "AutoSize",    "Color",
      "Constraints", "Ctl3D",      "DragCursor",     "DragMode",    "Enabled",     "Font",
      "Increment",   "MaxLength",  "MaxValue",       "MinValue",    "ShowButton",  "ParentColor",
      "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",   "ReadOnly",    "ShowHint",
      "TabOrder",    "TabStop",    "Value",          "Visible",     "OnChange",    "OnClick",
      "OnDblClick",  "OnDragDrop", "OnDragOver",     "OnEndDrag",   "OnEnter",     "OnExit",
      "OnKeyDown",   "OnKeyPress", "OnKeyUp",        "OnMouseDown", "OnMouseMove", "OnMouseUp",
      "OnStartDrag"};
  EXPECT_EQ(Names, Expected);
  auto Default = [&List](const std::string& Name) {
    for (const auto& P : List)
      if (Name == P.Name)
        return P.Default;
    return std::optional<Integer>();
  };
  // clWindow is system colour 5 with the build's marker byte.
  EXPECT_EQ(Default("Color"), ColorFromBits(HostVersion >= 7 ? 0xFF000005u : 0x80000005u));
  EXPECT_EQ(Default("Increment"), 1);
  EXPECT_EQ(Default("ShowButton"), 1);
  EXPECT_EQ(Default("PlasOnly"), 0);
  EXPECT_EQ(Default("Value"), std::nullopt);
  EXPECT_EQ(Default("MaxValue"), std::nullopt);

  // An object inspector reads and writes Value by name, through the same
  // checks as the property itself; names ignore letter case.
  Spin->SetPlasOnly(true);
  SetInt64Prop(Spin, "value", 7);
  EXPECT_EQ(Spin->Text(), "7");
  SetInt64Prop(Spin, "Value", -5);
  EXPECT_EQ(Spin->Text(), "0");
  SetInt64Prop(Spin, "Value", 5000000000);
  EXPECT_EQ(GetInt64Prop(Spin, "Value"), 5000000000);
  EXPECT_EQ(GetOrdProp(Spin, "PlasOnly"), 1);
  SetOrdProp(Spin, "Alignment", taRightJustify);
  EXPECT_EQ(Spin->Alignment(), taRightJustify);
  EXPECT_EQ(GetPropInfo(Spin, "Value")->PropType->Kind, tkInt64);
  EXPECT_FALSE(IsPublishedProp(Spin, "Text"));
  EXPECT_THROW(GetInt64Prop(Spin, "Text"), EPropertyError);
  // Re-published inherited properties carry no access in the substitute.
  EXPECT_THROW(GetOrdProp(Spin, "Color"), EPropertyError);
}
