#include "render/draw_character.h"

#include <cstdio>
#include <utility>

namespace quorel {
namespace {

// Picture slots: built-in digital 0..171, user digital still 172 and cells
// 173, built-in analog 174..341, user analog still 342 and cells 343.
constexpr int kPictureBase[2] = {0, 174};
constexpr int kUserStillSlot[2] = {172, 342};
constexpr int kUserCellsSlot[2] = {173, 343};
// Motion slots: built-in digital 0..44 (nine motion sets of five types),
// user digital 45..49, built-in analog 50..94, user analog 95..99.
constexpr int kMotionBase[2] = {0, 50};
constexpr int kUserMotionBase[2] = {45, 95};

int StillSlot(int layout, int character) { return kPictureBase[layout] + (character - 1) * 3; }
int CellsSlot(int layout, int character) { return StillSlot(layout, character) + 1; }
int ScarfSlot(int layout, int character) { return StillSlot(layout, character) + 2; }

}  // namespace

std::string MotionKey(int layout, int type) {
  char key[16];
  std::snprintf(key, sizeof key, "%05d%05d", layout, type);
  return key;
}

bool ScarfWorn(int month, int day, int hour) {
  if (month == 1 || month == 2) return true;
  if (month != 12) return false;
  return (day != 24 && day != 25) || (hour >= 6 && hour <= 17);
}

CDrawCharacter::CDrawCharacter(SpriteSheet digital, SpriteSheet analog, RandomSource* random)
    : pictures_(kPictureSlots), motions_(kMotionSlots), random_(random ? random : &ProcessRandom()) {
  sheets_[0] = std::move(digital);
  sheets_[1] = std::move(analog);
  for (int layout = 0; layout < 2; ++layout)
    for (int n = 1; n <= chara::kBuiltInCount; ++n) BuildBuiltIn(n, layout);
}

CPictureObject* CDrawCharacter::NewPicture(int slot, const CPictureObject& picture) {
  pictures_[slot] = std::make_unique<CPictureObject>(picture);
  return pictures_[slot].get();
}

CMotionObject* CDrawCharacter::NewMotion(int slot) {
  motions_[slot] = std::make_unique<CMotionObject>();
  return motions_[slot].get();
}

void CDrawCharacter::BuildBuiltIn(int n, int layout) {
  const chara::LayoutGeometry& g = layout == 0 ? chara::kDigital[n] : chara::kAnalog[n];
  const SpriteSheet* sheet = &sheets_[layout];
  const int still_width = layout == 0 ? chara::kDigitalStillWidth : chara::kAnalogStillWidth;
  CCharacterInfoObject& entry = characters_[n];
  entry.stills[layout] =
      NewPicture(StillSlot(layout, n), CPictureObject(sheet, g.still_x, g.still_y, still_width, chara::kStillHeight, 0, 0));
  CPictureObject* cells = NewPicture(CellsSlot(layout, n), CPictureObject(sheet, 1, g.face_y, g.cell_width, g.cell_height,
                                                                          g.cell_width + 1, 0, g.face_x, g.face_dest_y));
  entry.accessories[MotionKey(layout, 1)] = NewPicture(
      ScarfSlot(layout, n),
      CPictureObject(sheet, g.scarf.x, g.scarf.y, g.scarf.width, g.scarf.height, g.scarf_dest_x, g.scarf_dest_y));

  // Characters of one motion set share its motions (the girls share one face row).
  const int set = chara::MotionSet(n);
  for (int type = 1; type <= 5; ++type) {
    const int slot = kMotionBase[layout] + set * 5 + (type - 1);
    CMotionObject* motion = motions_[slot].get();
    if (!motion) {
      motion = NewMotion(slot);
      for (const chara::MotionStep& s : chara::ParseMotionScript(chara::MotionScript(n, layout, type))) {
        if (s.cell > g.cells) continue;  // a script never names a cell its row lacks
        motion->AddStep(*cells, s.ticks, g.face_x, g.face_dest_y, s.cell - 1);
      }
    }
    entry.motions[MotionKey(layout, type)] = motion;
  }
}

void CDrawCharacter::SetMoment(int month, int day, int hour, int minute) {
  month_ = month;
  day_ = day;
  hour_ = hour;
  minute_ = minute;
}

CMotionObject* CDrawCharacter::ActiveMotion(int type) const {
  const auto& motions = characters_[active_].motions;
  const auto it = motions.find(MotionKey(layout_, type));
  return it == motions.end() ? nullptr : it->second;
}

bool CDrawCharacter::HasMotion(int type) const { return type >= 1 && type <= 5 && ActiveMotion(type) != nullptr; }

void CDrawCharacter::StartMotion(int type) {
  CMotionObject* motion = type >= 1 && type <= 5 ? ActiveMotion(type) : nullptr;
  if (!motion) {
    running_type_ = kMotionNone;
    running_ = nullptr;
    return;
  }
  if (motion != running_) motion->Reset();
  running_ = motion;
  running_type_ = type;
}

// After a change of character or layout the running type starts anew in it.
void CDrawCharacter::Restart() {
  const int type = running_type_;
  running_ = nullptr;
  running_type_ = kMotionNone;
  if (type != kMotionNone) StartMotion(type);
}

void CDrawCharacter::SetCharacter(int number) {
  if (number < 0 || number > chara::kBuiltInCount) number = 1;
  if (number == active_) return;
  active_ = number;
  Restart();
}

int CDrawCharacter::RandomCharacter() {
  int n = RandomInRange(*random_, 1, chara::kBuiltInCount);
  for (int tries = 0; n == active_ && tries < 1000; ++tries) n = RandomInRange(*random_, 1, chara::kBuiltInCount);
  if (n == active_) n = active_ % chara::kBuiltInCount + 1;  // a generator stuck on one value
  SetCharacter(n);
  return n;
}

void CDrawCharacter::SetLayout(int layout) {
  layout = layout == kLayoutAnalog ? kLayoutAnalog : kLayoutDigital;
  if (layout == layout_) return;
  layout_ = layout;
  Restart();
}

int CDrawCharacter::MotionWeight(int type) const {
  if (type < 1 || type > 5) return 0;
  int weight = active_ == 0 ? user_weights_[layout_][type] : builtin_weights_[type];
  if (type == kMotionDoze && weight > 0 && hour_ >= 0 && hour_ <= 5) weight = 80;
  return weight;
}

int CDrawCharacter::RandomMotion() {
  int type = RandomInRange(*random_, 1, 5);
  const int r = RandomInRange(*random_, 1, 1000);
  if (MotionWeight(type) < r) type = kMotionNone;
  StartMotion(type);
  return running_type_ == type ? type : kMotionNone;
}

bool CDrawCharacter::Advance() {
  if (!running_) return false;
  const bool changed = running_->Advance();
  if (changed && running_->IsFinished()) {
    running_ = nullptr;
    running_type_ = kMotionNone;
  }
  return changed;
}

void CDrawCharacter::RestartBuiltInMotions() {
  for (int layout = 0; layout < 2; ++layout)
    for (int i = 0; i < 45; ++i)
      if (motions_[kMotionBase[layout] + i]) motions_[kMotionBase[layout] + i]->Reset();
}

void CDrawCharacter::Draw(Surface& dc) {
  const CCharacterInfoObject& entry = characters_[active_];
  const auto still = entry.stills.find(layout_);
  if (still != entry.stills.end() && still->second) still->second->Draw(dc);
  if (running_) running_->Draw(dc);
  const auto scarf = entry.accessories.find(MotionKey(layout_, 1));
  if (scarf != entry.accessories.end() && scarf->second && ScarfWorn(month_, day_, hour_)) scarf->second->Draw(dc);
}

int CDrawCharacter::CurrentCell() const {
  if (!running_) return -1;
  const int step = running_->CurrentStep();
  if (step < 0 || step >= static_cast<int>(running_->Steps().size())) return -1;
  return running_->Steps()[step].cell;
}

Rect CDrawCharacter::FaceRect() const {
  if (active_ == 0) {
    const CUserCharInfo::Layout& l = user_info_.At(layout_);
    return Rect{l.display_x, l.display_y, l.display_x + l.cell_width, l.display_y + l.cell_height};
  }
  const chara::LayoutGeometry& g = layout_ == 0 ? chara::kDigital[active_] : chara::kAnalog[active_];
  return Rect{g.face_x, g.face_dest_y, g.face_x + g.cell_width, g.face_dest_y + g.cell_height};
}

void CDrawCharacter::ClearUserCharacter() {
  if (active_ == 0) {
    active_ = 1;
    running_ = nullptr;
    running_type_ = kMotionNone;
  }
  characters_[0] = CCharacterInfoObject();
  for (int layout = 0; layout < 2; ++layout) {
    pictures_[kUserStillSlot[layout]].reset();
    pictures_[kUserCellsSlot[layout]].reset();
    for (int t = 0; t < 5; ++t) motions_[kUserMotionBase[layout] + t].reset();
    for (int t = 0; t < kMotionTypes; ++t) user_weights_[layout][t] = 0;
  }
  user_info_.Clear();
  user_sheet_ = SpriteSheet();
}

bool CDrawCharacter::LoadUserCharacter(Surface image, const std::string& info_path, FileSystem& files,
                                       std::string& message) {
  const bool was_active = active_ == 0;
  ClearUserCharacter();
  message.clear();
  auto fail = [&](std::string text) {
    ClearUserCharacter();
    message = std::move(text);
    return false;
  };
  if (image.IsEmpty()) return fail(UserCharMessageText(kMsgImageNotFound));
  // The digital still needs 84 x 55 pixels (the scene with its frame).
  if (image.Width() < chara::kDigitalStillWidth + 2 || image.Height() < chara::kStillHeight + 2 ||
      image.Width() > kUserImageMaxSide || image.Height() > kUserImageMaxSide)
    return fail(UserCharMessageText(kMsgImageBadSize));
  const int image_width = image.Width(), image_height = image.Height();
  user_sheet_ = MakeSpriteSheet(std::move(image));

  CCharacterInfoObject& entry = characters_[0];
  entry.stills[0] = NewPicture(kUserStillSlot[0], CPictureObject(&user_sheet_, 1, 1, 82, 53, 0, 0));
  if (image_height > 2 * chara::kStillHeight)
    entry.stills[1] = NewPicture(kUserStillSlot[1], CPictureObject(&user_sheet_, 1, 55, 82, 53, 0, 0));

  if (!info_path.empty()) {
    std::string text = user_info_.Parse(files, info_path);
    if (!text.empty()) return fail(text);
    // Every cell a motion names must lie inside the image: the cells are cut from it.
    for (int layout = 0; layout < 2; ++layout) {
      const CUserCharInfo::Layout& l = user_info_.At(layout);
      if (l.start_x < 1) continue;
      for (int type = 1; type <= 5; ++type) {
        for (std::size_t i = 0; i < l.cells[type].size(); ++i) {
          const long long index = l.cells[type][i] - 1LL;
          const long long column = l.cells_per_row > 0 ? index % l.cells_per_row : index;
          const long long row = l.cells_per_row > 0 ? index / l.cells_per_row : 0;
          const long long x = l.start_x + column * (l.cell_width + 1LL);
          const long long y = l.start_y + row * (l.cell_height + 1LL);
          if (index < 0 || l.cell_width < 1 || l.cell_height < 1 || x + l.cell_width > image_width ||
              y + l.cell_height > image_height)
            return fail(UserCharMessageText(kMsgInfoCellOutside, l.lines[type][i]));
        }
      }
    }
    for (int layout = 0; layout < 2; ++layout) {
      const CUserCharInfo::Layout& l = user_info_.At(layout);
      if (l.start_x < 1) continue;
      CPictureObject cells_picture(&user_sheet_, l.start_x, l.start_y, l.cell_width, l.cell_height, l.cell_width + 1,
                                   l.cell_height + 1, l.display_x, l.display_y);
      cells_picture.SetCellsPerRow(l.cells_per_row);
      CPictureObject* cells = NewPicture(kUserCellsSlot[layout], cells_picture);
      for (int type = 0; type < kMotionTypes; ++type) user_weights_[layout][type] = l.weight[type];
      for (int type = 1; type <= 5; ++type) {
        if (l.cells[type].empty()) continue;
        CMotionObject* motion = NewMotion(kUserMotionBase[layout] + type - 1);
        for (std::size_t i = 0; i < l.cells[type].size(); ++i)
          motion->AddStep(*cells, l.waits[type][i], l.display_x, l.display_y, l.cells[type][i] - 1);
        entry.motions[MotionKey(layout, type)] = motion;
      }
    }
  }
  if (was_active) active_ = 0;
  return true;
}

std::string ApplyCharacterSetting(CDrawCharacter& character, int setting, int layout,
                                  const std::function<bool(std::string& message)>& load_user) {
  std::string message;
  character.ClearUserCharacter();
  character.RestartBuiltInMotions();
  if (setting == 0) {
    if (load_user && load_user(message)) character.SetCharacter(0);
    else character.SetCharacter(1);
  } else if (setting == kCharacterRandomAtStart || setting == kCharacterRandomHourly) {
    character.RandomCharacter();
  } else {
    character.SetCharacter(setting >= 1 && setting <= chara::kBuiltInCount ? setting : 1);
  }
  character.SetLayout(layout);
  character.StartMotion(kMotionNone);
  return message;
}

AnimationTick CharacterAnimationTick(CDrawCharacter& character, bool announcement_going) {
  AnimationTick tick;
  const int type = character.RunningMotion();
  if (type != kMotionNone) {
    tick.repaint = character.Advance();
    if (character.RunningMotion() == kMotionNone) {
      if (type == kMotionDoze) character.StartMotion(kMotionBlink);
      else if (type == kMotionTalk && announcement_going) character.StartMotion(kMotionTalk);
    }
  }
  tick.keep_timer = character.RunningMotion() != kMotionNone;
  return tick;
}

int CharacterIdleTick(CDrawCharacter& character, int forced_motion, bool blink_animation, int month, int day,
                      int hour, int minute) {
  if (character.RunningMotion() != kMotionNone) return kMotionNone;
  if (forced_motion >= 1 && forced_motion <= 3) {
    character.StartMotion(forced_motion);
    return character.RunningMotion();
  }
  if (!blink_animation) return kMotionNone;
  character.SetMoment(month, day, hour, minute);
  return character.RandomMotion();
}

bool HourlyCharacterDue(int setting, bool settings_open, int year, int month, int day, int hour, int minute,
                        long long& last_change) {
  if (setting != kCharacterRandomHourly || settings_open || minute != 0) return false;
  const long long key = ((static_cast<long long>(year) * 13 + month) * 32 + day) * 24 + hour;
  if (key == last_change) return false;
  last_change = key;
  return true;
}

}  // namespace quorel
