// The page "時報": timing, tone, ending, the chime before the announcement,
// the hourly and half-hourly file or folder, and the suppressed hours; its
// test buttons play what the page shows before the sheet's OK.
#pragma once

#include "settings_ui/setup_host_win.h"
#include "sound/sound_owner_win.h"
#include "wingui/property_sheet_win.h"

class CSetupChime : public wingui::PropertyPage {
 public:
  static constexpr int kTemplate = 157;
  explicit CSetupChime(CSetupHost& host);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnApply() override;

 private:
  int Timing() const;
  int Tone() const;
  void UpdateEnabling();
  void OnToneChosen();
  void ToneTest();
  void FileTest(bool half);
  void Browse(bool half);

  CSetupHost& host_;
  CSoundOwner sounds_;  // the page's own test sounds
  int suppressed_[24] = {};
  int accepted_tone_position_ = 0;  // the list's selection before the current choice
};
