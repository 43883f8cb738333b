#include "SpinFixture.h"

class Edit : public EditTest {};

TEST_F(Edit, TypingEditsAtTheCaretAndReportsEveryChange) {
  Form->FocusControl(Box);
  Type(Box, "abd");
  PressKey(Box->Handle(), VK_LEFT);
  Type(Box, "c");
  EXPECT_EQ(Box->Text(), "abcd");
  EXPECT_EQ(Box->SelStart(), 3);
  Type(Box, "\b");
  PressKey(Box->Handle(), VK_HOME);
  PressKey(Box->Handle(), VK_DELETE);
  EXPECT_EQ(Box->Text(), "bd");
  EXPECT_EQ(Log.Changes, (std::vector<std::string>{"a", "ab", "abd", "abcd", "abd", "bd"}));
  // A single-line edit ignores Enter; other control characters insert nothing.
  Type(Box, "\r\x01");
  EXPECT_EQ(Box->Text(), "bd");
  EXPECT_EQ(Log.Changes.size(), 6u);
}

TEST_F(Edit, TextFromCodeRaisesOneChangeWithOrWithoutWindow) {
  TEdit* Loose = new TEdit(Form);
  Loose->SetOnChange(TNotifyEvent::Of<&TEventLog::Changed>(&Log));
  Loose->SetText("x");
  EXPECT_FALSE(Loose->HandleAllocated());
  Box->SetText("y");
  Box->SetText("y");
  EXPECT_EQ(Log.Changes, (std::vector<std::string>{"x", "y"}));
  // The window is made when the edit comes on the screen; it takes the text.
  Loose->SetParent(Form);
  EXPECT_TRUE(Loose->HandleAllocated());
  EXPECT_EQ(Loose->Text(), "x");
  EXPECT_EQ(Log.Changes.size(), 2u);
}

TEST_F(Edit, SelectionMaxLengthAndClipboard) {
  Box->SetText("hello");
  Box->SetMaxLength(7);
  Box->SelectAll();
  Box->CopyToClipboard();
  EXPECT_EQ(SystemClipboard().Text(), "hello");
  Box->SetSelStart(5);
  Box->PasteFromClipboard();
  EXPECT_EQ(Box->Text(), "hellohe");
  Type(Box, "x");
  EXPECT_EQ(Box->Text(), "hellohe");
  Box->SetSelStart(1);
  Box->SetSelLength(3);
  EXPECT_EQ(Box->SelText(), "ell");
  Box->CutToClipboard();
  EXPECT_EQ(Box->Text(), "hohe");
  EXPECT_EQ(SystemClipboard().Text(), "ell");
  // A single-line edit pastes the first line of the clipboard only.
  SystemClipboard().SetText("ab\r\ncd");
  Box->SelectAll();
  Type(Box, "\x16");
  EXPECT_EQ(Box->Text(), "ab");
}
