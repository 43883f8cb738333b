#include "../SpinFixture.h"

// The edit's sizes, from the headless platform's text metrics in pixels.

TEST(EditMetrics, WindowLooksFollowCtl3DAndNewStyleControls) {
  TApplication App;
  auto* Form = new TForm(nullptr);
  Form->Show();
  auto* Edit = new TEdit(Form);
  Edit->SetParent(Form);
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

TEST(EditMetrics, BeforeWindows95TheHeightComesFromTheFonts) {
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

TEST(EditMetrics, HeightFollowsTheFontBeforeTheWindowExists) {
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
