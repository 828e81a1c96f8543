#include "sound/random_sound_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "base/memory_file_system.h"
#include "base/string_table.h"
#include "sound/sound_strings.h"

namespace quorel {
namespace {

class FakeLister : public FolderLister {
 public:
  std::vector<FolderEntry> List(const std::string& pattern) override {
    patterns.push_back(pattern);
    return entries;
  }
  std::vector<FolderEntry> entries;
  std::vector<std::string> patterns;
};

TEST(RandomSoundFolder, ExtensionsComeFromTheFileDialogFilters) {
  EXPECT_EQ(ExtensionsFromFilter(LoadText(kStrSoundFilter)), "/wav/mid/");
  EXPECT_EQ(ExtensionsFromFilter(LoadText(kStrSoundFilterMp3)), "/wav/mid/mp3/");
}

struct FolderFixture : ::testing::Test {
  void SetUp() override {
    fs.AddDirectory("C:\\snd");
    for (const char* name : {"a.wav", "b.mid", "c.mp3", "FOO.WAV", "noext", ".wav", "d.", "x.txt"}) {
      fs.AddFile(std::string("C:\\snd\\") + name, "x");
      lister.entries.push_back({name, false});
    }
    fs.AddDirectory("C:\\snd\\sub.wav");
    lister.entries.push_back({"sub.wav", true});
    lister.entries.push_back({".", true});
    lister.entries.push_back({"..", true});
  }
  MemoryFileSystem fs;
  FakeLister lister;
  SeededRandom random{12345};
};

TEST_F(FolderFixture, ThreeFilesPlayOnceEachBeforeAnyRepeatsAndUpperCaseIsNeverDrawn) {
  CRandomSoundFolder folder(fs, lister, random);
  folder.SetFolder("C:\\snd");
  folder.SetExtensions("/wav/mid/mp3/");
  std::map<std::string, int> drawn;
  for (int round = 1; round <= 20; ++round) {
    std::set<std::string> this_round;
    for (int i = 0; i < 3; ++i) {
      const std::string p = folder.Pick();
      EXPECT_TRUE(this_round.insert(p).second) << "repeated within a round: " << p;
      ++drawn[p];
    }
  }
  const std::map<std::string, int> expected = {{"C:\\snd\\a.wav", 20}, {"C:\\snd\\b.mid", 20}, {"C:\\snd\\c.mp3", 20}};
  EXPECT_EQ(drawn, expected);
  EXPECT_EQ(lister.patterns.front(), "C:\\snd\\*.*");
}

TEST_F(FolderFixture, WithoutTheMp3LibraryOnlyWaveAndMidi) {
  CRandomSoundFolder folder(fs, lister, random);
  folder.SetFolder("C:\\snd\\");
  folder.SetExtensions(ExtensionsFromFilter(LoadText(kStrSoundFilter)));
  std::set<std::string> seen = {folder.Pick(), folder.Pick()};
  EXPECT_EQ(seen, (std::set<std::string>{"C:\\snd\\a.wav", "C:\\snd\\b.mid"}));
}

TEST_F(FolderFixture, FilesThatVanishedAreSkippedAndAnEmptyFolderYieldsNothing) {
  CRandomSoundFolder folder(fs, lister, random);
  folder.SetFolder("C:\\snd");
  folder.SetExtensions("/wav/mid/");
  folder.Refill();
  fs.Remove("C:\\snd\\a.wav");
  EXPECT_EQ(folder.Pick(), "C:\\snd\\b.mid");

  CRandomSoundFolder none(fs, lister, random);
  none.SetExtensions("/wav/");
  EXPECT_EQ(none.Pick(), "");
  EXPECT_EQ(lister.patterns.size(), 1u) << "no folder, nothing listed";
}

}  // namespace
}  // namespace quorel
