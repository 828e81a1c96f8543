// "作った画面のてすと！": the user's own character from its image and
// information file, on a character object of its own over a test scene, in
// either layout and with each of its motions repeating.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "base/surface.h"
#include "render/draw_character.h"
#include "render/image_load_win.h"
#include "wingui/dialog_win.h"

class CBitmapTest : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 202;
  static constexpr int kBackgroundBitmap = 207;
  // Controls the tests drive.
  enum : int {
    kDigital = 1301, kAnalog = 1302, kMotionFirst = 1310, kMotionLast = 1315, kReload = 1320, kPreview = 1330,
  };

  // Both paths are CP932; the information path may be empty (a still without motions).
  CBitmapTest(std::string image_path, std::string info_path);
  ~CBitmapTest() override;

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  // Loads the two files; on failure the message is shown and false returned.
  bool Load();
  void UpdateEnabling();
  // Sets the chosen layout and motion on the character and redraws.
  void Apply();
  void Redraw();
  void OnTimer(UINT_PTR id);

  std::string image_path_, info_path_;
  quorel::GdiplusSession gdiplus_;
  // Empty sheets: no built-in character can stand in for the user's.
  quorel::CDrawCharacter character_;
  quorel::Surface background_;
  quorel::Surface preview_;
  int image_height_ = 0;
  bool loaded_ = false;
  HBITMAP preview_bitmap_ = nullptr;
  void* preview_bits_ = nullptr;
};
