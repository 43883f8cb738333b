#include "SpinFixture.h"

#include <algorithm>

#include "TextMetrics.h"

// The edit's height, in relations that hold with every
// platform's fonts; the figures in pixels are the headless platform's own.

TEST(EditLayout, HeightFollowsTheFontBeforeAndAfterTheWindowExists) {
  TApplication App;
  auto* Form = new TForm(nullptr);
  auto* Edit = new TEdit(Form);
  Edit->SetParent(Form);
  EXPECT_FALSE(Edit->HandleAllocated());
  const int Small = Edit->Height();
  Edit->Font()->SetSize(12);
  const int Large = Edit->Height();
  EXPECT_GT(Large, Small);
  EXPECT_FALSE(Edit->HandleAllocated());
  auto* Fixed = new TEdit(Form);
  Fixed->SetAutoSize(false);
  Fixed->SetParent(Form);
  const int Kept = Fixed->Height();
  Form->Show();
  ASSERT_TRUE(Edit->HandleAllocated());
  EXPECT_EQ(Edit->Height(), Large) << "the window has the height foreseen";
  EXPECT_EQ(Fixed->Height(), Kept);
  delete Form;
}

TEST(EditLayout, AFlatEditIsLowerWithTheSameClientHeight) {
  TApplication App;
  auto* Form = new TForm(nullptr);
  Form->Show();
  auto* Edit = new TEdit(Form);
  Edit->SetParent(Form);
  EXPECT_TRUE(NewStyleControls());
  const int Sunken = Edit->Height();
  const int Client = Edit->ClientHeight();
  EXPECT_LT(Client, Sunken);
  Edit->SetText("kept");
  // The form's look passes to its children that take their parent's.
  Form->SetCtl3D(false);
  EXPECT_FALSE(Edit->Ctl3D());
  EXPECT_LT(Edit->Height(), Sunken) << "a one-pixel border instead of the sunken edge";
  EXPECT_EQ(Edit->ClientHeight(), Client);
  EXPECT_EQ(Edit->Text(), "kept");
}

TEST(EditLayout, BeforeWindows95TheHeightComesFromTheFonts) {
  TApplication App;
  SetWindowsVersion(3, 51);
  EXPECT_FALSE(NewStyleControls());
  auto* Form = new TForm(nullptr);
  Form->Show();
  auto* Edit = new TEdit(Form);
  Edit->SetParent(Form);
  // The font's height, a quarter of the smaller of it and the system
  // font's, and four border widths.
  const TEXTMETRIC M = FontMetrics(Edit->Font()->Desc()), Sys = FontMetrics(SystemFont()->Desc);
  EXPECT_EQ(Edit->Height(), M.tmHeight + std::min(M.tmHeight, Sys.tmHeight) / 4 +
                                4 * GetSystemMetrics(SM_CYBORDER));
}
