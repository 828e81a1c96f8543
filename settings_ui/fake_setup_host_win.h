// The running program as the settings sheet's tests give it: a record of its
// own, switches for the instance and the packs, and counts of the actions the
// pages asked for.
#pragma once

#include <string>
#include <vector>

#include "settings_ui/setup_host_win.h"

class FakeSetupHost : public CSetupHost {
 public:
  quorel::QuorelSettings record;
  bool second = false, light = true, serious = true, chimes = true;
  int memory_releases = 0, moves = 0, exits = 0, abouts = 0, debug_dialogs = 0, com_settings = 0;

  quorel::QuorelSettings& settings() override { return record; }
  bool second_instance() const override { return second; }
  bool light_voice_loaded() const override { return light; }
  bool serious_voice_loaded() const override { return serious; }
  bool chime_pack_loaded() const override { return chimes; }
  HWND clock_window() const override { return nullptr; }
  std::vector<RECT> monitors() const override { return {RECT{0, 0, 1280, 1024}}; }
  std::string user_data_folder() const override { return "C:\\users\\quorel\\data\\"; }
  std::string program_path() const override { return "C:\\quorel\\quorel.exe"; }
  void ReleaseMemoryNow() override { ++memory_releases; }
  void MoveClockNow() override { ++moves; }
  void RequestExit() override { ++exits; }
  void ShowAbout(HWND) override { ++abouts; }
  void ShowDebugDialog(HWND) override { ++debug_dialogs; }
  void ShowComSetting(HWND) override { ++com_settings; }
};
