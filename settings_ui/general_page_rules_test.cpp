#include "settings_ui/general_page_rules.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(SheetStartPage, ANewsUpdateOpensTheNewsPageAndClearsItsFlag) {
  QuorelSettings s;
  s.settings_page = 2;
  s.news_updated = 1;
  EXPECT_EQ(SheetStartPage(s), 7);
  EXPECT_EQ(s.news_updated, 0);
  EXPECT_EQ(s.settings_page, 7);
}

TEST(SheetStartPage, APageBeyondTheLastOpensPageZero) {
  const struct {
    int stored, shown;
  } cases[] = {{0, 0}, {13, 13}, {14, 0}, {99, 0}, {-1, 0}};
  for (const auto& c : cases) {
    QuorelSettings s;
    s.settings_page = c.stored;
    EXPECT_EQ(SheetStartPage(s), c.shown) << c.stored;
  }
}

TEST(GeneralPages, TypedNumbersAreKeptInTheirRanges) {
  EXPECT_EQ(ClampMemoryMegabytes(5), 10);
  EXPECT_EQ(ClampMemoryMegabytes(300), 256);
  EXPECT_EQ(ClampMemoryMegabytes(64), 64);
  EXPECT_EQ(ClampPopupSeconds(0), 1);
  EXPECT_EQ(ClampPopupSeconds(500), 180);
  EXPECT_EQ(ClampRestartHour(24), 23);
  EXPECT_EQ(ClampRestartMinute(-1), 0);
  EXPECT_EQ(ClampRtsDelay(1000), 999);
  EXPECT_EQ(ClampRtsDelay(-5), 0);
}

TEST(GeneralPages, APopupPositionOutsideOneToEightShowsItemZero) {
  EXPECT_EQ(PopupPositionItem(0), 0);
  EXPECT_EQ(PopupPositionItem(8), 8);
  EXPECT_EQ(PopupPositionItem(9), 0);
  EXPECT_EQ(PopupPositionItem(-3), 0);
}

TEST(EtcEnabling, SecondInstanceDisablesBothInstanceBoxes) {
  EtcPageState st;
  st.allow_second_checked = true;
  EXPECT_TRUE(EtcEnabling(st).separate_settings);
  st.allow_second_checked = false;
  EXPECT_FALSE(EtcEnabling(st).separate_settings);
  EXPECT_TRUE(EtcEnabling(st).allow_second);
  st.second_instance = true;
  st.allow_second_checked = true;
  EXPECT_FALSE(EtcEnabling(st).allow_second);
  EXPECT_FALSE(EtcEnabling(st).separate_settings);
}

TEST(EtcEnabling, GreetingChoicesFollowTheLoadedVoicePacks) {
  EtcPageState st;
  st.serious_voice_loaded = true;  // only voxgrave.dll
  st.greeting = 2;
  EtcPageEnabling e = EtcEnabling(st);
  EXPECT_FALSE(e.greeting_light);
  EXPECT_TRUE(e.greeting_serious);
  EXPECT_TRUE(e.greeting_group);
  EXPECT_TRUE(e.farewell_at_shutdown);
  st.greeting = 0;
  EXPECT_FALSE(EtcEnabling(st).farewell_at_shutdown);
  st.serious_voice_loaded = false;
  e = EtcEnabling(st);
  EXPECT_FALSE(e.greeting_group);
  EXPECT_FALSE(e.greeting_silent);
}

TEST(EtcEnabling, TheLogInStartWaitsForTheLogOnTaskUnderUac) {
  EtcPageState st;
  st.uac_gate = true;
  st.logon_task_exists = true;
  EXPECT_FALSE(EtcEnabling(st).login_start);
  st.uac_gate = false;
  EXPECT_TRUE(EtcEnabling(st).login_start);
}

TEST(ChooseUserDataFolder, TheCurrentFolderWithoutItsBackslashClearsAPendingChange) {
  const std::string current = "C:\\Data\\";
  FolderChoice c = ChooseUserDataFolder("C:\\Data", "D:\\Later\\", current);
  EXPECT_TRUE(c.changes);
  EXPECT_EQ(c.pending, "");
  EXPECT_TRUE(c.tell_restart);  // the text differs from the one shown

  c = ChooseUserDataFolder("C:\\Data", "C:\\Data", current);
  EXPECT_EQ(c.pending, "");
  EXPECT_FALSE(c.tell_restart);

  c = ChooseUserDataFolder("E:\\New", "C:\\Data\\", current);
  EXPECT_EQ(c.pending, "E:\\New\\");
  EXPECT_TRUE(c.tell_restart);

  c = ChooseUserDataFolder("", "C:\\Data\\", current);
  EXPECT_FALSE(c.changes);
  EXPECT_FALSE(c.tell_restart);
}

}  // namespace
}  // namespace quorel
