// The character list of the settings page: its items in order, their labels
// and the "キャラクタ" value each one stores.
#pragma once

namespace quorel {

constexpr int kCharacterChoiceCount = 15;
// "キャラクタ" of the last item, "ファイルを指定": the user's own files.
constexpr int kCharacterChoiceUserFiles = 0;

// The string number of an item's label (150-161, 178-180), 0 outside the list.
unsigned CharacterChoiceLabel(int item);
// The value an item stores; the fox's 1 outside the list.
int CharacterChoiceValue(int item);
// The item whose value equals `value`; item 0 when none does.
int CharacterChoiceItem(int value);

}  // namespace quorel
