// The help page of a program whose settings live apart from it (an installed Linux program).
#include "dialog/dialog_fixture.h"

namespace velto::test {
namespace {

TEST_F(DialogTest, Help_PlatformKeepsThePageElsewhere_OpensItThereNotInTheSettingsFolder) {
  TempFolder share;
  platform.help_folder = share.path();
  Start();
  OpenDialog();
  EXPECT_EQ(dialog.HelpPath(), share / "Help.html");
  dialog.OnCommand(DialogCommand::Help);
  ASSERT_EQ(platform.shell_calls.size(), 1u);
  EXPECT_EQ(std::filesystem::path(platform.shell_calls[0].address), share / "Help.html");
  // The settings stay where the platform keeps them.
  EXPECT_TRUE(std::filesystem::exists(folder / "velto.ini"));
  EXPECT_FALSE(std::filesystem::exists(share / "velto.ini"));
}

}  // namespace
}  // namespace velto::test
