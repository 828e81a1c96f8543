#include "render/character_tables.h"

#include <cstdlib>

namespace quorel {
namespace chara {

//                     still      face row: y, cell size, drawn at, cells   scarf in the sheet, drawn at
const LayoutGeometry kDigital[kCharacterCount] = {
    {},
    {1, 1, 111, 28, 23, 27, 6, 16, {748, 111, 26, 8}, 28, 25},    // fox
    {84, 1, 137, 26, 28, 29, 1, 16, {748, 120, 18, 11}, 33, 22},  // girl, semi-long
    {167, 1, 137, 26, 28, 29, 1, 16, {748, 132, 18, 11}, 33, 22}, // girl, ponytail
    {250, 1, 137, 26, 28, 29, 1, 16, {748, 144, 18, 11}, 33, 22}, // girl, long
    {333, 1, 137, 26, 28, 29, 1, 16, {748, 156, 18, 11}, 33, 22}, // girl, bob
    {416, 1, 168, 27, 25, 27, 4, 16, {748, 168, 26, 8}, 28, 26},  // tortoiseshell cat
    {499, 1, 196, 20, 18, 30, 2, 14, {748, 177, 18, 11}, 31, 17}, // ferret
    {582, 1, 217, 31, 27, 26, 4, 14, {748, 189, 21, 8}, 31, 25},  // corgi
    {665, 1, 247, 21, 25, 30, 5, 16, {748, 198, 21, 8}, 30, 25},  // beagle
    {748, 1, 275, 34, 16, 25, 2, 16, {748, 207, 38, 10}, 23, 13}, // parakeet
    {1, 55, 294, 27, 26, 28, 2, 14, {748, 218, 21, 8}, 31, 25},   // bear
    {84, 55, 321, 31, 29, 25, 2, 17, {748, 227, 24, 6}, 31, 27},  // grey cat
};

const LayoutGeometry kAnalog[kCharacterCount] = {
    {},
    {1, 1, 111, 28, 23, 10, 9, 16, {573, 111, 23, 8}, 14, 29},
    {45, 1, 137, 26, 28, 5, 0, 16, {573, 120, 18, 12}, 9, 21},
    {89, 1, 137, 26, 28, 5, 0, 16, {573, 133, 18, 12}, 9, 21},
    {133, 1, 137, 26, 28, 5, 0, 16, {573, 146, 18, 12}, 9, 21},
    {177, 1, 137, 26, 28, 5, 0, 16, {573, 159, 18, 12}, 9, 21},
    {221, 1, 168, 27, 25, 8, 7, 16, {573, 172, 21, 7}, 12, 30},
    {265, 1, 196, 20, 18, 9, 3, 14, {573, 180, 18, 11}, 10, 18},
    {309, 1, 217, 31, 27, 4, 4, 14, {573, 192, 20, 10}, 10, 27},
    {353, 1, 247, 21, 25, 6, 5, 16, {573, 203, 19, 11}, 8, 26},
    {397, 1, 275, 18, 16, 16, 11, 12, {573, 215, 20, 10}, 14, 22},
    {441, 1, 294, 23, 26, 11, 9, 14, {573, 226, 21, 8}, 14, 32},
    {485, 1, 321, 31, 28, 3, 3, 17, {573, 235, 24, 7}, 8, 28},
};

const int kListPosition[kCharacterCount] = {14, 0, 1, 2, 3, 4, 5, 9, 7, 8, 10, 11, 6};
const int kLabelString[kCharacterCount] = {180, 150, 151, 152, 153, 154, 155, 159, 157, 158, 160, 161, 156};

namespace {

// One row per motion set, types 1..5.
const char* const kScripts[9][5] = {
    // fox (shared script with the girls and the tortoiseshell cat)
    {"1:1 2:1 3:1 4:1 3:1 2:1 1:1", "1:1 5:1 6:1 7:10 6:1 5:1 1:1",
     "1:5 2:7 3:10 4:12 (8:15 9:15)x7 4:3 3:3 2:3 1:3", "4:1 3:1 2:1 1:1 10:5 11:5 12:5 13:10",
     "14:2 15:2 16:5 15:2 14:5"},
    {"1:1 2:1 3:1 4:1 3:1 2:1 1:1", "1:1 5:1 6:1 7:10 6:1 5:1 1:1",
     "1:5 2:7 3:10 4:12 (8:15 9:15)x7 4:3 3:3 2:3 1:3", "4:1 3:1 2:1 1:1 10:5 11:5 12:5 13:10",
     "14:2 15:2 16:5 15:2 14:5"},
    {"1:1 2:1 3:1 4:1 3:1 2:1 1:1", "1:1 5:1 6:1 7:10 6:1 5:1 1:1",
     "1:5 2:7 3:10 4:12 (8:15 9:15)x7 4:3 3:3 2:3 1:3", "4:1 3:1 2:1 1:1 10:5 11:5 12:5 13:10",
     "14:2 15:2 16:5 15:2 14:5"},
    // ferret
    {"1:1 2:1 3:3 2:1 1:1", "1:1 4:1 5:12 4:1 1:1", "1:5 2:7 3:10 (6:15 7:15)x7 3:3 2:3 1:3",
     "3:1 2:1 1:1 8:5 9:5 10:5 11:10", "12:2 13:2 14:5 13:2 12:5"},
    // corgi
    {"1:1 2:1 3:3 2:1 1:1", "1:1 4:1 5:12 4:1 1:1", "1:5 2:7 3:10 (6:15 7:15)x7 3:3 2:3 1:3",
     "3:1 2:1 1:1 8:5 9:5 10:5 11:10", "12:2 13:2 14:5 13:2 12:5"},
    // beagle
    {"1:1 2:1 3:1 4:3 3:1 2:1 1:1", "1:1 5:1 6:1 7:12 6:1 5:1 1:1",
     "1:5 2:7 3:7 4:10 (8:15 9:15)x7 4:3 3:3 2:3 1:3", "4:1 3:1 2:1 1:1 10:5 11:5 12:5 13:10",
     "14:2 15:2 16:5 15:2 14:5"},
    // parakeet, digital (the analog ones follow below)
    {"1:1 2:1 3:4 2:1 1:10 4:1 5:4 4:1 1:1", "1:1 6:20 1:20 7:20 1:1",
     "1:5 8:7 9:10 (10:15 9:15)x5 10:15 9:3 8:3 1:3", "9:1 8:1 1:1 11:5 12:5 13:5 14:10", "15:5 16:5"},
    // bear
    {"1:1 2:1 3:3 2:1 1:1", "1:1 4:1 5:12 4:1 1:1", "1:5 2:7 3:10 (6:15 7:15)x7 3:3 2:3 1:3",
     "3:1 2:1 1:1 8:5 9:5 10:5 11:10", "12:2 13:2 14:5 13:2 12:5"},
    // grey cat
    {"1:1 2:1 3:1 4:3 3:1 2:1 1:1", "1:1 5:1 6:1 7:12 6:1 5:1 1:1",
     "1:5 2:5 3:7 4:10 (8:15 9:15)x7 4:3 3:3 2:3 1:3", "4:1 3:1 2:1 1:1 10:5 11:5 12:5 13:5 14:10",
     "15:2 16:2 17:5 16:2 15:5"},
};

const char* const kParakeetAnalog[5] = {"1:1 2:1 3:4 2:1 1:1", "1:1 4:20 1:1",
                                        "1:5 2:7 3:10 (5:15 6:15)x7 3:3 2:3 1:3",
                                        "3:1 2:1 1:1 7:5 8:5 9:5 10:10", "11:5 12:5"};

bool ReadStep(const std::string& word, MotionStep& step) {
  const std::size_t colon = word.find(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 >= word.size()) return false;
  step.cell = std::atoi(word.substr(0, colon).c_str());
  step.ticks = std::atoi(word.substr(colon + 1).c_str());
  return step.cell >= 1 && step.ticks >= 1;
}

}  // namespace

int MotionSet(int character) {
  static const int kSet[kCharacterCount] = {-1, 0, 1, 1, 1, 1, 2, 3, 4, 5, 6, 7, 8};
  return character >= 1 && character <= kBuiltInCount ? kSet[character] : -1;
}

const char* MotionScript(int character, int layout, int type) {
  if (type < 1 || type > 5) return "";
  const int set = MotionSet(character);
  if (set < 0) return "";
  if (character == 10 && layout == 1) return kParakeetAnalog[type - 1];
  return kScripts[set][type - 1];
}

std::vector<MotionStep> ParseMotionScript(const std::string& script) {
  std::vector<MotionStep> steps;
  std::size_t i = 0;
  while (i < script.size()) {
    if (script[i] == ' ') {
      ++i;
    } else if (script[i] == '(') {
      const std::size_t close = script.find(")x", i);
      if (close == std::string::npos) return {};
      std::size_t end = script.find(' ', close);
      if (end == std::string::npos) end = script.size();
      const int times = std::atoi(script.substr(close + 2, end - close - 2).c_str());
      const std::vector<MotionStep> group = ParseMotionScript(script.substr(i + 1, close - i - 1));
      if (group.empty() || times < 1) return {};
      for (int k = 0; k < times; ++k) steps.insert(steps.end(), group.begin(), group.end());
      i = end;
    } else {
      std::size_t end = script.find(' ', i);
      if (end == std::string::npos) end = script.size();
      MotionStep step{};
      if (!ReadStep(script.substr(i, end - i), step)) return {};
      steps.push_back(step);
      i = end;
    }
  }
  return steps;
}

}  // namespace chara
}  // namespace quorel
