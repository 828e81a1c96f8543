#include "app/startup_rules.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"

namespace quorel {
namespace {

TEST(StartupRules, RestartOptionIsASubstringTest) {
  EXPECT_TRUE(HasRestartOption("\"C:\\q\\quorel.exe\" -r"));
  EXPECT_TRUE(HasRestartOption("quorel.exe -rx"));
  EXPECT_FALSE(HasRestartOption("quorel.exe"));
  EXPECT_FALSE(HasRestartOption("quorel.exe -R"));
}

TEST(StartupRules, RecoveryReplacesTheTargetOnlyWithAReadableBackup) {
  MemoryFileSystem fs;
  fs.AddFile("C:\\u\\sche2024.dat", "broken");
  fs.AddFile("C:\\u\\sche2024.bak", "good");
  fs.AddFile("C:\\u\\sche2025.dat", "kept");  // its backup has gone
  fs.AddFile("C:\\v\\sche2026.dat", "locked");
  fs.AddFile("C:\\u\\sche2026.bak", "good 2026");
  fs.ProtectBelow("C:\\v\\");
  fs.AddFile("C:\\u\\a", "a");
  const std::vector<std::string> entries = {
      "C:\\u\\sche2024.dat,C:\\u\\sche2024.bak", "C:\\u\\sche2025.dat,C:\\u\\sche2025.bak",
      "C:\\v\\sche2026.dat,C:\\u\\sche2026.bak", "no comma", ",C:\\u\\a", "C:\\u\\a,",
  };
  EXPECT_EQ(RecoverFiles(fs, entries), 1);
  EXPECT_EQ(fs.Contents("C:\\u\\sche2024.dat"), "good");
  EXPECT_EQ(fs.Contents("C:\\u\\sche2025.dat"), "kept");
  EXPECT_EQ(fs.Contents("C:\\v\\sche2026.dat"), "locked");
  EXPECT_EQ(fs.Contents("C:\\u\\a"), "a");
  for (const std::string& line : fs.log) EXPECT_EQ(line.rfind("delete", 0), std::string::npos) << line;
}

TEST(StartupRules, RecoverySplitsAtTheFirstComma) {
  MemoryFileSystem fs;
  fs.AddFile("C:\\t", "old");
  fs.AddFile("C:\\s,1", "new");
  EXPECT_EQ(RecoverFiles(fs, {"C:\\t,C:\\s,1"}), 1);
  EXPECT_EQ(fs.Contents("C:\\t"), "new");
}

TEST(StartupRules, DailyRestartHappensOncePerConfiguredMinute) {
  QuorelSettings s;
  s.auto_restart = 1;
  s.restart_hour = 4;
  s.restart_minute = 45;
  std::string stamp;
  EXPECT_FALSE(DailyRestartDue(s, 2026, 12, 11, 4, 44, &stamp));
  ASSERT_TRUE(DailyRestartDue(s, 2026, 12, 11, 4, 45, &stamp));
  EXPECT_EQ(stamp, "2026/12/11 04:45");
  s.last_auto_restart = stamp;  // the successor, started within the same minute
  EXPECT_FALSE(DailyRestartDue(s, 2026, 12, 11, 4, 45, &stamp));
  EXPECT_TRUE(DailyRestartDue(s, 2026, 12, 12, 4, 45, &stamp));
  s.auto_restart = 0;
  EXPECT_FALSE(DailyRestartDue(s, 2026, 12, 13, 4, 45, &stamp));
}

TEST(StartupRules, RestartCommandLineQuotesTheProgram) {
  EXPECT_EQ(RestartCommandLine("C:\\Program Files\\q\\", "quorel"), "\"C:\\Program Files\\q\\quorel.exe\" -r");
}

TEST(StartupRules, MemoryIsMeasuredOnceAnHourAndReleasedAtTheLimit) {
  QuorelSettings s;
  s.release_memory = 1;
  s.release_memory_mb = 10;
  MemoryReleaseCheck check;
  EXPECT_TRUE(check.Due(s, 9));
  EXPECT_FALSE(check.Due(s, 9));
  EXPECT_FALSE(check.Due(s, 9));
  EXPECT_TRUE(check.Due(s, 10));
  check.Reset();
  EXPECT_TRUE(check.Due(s, 10));
  EXPECT_FALSE(MemoryReleaseCheck::ShouldRelease(s, 10 * 1048576ull - 1));
  EXPECT_TRUE(MemoryReleaseCheck::ShouldRelease(s, 10 * 1048576ull));
  EXPECT_FALSE(MemoryReleaseCheck::ShouldRelease(s, 0));
  s.release_memory = 0;
  EXPECT_FALSE(check.Due(s, 11));
}

TEST(StartupRules, GreetingPlaysOnceAndNotAfterARestart) {
  GreetingState fresh;
  EXPECT_TRUE(ConsiderGreeting(fresh, 1));
  EXPECT_FALSE(ConsiderGreeting(fresh, 1));  // the clock window created again
  GreetingState restarted{false, true};
  EXPECT_FALSE(ConsiderGreeting(restarted, 2));
  EXPECT_FALSE(restarted.restarted);
  EXPECT_TRUE(restarted.done);
  GreetingState silent;
  EXPECT_FALSE(ConsiderGreeting(silent, 0));
  EXPECT_TRUE(silent.done);
}

}  // namespace
}  // namespace quorel
