#include "SpinFixture.h"

// The plain edit of the host, as the spin edit builds on it.
class EditTest : public SpinTest {
 protected:
  void SetUp() override {
    SpinTest::SetUp();
    Edit = new TEdit(Form);
    Edit->SetParent(Form);
    Edit->SetOnChange(TNotifyEvent::Of<&TEventLog::Changed>(&Log));
  }
  TEdit* Edit = nullptr;
};

TEST_F(EditTest, TypingEditsAtTheCaretAndReportsEveryChange) {
  Form->FocusControl(Edit);
  Type(Edit, "abd");
  Edit->SimulateKey(VK_LEFT);
  Type(Edit, "c");
  EXPECT_EQ(Edit->Text(), "abcd");
  EXPECT_EQ(Edit->SelStart(), 3);
  Type(Edit, "\b");
  Edit->SimulateKey(VK_HOME);
  Edit->SimulateKey(VK_DELETE);
  EXPECT_EQ(Edit->Text(), "bd");
  EXPECT_EQ(Log.Changes, (std::vector<std::string>{"a", "ab", "abd", "abcd", "abd", "bd"}));
  // A single-line edit ignores Enter; other control characters insert nothing.
  Type(Edit, "\r\x01");
  EXPECT_EQ(Edit->Text(), "bd");
  EXPECT_EQ(Log.Changes.size(), 6u);
}

TEST_F(EditTest, TextFromCodeRaisesOneChangeWithOrWithoutWindow) {
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

TEST_F(EditTest, SelectionMaxLengthAndClipboard) {
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

TEST_F(EditTest, WindowLooksFollowCtl3DAndNewStyleControls) {
  EXPECT_TRUE(NewStyleControls());
  EXPECT_EQ(Edit->Height(), 21);
  EXPECT_EQ(Edit->ClientHeight(), 17);
  EXPECT_EQ(GetWindowStyle(Edit->Handle()) & WS_BORDER, 0u);
  Edit->SetText("kept");
  // The form's look passes to its children that take their parent's.
  Form->SetCtl3D(false);
  EXPECT_FALSE(Edit->Ctl3D());
  EXPECT_EQ(Edit->Height(), 19);
  EXPECT_EQ(Edit->ClientHeight(), 17);
  EXPECT_NE(GetWindowStyle(Edit->Handle()) & WS_BORDER, 0u);
  EXPECT_EQ(Edit->Text(), "kept");
}

TEST(EditOldStyle, BeforeWindows95TheHeightComesFromTheFonts) {
  TApplication App;
  SetWindowsVersion(3, 51);
  EXPECT_FALSE(NewStyleControls());
  auto* Form = new TForm(nullptr);
  Form->Show();
  auto* Edit = new TEdit(Form);
  Edit->SetParent(Form);
  // 13 + min(16, 13) div 4 + 4 border widths.
  EXPECT_EQ(Edit->Height(), 20);
  EXPECT_NE(GetWindowStyle(Edit->Handle()) & WS_BORDER, 0u);
}

TEST(EditHeight, FollowsTheFontBeforeTheWindowExists) {
  TApplication App;
  auto* Form = new TForm(nullptr);
  auto* Edit = new TEdit(Form);
  Edit->SetParent(Form);
  // The parent's 8-point font: 13 + 4 * 2 borders, as the window will have.
  EXPECT_FALSE(Edit->HandleAllocated());
  EXPECT_EQ(Edit->Height(), 21);
  Edit->Font()->SetSize(12);
  EXPECT_GT(Edit->Height(), 21);
  EXPECT_FALSE(Edit->HandleAllocated());
  auto* Fixed = new TEdit(Form);
  Fixed->SetAutoSize(false);
  Fixed->SetParent(Form);
  EXPECT_EQ(Fixed->Height(), 25);
  Form->Show();
  EXPECT_EQ(Fixed->Height(), 25);
  delete Form;
}
