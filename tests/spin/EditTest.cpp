#include "SpinFixture.h"

class PlainEdit : public EditTest {};

TEST_F(PlainEdit, TypingEditsAtTheCaretAndReportsEveryChange) {
  Form->FocusControl(Edit);
  Type(Edit, "abd");
  PressKey(Edit->Handle(), VK_LEFT);
  Type(Edit, "c");
  EXPECT_EQ(Edit->Text(), "abcd");
  EXPECT_EQ(Edit->SelStart(), 3);
  Type(Edit, "\b");
  PressKey(Edit->Handle(), VK_HOME);
  PressKey(Edit->Handle(), VK_DELETE);
  EXPECT_EQ(Edit->Text(), "bd");
  EXPECT_EQ(Log.Changes, (std::vector<std::string>{"a", "ab", "abd", "abcd", "abd", "bd"}));
  // A single-line edit ignores Enter; other control characters insert nothing.
  Type(Edit, "\r\x01");
  EXPECT_EQ(Edit->Text(), "bd");
  EXPECT_EQ(Log.Changes.size(), 6u);
}

TEST_F(PlainEdit, TextFromCodeRaisesOneChangeWithOrWithoutWindow) {
  TEdit* Loose = new TEdit(Form);
  Loose->SetOnChange(TNotifyEvent::Of<&TEventLog::Changed>(&Log));
  Loose->SetText("x");
  EXPECT_FALSE(Loose->HandleAllocated());
  Edit->SetText("y");
  Edit->SetText("y");
  EXPECT_EQ(Log.Changes, (std::vector<std::string>{"x", "y"}));
  // The window is made when the edit comes on the screen; it takes the text.
  Loose->SetParent(Form);
  EXPECT_TRUE(Loose->HandleAllocated());
  EXPECT_EQ(Loose->Text(), "x");
  EXPECT_EQ(Log.Changes.size(), 2u);
}

TEST_F(PlainEdit, SelectionMaxLengthAndClipboard) {
  Edit->SetText("hello");
  Edit->SetMaxLength(7);
  Edit->SelectAll();
  Edit->CopyToClipboard();
  EXPECT_EQ(SystemClipboard().Text(), "hello");
  Edit->SetSelStart(5);
  Edit->PasteFromClipboard();
  EXPECT_EQ(Edit->Text(), "hellohe");
  Type(Edit, "x");
  EXPECT_EQ(Edit->Text(), "hellohe");
  Edit->SetSelStart(1);
  Edit->SetSelLength(3);
  EXPECT_EQ(Edit->SelText(), "ell");
  Edit->CutToClipboard();
  EXPECT_EQ(Edit->Text(), "hohe");
  EXPECT_EQ(SystemClipboard().Text(), "ell");
  // A single-line edit pastes the first line of the clipboard only.
  SystemClipboard().SetText("ab\r\ncd");
  Edit->SelectAll();
  Type(Edit, "\x16");
  EXPECT_EQ(Edit->Text(), "ab");
}
