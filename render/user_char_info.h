// The character information file (".inf") of a user's own character: where
// its face cells lie in the image, where they are drawn, and which cells for
// how many ticks make up each of its five motions, per layout.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/file_system.h"

namespace quorel {

// Message numbers of the information file and the character image.
enum UserCharMessage {
  kMsgImageNotFound = 252,
  kMsgInfoNotFound = 253,
  kMsgInfoBadKey = 255,
  kMsgInfoKeyBeforeSection = 256,
  kMsgInfoUnpaired = 257,
  kMsgInfoTooManyNumbers = 260,
  kMsgInfoNoAnimation = 261,
  kMsgInfoBadSection = 266,
  kMsgInfoBadPosition = 267,
  kMsgInfoBadMotion = 268,
  // Refusals of hostile files (the program's own numbers).
  kMsgInfoLineTooLong = 64500,
  kMsgInfoNumberTooLarge = 64501,
  kMsgInfoCellOutside = 64502,
  kMsgInfoZeroWait = 64503,
  kMsgImageBadSize = 64504,
  kMsgInfoFileTooLarge = 64505,
};

// Limits that keep a user's file inside its buffers.
constexpr std::size_t kInfoLineBuffer = 4096;        // a line of 4095 bytes at most
constexpr std::size_t kInfoMaxFileBytes = 1 << 20;   // larger files are refused
constexpr int kInfoMaxNumber = 99999;                // larger numbers are refused
constexpr int kPositionMaxCount = 8;
constexpr int kMotionMaxCount = 66;
constexpr int kMotionTypes = 6;  // 0 none, 1 blink, 2 wink, 3 doze, 4 start up, 5 talk

// Reads at most max_count non-negative decimal numbers from a CP932 value:
// runs of ASCII digits are numbers, anything else separates, a double-byte
// character is skipped whole. `too_large` is set for a number over kInfoMaxNumber.
std::vector<int> ReadNumberList(const std::string& value, int max_count, bool* too_large = nullptr);

// The text of a numbered message with the line number put in.
std::string UserCharMessageText(int number, int line = 0);

class CUserCharInfo {
 public:
  struct Layout {
    int start_x = 0, start_y = 0;
    int cell_width = 0, cell_height = 0;
    int display_x = 0, display_y = 0;
    int cells_per_row = 0;
    int weight[kMotionTypes] = {};
    std::vector<int> cells[kMotionTypes];
    std::vector<int> waits[kMotionTypes];
    std::vector<int> lines[kMotionTypes];  // the file line of each pair, for messages
  };

  // Reads and checks the file; the message text, empty on success. On failure the record is cleared.
  std::string Parse(FileSystem& files, const std::string& path);
  // The same on the file's bytes.
  std::string ParseText(const std::string& bytes);
  void Clear();

  int StartX(int layout) const { return At(layout).start_x; }
  int StartY(int layout) const { return At(layout).start_y; }
  int CellWidth(int layout) const { return At(layout).cell_width; }
  int CellHeight(int layout) const { return At(layout).cell_height; }
  int DisplayX(int layout) const { return At(layout).display_x; }
  int DisplayY(int layout) const { return At(layout).display_y; }
  int CellsPerRow(int layout) const { return At(layout).cells_per_row; }
  int Weight(int layout, int type) const;
  // -1 past the end of the list.
  int Cell(int layout, int type, int index) const;
  int Wait(int layout, int type, int index) const;
  int PairCount(int layout, int type) const;
  const Layout& At(int layout) const { return layouts_[layout == 1 ? 1 : 0]; }

 private:
  std::string Fail(int number, int line);
  Layout layouts_[2];
};

}  // namespace quorel
