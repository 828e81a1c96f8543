// "音声チャイムのテスト用画面！": any hour of either voice with "30分" and an
// ending, played as the time signal would say it, waiting until it has ended.
#pragma once

#include "settings_ui/setup_host_win.h"
#include "sound/sound_owner_win.h"
#include "wingui/dialog_win.h"

class CChimeDebug : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 63591;
  explicit CChimeDebug(CSetupHost& host) : wingui::Dialog(kTemplate), host_(host) {}

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  void Speak();
  CSetupHost& host_;
  CSoundOwner sounds_;
};
