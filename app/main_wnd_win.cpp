#include "app/main_wnd_win.h"

#include "base/string_table.h"
#include "wingui/text_win.h"

bool CMainWnd::CreateHidden() {
  static const std::wstring title = wingui::WideFromAnsi(quorel::LoadText(57344));
  wingui::WindowSpec spec;
  spec.class_name = kClassName;
  spec.title = title.c_str();
  spec.style = WS_POPUP;
  spec.ex_style = WS_EX_TOOLWINDOW;  // never on the task bar
  return Create(spec);
}

void CMainWnd::OnDestroy() { PostQuitMessage(0); }
