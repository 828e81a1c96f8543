#include "render/character_choice.h"

#include <gtest/gtest.h>

#include "render/character_tables.h"

namespace quorel {
namespace {

TEST(CharacterChoice, ItemsStoreTheirValuesAndShowThem) {
  const int values[kCharacterChoiceCount] = {1, 2, 3, 4, 5, 6, 12, 8, 9, 7, 10, 11, 14, 15, 0};
  for (int item = 0; item < kCharacterChoiceCount; ++item) {
    EXPECT_EQ(CharacterChoiceValue(item), values[item]) << item;
    EXPECT_EQ(CharacterChoiceItem(values[item]), item) << item;
  }
}

TEST(CharacterChoice, ValuesWithoutAnItemShowTheFox) {
  for (int value : {13, 16, -1, 99999}) EXPECT_EQ(CharacterChoiceItem(value), 0) << value;
  EXPECT_EQ(CharacterChoiceValue(-1), 1);
  EXPECT_EQ(CharacterChoiceValue(kCharacterChoiceCount), 1);
}

// The labels follow the list, and each built-in character sits where the character tables put it.
TEST(CharacterChoice, LabelsAgreeWithTheCharacterTables) {
  EXPECT_EQ(CharacterChoiceLabel(0), 150u);
  EXPECT_EQ(CharacterChoiceLabel(12), 178u);
  EXPECT_EQ(CharacterChoiceLabel(14), 180u);
  EXPECT_EQ(CharacterChoiceLabel(15), 0u);
  for (int character = 0; character < chara::kCharacterCount; ++character) {
    const int item = CharacterChoiceItem(character);
    EXPECT_EQ(item, chara::kListPosition[character]) << character;
    EXPECT_EQ(CharacterChoiceLabel(item), static_cast<unsigned>(chara::kLabelString[character])) << character;
  }
}

}  // namespace
}  // namespace quorel
