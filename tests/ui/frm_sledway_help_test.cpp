#include "ui/frm_sledway_help.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "mail_link_double.hpp"
#include "tool_window_fixture.hpp"
#include "ui/form/picture_numbers.hpp"

namespace sledway::test {
namespace {

using ::testing::ElementsAre;

class AboutWindowTest : public ToolWindowTest {};

TEST_F(AboutWindowTest, ShowsTheNotesAndTheVersionOnceCentredWithTheLogosGreenTransparent) {
  for (int opening = 0; opening < 2; ++opening) {
    frmSledwayHelp help(faces);
    auto& shown = static_cast<RecordingForm&>(help.Window());
    shown.workArea = {600, 300, 20000, 12001};
    help.Show(kHostWindow);
    EXPECT_EQ(shown.CurrentOwner(), kHostWindow);
    EXPECT_EQ(shown.Get("lblTitle").Text(), "Sledway 2.0.0");
    EXPECT_EQ(shown.Caption(), " Sledway contributors Sledway 2.0.0");
    EXPECT_EQ(shown.Get("lblEmail").Text(), "sledway@example.org");
    // Seven paragraphs, a Windows line break and an empty line between each two.
    const std::string notes = shown.Get("txtHelp").Text();
    std::size_t breaks = 0;
    for (std::size_t at = notes.find("\r\n\r\n"); at != std::string::npos;
         at = notes.find("\r\n\r\n", at + 1)) {
      ++breaks;
    }
    EXPECT_EQ(breaks, 6u);
    // (20000 - 6390) / 2 and (12001 - 6705) / 2, the halves truncated.
    EXPECT_EQ(shown.Rect().left, 600.0 + 6805.0);
    EXPECT_EQ(shown.Rect().top, 300.0 + 2648.0);
    EXPECT_EQ(shown.Get("picViz").Picture(), form::kPictureLogo);
    EXPECT_EQ(shown.Get("picViz").TransparentRgb(), 0x00FF00);
    EXPECT_FALSE(shown.Visible());  // closed once its modal turn was over
  }
}

TEST_F(AboutWindowTest, TheContactLineOpensAMailToTheContactOrSaysItCannot) {
  MailLinks& links = RecordedMailLinks();
  links = {};
  faces.whileHelpShown = [&](RecordingForm& shown) {
    links.programAnswers = false;
    shown.Get("lblEmail").UserClick();
    links.programAnswers = true;
    shown.Get("lblEmail").UserClick();
    EXPECT_TRUE(shown.Visible());
    shown.Get("cmdClose").UserClick();
    EXPECT_FALSE(shown.Visible());
  };
  frmSledwayHelp(faces).Show(0);
  EXPECT_THAT(links.opened, ElementsAre("sledway@example.org", "sledway@example.org"));
  EXPECT_THAT(messages, ElementsAre("Sledway: Unable to open email program"));
}

TEST_F(AboutWindowTest, TheToolWindowsHelpButtonShowsItModallyOwnedByTheToolWindow) {
  Open();
  WindowHandle owner = 0;
  faces.whileHelpShown = [&](RecordingForm& shown) { owner = shown.CurrentOwner(); };
  Click("cmdHelp");
  EXPECT_EQ(owner, form->NativeHandle());
  ASSERT_EQ(faces.made.size(), 2u);
}

}  // namespace
}  // namespace sledway::test
