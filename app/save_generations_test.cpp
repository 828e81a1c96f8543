#include "app/save_generations.h"

#include <gtest/gtest.h>

#include "base/memory_file_system.h"

namespace quorel {
namespace {

// Each generation written through its writer is recognised as itself, and a
// file cut short, emptied or mixed is recognised as neither.
TEST(SaveGenerations, EachWriterGivesItsGenerationAndACutFileIsNeither) {
  for (const SavedFileInfo& file : SavedFiles()) {
    MemoryFileSystem fs;
    fs.AddDirectory("C:\\data\\userdata");
    const std::string path = std::string("C:\\data\\") + file.relative;
    std::string bytes[2];
    for (int generation : {0, 1, 0, 1}) {
      ASSERT_EQ(SaveGeneration(file.kind, fs, "C:\\data\\", generation), 0) << file.label;
      ASSERT_EQ(fs.Read(path, 1 << 20, bytes[generation]), 0) << file.label;
      EXPECT_EQ(GenerationOf(file.kind, bytes[generation]), generation) << file.label;
    }
    EXPECT_EQ(GenerationOf(file.kind, ""), -1) << file.label;
    EXPECT_EQ(GenerationOf(file.kind, bytes[1].substr(0, bytes[1].size() / 2)), -1) << file.label;
    EXPECT_EQ(GenerationOf(file.kind, bytes[1].substr(0, bytes[0].size())), -1) << file.label;
    EXPECT_EQ(GenerationOf(file.kind, bytes[0] + bytes[1].substr(bytes[0].size())), -1) << file.label;
  }
}

}  // namespace
}  // namespace quorel
