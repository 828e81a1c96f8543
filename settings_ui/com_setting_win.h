// "COMの設定": the RTS line of a serial port raised with the sounds. It edits
// the record directly on OK, outside the sheet's OK and Cancel.
#pragma once

#include <functional>
#include <string>

#include "app/settings.h"
#include "wingui/dialog_win.h"

class CComSetting : public wingui::Dialog {
 public:
  static constexpr int kTemplate = 256;
  // Tells whether a port of that name ("COM1" ...) can be opened; the default tries the device.
  using PortProbe = std::function<bool(const std::string& name)>;

  explicit CComSetting(quorel::QuorelSettings& settings, PortProbe probe = nullptr);

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override;

 private:
  void UpdateEnabling();
  quorel::QuorelSettings& settings_;
  PortProbe probe_;
};
