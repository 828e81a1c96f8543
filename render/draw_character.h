// The character beside the clock: twelve built-in characters and the user's
// own one, each with a still per clock layout, scripted face motions and a
// winter scarf; idle motions drawn at random by per-mille weights.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/random.h"
#include "base/surface.h"
#include "render/character_tables.h"
#include "render/compositor.h"
#include "render/draw_object.h"
#include "render/motion_object.h"
#include "render/sprite_sheet.h"
#include "render/user_char_info.h"

namespace quorel {

enum MotionType { kMotionNone = 0, kMotionBlink = 1, kMotionWink = 2, kMotionDoze = 3, kMotionStartUp = 4,
                  kMotionTalk = 5 };
enum CharacterLayout { kLayoutDigital = 0, kLayoutAnalog = 1 };

// Pictures and motions of one character; it refers to those the character object owns.
struct CCharacterInfoObject {
  std::map<int, CPictureObject*> stills;             // layout -> still
  std::map<std::string, CMotionObject*> motions;     // "%05d%05d" of (layout, type)
  std::map<std::string, CPictureObject*> accessories;  // only (layout, 1): the scarf
};

std::string MotionKey(int layout, int type);

// The scarf is worn in January and February and in December, except on the
// nights (18:00 to 05:59) of December 24 and 25.
bool ScarfWorn(int month, int day, int hour);

constexpr int kPictureSlots = 344;
constexpr int kMotionSlots = 100;
// Images of a user character larger than this on either side are refused.
constexpr int kUserImageMaxSide = 4096;

class CDrawCharacter : public SceneCharacter {
 public:
  // The sheets of the digital (PNG 312) and analog (PNG 313) layouts; empty
  // sheets draw nothing. `random` may be null: the program's one generator.
  CDrawCharacter(SpriteSheet digital, SpriteSheet analog, RandomSource* random);
  CDrawCharacter(const CDrawCharacter&) = delete;
  CDrawCharacter& operator=(const CDrawCharacter&) = delete;

  // Characters 0..12; any other number makes the fox active.
  void SetCharacter(int number);
  int RandomCharacter();
  void SetLayout(int layout);
  int Layout() const { return layout_; }
  void StartMotion(int type);
  int RunningMotion() const { return running_type_; }
  bool HasMotion(int type) const;
  int RandomMotion();
  // The weight of a motion type for the active character at the stored moment.
  int MotionWeight(int type) const;
  void RestartBuiltInMotions();

  // The user's own character from its image and information file (the path may be empty).
  bool LoadUserCharacter(Surface image, const std::string& info_path, FileSystem& files, std::string& message);
  void ClearUserCharacter();
  bool HasUserImage() const { return user_sheet_.IsLoaded(); }
  const CUserCharInfo& UserInfo() const { return user_info_; }

  // SceneCharacter
  int CharacterNumber() const override { return active_; }
  void SetMoment(int month, int day, int hour, int minute) override;
  bool Advance() override;
  bool IsAnimated() override { return false; }
  void Draw(Surface& dc) override;

  // The face cell the running motion shows (0-based), -1 when idle.
  int CurrentCell() const;
  // The step the running motion shows and its number of steps; -1 and 0 when idle.
  int RunningStep() const { return running_ ? running_->CurrentStep() : -1; }
  int RunningStepCount() const { return running_ ? static_cast<int>(running_->Steps().size()) : 0; }
  // The scene rectangle of the active character's face cells in the current layout.
  Rect FaceRect() const;

 private:
  CPictureObject* NewPicture(int slot, const CPictureObject& picture);
  CMotionObject* NewMotion(int slot);
  CMotionObject* ActiveMotion(int type) const;
  void Restart();
  void BuildBuiltIn(int character, int layout);

  SpriteSheet sheets_[2];
  SpriteSheet user_sheet_;
  std::vector<std::unique_ptr<CPictureObject>> pictures_;
  std::vector<std::unique_ptr<CMotionObject>> motions_;
  CCharacterInfoObject characters_[chara::kCharacterCount];
  int builtin_weights_[kMotionTypes] = {0, 67, 13, 1, 0, 0};
  int user_weights_[2][kMotionTypes] = {};
  int active_ = 1;
  int layout_ = kLayoutDigital;
  int running_type_ = kMotionNone;
  CMotionObject* running_ = nullptr;
  int month_ = -1, day_ = -1, hour_ = -1, minute_ = -1;
  CUserCharInfo user_info_;
  RandomSource* random_;
};

// Settings values of "キャラクタ" beyond the characters' numbers.
constexpr int kCharacterRandomAtStart = 14;
constexpr int kCharacterRandomHourly = 15;

// What the clock does with "キャラクタ" whenever settings are applied: the
// user character is cleared, the built-in motions restart, the character is
// chosen (load_user loads the user's files; on failure the fox stands in),
// the layout is set and any motion stops. The failure message of the load, or empty.
std::string ApplyCharacterSetting(CDrawCharacter& character, int setting, int layout,
                                  const std::function<bool(std::string& message)>& load_user);

// One animation tick: advances the running motion; a finished doze is
// followed by a blink, a finished talk starts again while an announcement
// lasts. `repaint` when the picture changed; `keep_timer` while a motion runs.
struct AnimationTick {
  bool repaint = false;
  bool keep_timer = false;
};
AnimationTick CharacterAnimationTick(CDrawCharacter& character, bool announcement_going);

// The idle motion of a main tick (nothing while a motion runs): the forced
// motion of the debug dialog, else a random one when blinking is on. The type started, or 0.
int CharacterIdleTick(CDrawCharacter& character, int forced_motion, bool blink_animation, int month, int day,
                      int hour, int minute);

// Whether the hourly character ("キャラクタ" 15) changes now: once at hh:00;
// `last_change` holds the hour key of the last change (updated when due).
bool HourlyCharacterDue(int setting, bool settings_open, int year, int month, int day, int hour, int minute,
                        long long& last_change);

}  // namespace quorel
