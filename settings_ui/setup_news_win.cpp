#include "settings_ui/setup_news_win.h"

#include <shellapi.h>

#include <algorithm>
#include <cwctype>

#include "base/string_table.h"
#include "net/mail_news_dialogs_win.h"
#include "net/mail_service_win.h"
#include "net/mail_texts.h"
#include "net/net_dialogs_win.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

enum : unsigned {
  kStrTitle = 57344, kStrConnecting = 55635, kStrCheckedAt = 55636, kStrNoTime = 55637, kStrFinished = 55638,
  kStrGothic = 61000,
};

std::string CheckedAtText(const std::string& time, const std::string& result) {
  if (result == quorel::LoadText(quorel::kStrNetDialupWait)) return quorel::LoadText(kStrNoTime);
  if (time.empty()) return std::string();
  return quorel::FormatNetText(kStrCheckedAt, time.c_str());
}

// The default value of a key of HKEY_CLASSES_ROOT ("" when there is none).
std::wstring ClassesValue(const std::wstring& key) {
  wchar_t value[1024] = {};
  LONG size = sizeof(value);
  if (RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS) return std::wstring();
  return value;
}

}  // namespace

CSetupNews::~CSetupNews() {
  if (font_) DeleteObject(font_);
  if (white_) DeleteObject(white_);
}

CSetupNews::Launch CSetupNews::ProductPageLaunch(const std::wstring& html_open_command, const std::wstring& url) {
  std::wstring lower = html_open_command;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return std::towlower(c); });
  if (lower.find(L"iexplore") != std::wstring::npos) return {L"iexplore.exe", L"-new " + url};
  return {url, std::wstring()};
}

bool CSetupNews::OnInitDialog() {
  Loading loading(*this);
  quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  font_ = CreateFontW(12, 6, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                      wingui::WideFromAnsi(quorel::LoadText(kStrGothic)).c_str());
  white_ = CreateSolidBrush(RGB(255, 255, 255));
  if (font_) SendDlgItemMessageW(d, kText, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  wingui::SetItemText(d, kText, s.news_text);
  wingui::SetChecked(d, kDaily, s.news_check_daily != 0);
  wingui::SetChecked(d, kSound, s.news_sound != 0);
  wingui::SetChecked(d, kNoBlink, s.news_no_blink != 0);
  wingui::SetItemText(d, kLastTime, s.news_last_check);
  wingui::SetItemText(d, kLastResult,
                      s.news_updated ? quorel::LoadText(quorel::kStrNewsUpdated) : s.news_last_result);
  // Looking at the page is looking at the news: the icon goes out.
  if (s.news_updated) {
    s.news_updated = 0;
    host_.RedrawClock();
  }
  UpdateEnabling();
  return true;
}

void CSetupNews::UpdateEnabling() {
  HWND d = hwnd();
  const bool daily = wingui::IsChecked(d, kDaily);
  const bool voice = host_.light_voice_loaded() || host_.serious_voice_loaded();
  wingui::EnableItems(d, {kSound}, daily && voice);
  wingui::EnableItems(d, {kNoBlink}, daily);
}

bool CSetupNews::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  // The news box is read-only but white.
  if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lp) == GetDlgItem(hwnd(), kText) && white_) {
    SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
    result = reinterpret_cast<LRESULT>(white_);
    return true;
  }
  return false;
}

bool CSetupNews::OnCommand(int id, int code) {
  if (loading() || code != BN_CLICKED) return false;
  switch (id) {
    case kDaily:
      UpdateEnabling();
      return true;
    case kCheckNow:
      CheckNow();
      return true;
    case kConnection: {
      quorel::CInternetSet dialog(host_.settings());
      dialog.DoModal(hwnd());
      return true;
    }
    case kProxy: {
      quorel::CProxySet dialog(host_.settings());
      dialog.DoModal(hwnd());
      return true;
    }
    case kProductPage:
      ShowProductPage();
      return true;
    default:
      return false;
  }
}

void CSetupNews::CheckNow() {
  HWND d = hwnd();
  wingui::SetItemText(d, kLastTime, quorel::LoadText(kStrConnecting));
  wingui::SetItemText(d, kLastResult, std::string());
  quorel::QuorelSettings& s = host_.settings();
  quorel::CNewsService* service = host_.news_service();
  std::unique_ptr<quorel::CNewsClient> client = service ? service->Release() : nullptr;
  const bool existed = client != nullptr;
  if (existed) {
    quorel::StoreNewsLastValues(client->shared().Last(), s);
  } else {
    client = std::make_unique<quorel::CNewsClient>();
    if (!client->Begin(true)) return;
  }
  quorel::NewsRequest r =
      quorel::NewsRequestFromSettings(s, service ? service->url() : quorel::CNewsService::kNewsPageUrl);
  r.forced = true;
  r.daily = wingui::IsChecked(d, kDaily);
  client->shared().SetPending(r);
  client->shared().SetLast(quorel::NewsLastValuesFromSettings(s));
  client->shared().SetTargets(nullptr, nullptr, host_.clock_window());
  quorel::CNewsConWait wait(*client, existed);
  wait.DoModal(d);

  const quorel::NewsLastValues last = client->shared().Last();
  quorel::StoreNewsLastValues(last, s);
  wingui::SetItemText(d, kLastTime, CheckedAtText(last.last_check, last.result));
  wingui::SetItemText(d, kLastResult, last.result);
  if (last.result == quorel::LoadText(quorel::kStrNewsUpdated)) {
    s.news_text = last.text;
    host_.WriteNewsFile(s.news_text);
    wingui::SetItemText(d, kText, s.news_text);
  }
  client->Stop();
  client.reset();
  MessageBoxW(d, wingui::WideFromAnsi(quorel::LoadText(kStrFinished)).c_str(),
              wingui::WideFromAnsi(quorel::LoadText(kStrTitle)).c_str(), MB_OK | MB_ICONINFORMATION);
}

void CSetupNews::ShowProductPage() {
  const std::wstring html_class = ClassesValue(L".html");
  const std::wstring command = html_class.empty() ? std::wstring() : ClassesValue(html_class + L"\\shell\\open\\command");
  const Launch launch =
      ProductPageLaunch(command, wingui::WideFromAnsi(quorel::CNewsService::kProductPageUrl));
  ShellExecuteW(hwnd(), L"open", launch.file.c_str(), launch.parameters.empty() ? nullptr : launch.parameters.c_str(),
                nullptr, SW_SHOWNORMAL);
}

void CSetupNews::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  s.news_check_daily = wingui::IsChecked(d, kDaily) ? 1 : 0;
  s.news_sound = wingui::IsChecked(d, kSound) ? 1 : 0;
  s.news_no_blink = wingui::IsChecked(d, kNoBlink) ? 1 : 0;
}
