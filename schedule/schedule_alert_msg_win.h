// The notice window of schedule entries: up to four notices in view, each with
// its number, its text and a button that removes it, scroll buttons when more
// are held, and a caption with their number. It is shown without taking the
// focus, stays until the user closes it or removes its last notice, and keeps
// its position in the settings.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/settings.h"
#include "schedule/schedule_alert_msg_rules.h"
#include "wingui/dialog_win.h"

class CScheduleAlertMsg : public wingui::Dialog {
 public:
  enum : int {
    kTemplate = 58300,
    kFirstNumber = 58310,  // four each: the row's number, text and close button
    kFirstText = 58320,
    kFirstClose = 58330,
    kScrollUp = 58340,
    kScrollDown = 58341,
  };
  static constexpr int kNotPlaced = -9999;

  struct Environment {
    quorel::QuorelSettings* settings = nullptr;  // position, topmost and translucency
    std::function<void()> save_settings;          // the position is saved with the other settings
  };

  explicit CScheduleAlertMsg(Environment env, HINSTANCE module = nullptr)
      : wingui::Dialog(kTemplate, module), env_(std::move(env)) {}

  // Makes the (hidden) window at the saved position unless it exists already.
  bool Create();
  bool exists() const { return hwnd() != nullptr; }

  void AddNotice(int month, int day, int start_hour, int start_minute, int end_month, int end_day, int end_hour,
                 int end_minute, const std::string& content, const std::string& place);
  void AddNotice(const quorel::ScheduleNotice& notice);
  // The element `index` of the whole list; the window closes with its last one.
  void RemoveNotice(int index);
  void ScrollUp();
  void ScrollDown();
  // Shows a hidden window without activating it: topmost and translucent as the settings say.
  void ShowWithoutActivating();
  // Closes the window as its close box does, saving its position.
  void Close();

  const quorel::ScheduleAlertList& list() const { return list_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int code) override;
  void OnOK() override {}  // Enter does not close the notices
  void OnCancel() override { Close(); }

 private:
  void Refresh();      // rows, buttons, caption and size
  void Place();        // the saved position, if it is on a screen
  void SavePosition();

  Environment env_;
  quorel::ScheduleAlertList list_;
  SIZE full_ = {};  // the window's size from the template, in pixels
};
