// The about box: the title with the version, the animated icon and the links.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/about_animation.h"
#include "app/clickable_string_win.h"
#include "wingui/dialog_win.h"

class CAboutBox : public wingui::Dialog {
 public:
  // The box opens at the clock's upper-left corner, kept inside `monitor`.
  CAboutBox(const RECT& clock, const RECT& monitor);

  // For tests: what a link does when it is opened.
  void SetLinkOpener(CClickableString::Opener opener) { opener_ = std::move(opener); }
  const std::vector<std::unique_ptr<CClickableString>>& links() const { return links_; }
  unsigned shown_icon() const { return animation_.icon(); }

  static constexpr int kLinkIds[6] = {1143, 1147, 1148, 1149, 1151, 1152};

 protected:
  bool OnInitDialog() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void OnOK() override;

 private:
  void ShowIcon(unsigned id);

  RECT clock_, monitor_;
  quorel::AboutIconAnimation animation_;
  std::vector<std::unique_ptr<CClickableString>> links_;
  CClickableString::Opener opener_;
};
