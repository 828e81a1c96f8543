#include "render/character_choice.h"

namespace quorel {
namespace {

// The built-in characters in the list's order, then the two random choices and the user's files.
constexpr int kValues[kCharacterChoiceCount] = {1, 2, 3, 4, 5, 6, 12, 8, 9, 7, 10, 11, 14, 15, 0};
constexpr unsigned kLabels[kCharacterChoiceCount] = {150, 151, 152, 153, 154, 155, 156, 157,
                                                     158, 159, 160, 161, 178, 179, 180};

}  // namespace

unsigned CharacterChoiceLabel(int item) {
  return item >= 0 && item < kCharacterChoiceCount ? kLabels[item] : 0;
}

int CharacterChoiceValue(int item) { return item >= 0 && item < kCharacterChoiceCount ? kValues[item] : 1; }

int CharacterChoiceItem(int value) {
  for (int item = 0; item < kCharacterChoiceCount; ++item)
    if (kValues[item] == value) return item;
  return 0;
}

}  // namespace quorel
