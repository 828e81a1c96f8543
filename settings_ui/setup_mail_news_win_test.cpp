#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "net/mail_service_win.h"
#include "base/string_table.h"
#include "net/net_test_support_win.h"
#include "settings_ui/fake_setup_host_win.h"
#include "settings_ui/setup_mail_win.h"
#include "settings_ui/setup_news_win.h"
#include "settings_ui/setup_property_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

// The running program as the mail and news pages see it: with its mail and news services.
class NetFakeHost : public FakeSetupHost {
 public:
  quorel::CMailService mail;
  quorel::CNewsService news;
  std::vector<std::string> news_files;
  int redraws = 0;

  quorel::CMailService* mail_service() override { return &mail; }
  quorel::CNewsService* news_service() override { return &news; }
  void WriteNewsFile(const std::string& text) override { news_files.push_back(text); }
  void RedrawClock() override { ++redraws; }
};

const wchar_t kCaption[] = L"ころぷくの設定";
const wchar_t kAppTitle[] = L"ころぷく for Windows";
enum { kPageNews = 7, kPageMail = 8 };

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

std::wstring Text(HWND page, int id) {
  wchar_t buf[4096] = {};
  GetWindowTextW(GetDlgItem(page, id), buf, 4096);
  return buf;
}

void Type(HWND page, int id, const std::wstring& text) {
  SendMessageW(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Posted as the button would: the page's handler may run modal windows the driver has to answer.
void PostClick(HWND page, int id) {
  PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

void Choose(HWND page, int id, int item) {
  SendMessageW(GetDlgItem(page, id), CB_SETCURSEL, item, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

int Selection(HWND page, int id) { return static_cast<int>(SendMessageW(GetDlgItem(page, id), CB_GETCURSEL, 0, 0)); }
bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

// A message box of the program showing `text`; closed with its button when found.
bool CloseMessageBox(const std::wstring& text, DWORD ms) {
  HWND found = nullptr;
  wingui::test::WaitFor(
      [&] {
        for (HWND w = FindWindowW(L"#32770", kAppTitle); w; w = FindWindowExW(nullptr, w, L"#32770", kAppTitle)) {
          wchar_t buf[512] = {};
          for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            GetWindowTextW(c, buf, 512);
            if (text == buf) {
              found = w;
              return true;
            }
          }
        }
        return false;
      },
      ms);
  if (!found) return false;
  PostMessageW(found, WM_COMMAND, IDOK, 0);
  wingui::test::WaitFor([&] { return IsWindow(found) == FALSE; }, 5000);
  return true;
}

INT_PTR RunSheet(NetFakeHost& host, const std::function<void(HWND)>& drive) {
  CSetupProperty sheet(host);
  return wingui::test::RunModalDriven(kCaption, [&] { return sheet.Run(nullptr); }, drive);
}

NetFakeHost& MailHost(NetFakeHost& host) {
  host.record.settings_page = kPageMail;
  host.record.mail_check = 1;
  host.record.mail_interval_minutes = 10;
  host.record.connection_kind = 1;
  host.record.mail_last_check = "2026/12/01 10:00:00";
  host.record.mail_last_result = "old";
  return host;
}

TEST(MailPage, CheckNowAgainstDovecotShowsItsResultAndTheEnd) {
  NetFakeHost host;
  MailHost(host);
  std::wstring shown_time, shown_result, after_time, after_result;
  bool finished = false;
  const std::wstring port = std::to_wstring(quorel::test::PeerPort("QUOREL_POP3_PORT"));
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    shown_time = Text(page, CSetupMail::kLastTime);
    shown_result = Text(page, CSetupMail::kLastResult);
    Type(page, CSetupMail::kServer, L"localhost");
    Type(page, CSetupMail::kPort, port);
    Type(page, CSetupMail::kUser, wingui::WideFromAnsi(quorel::test::PeerText("QUOREL_POP3_USER")));
    Type(page, CSetupMail::kPassword, wingui::WideFromAnsi(quorel::test::PeerText("QUOREL_POP3_PASSWORD")));
    PostClick(page, CSetupMail::kCheckNow);
    finished = CloseMessageBox(L"確認が終了しました！", 30000);
    after_time = Text(page, CSetupMail::kLastTime);
    after_result = Text(page, CSetupMail::kLastResult);
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(shown_time, L"2026/12/01 10:00:00");
  EXPECT_EQ(shown_result, L"old");
  EXPECT_TRUE(finished);
  EXPECT_EQ(after_result, L"3通のメールがあります");
  ASSERT_GT(after_time.size(), 19u);
  EXPECT_EQ(after_time.substr(19), L" に確認");
  EXPECT_EQ(host.record.mail_count, 3);
  EXPECT_EQ(host.record.mail_server, "localhost");
  EXPECT_EQ(host.mail.client(), nullptr);  // the check's client was stopped
}

TEST(MailPage, CheckNowRefusesAZeroPortWhichOkStoresAs110) {
  NetFakeHost host;
  MailHost(host);
  host.record.mail_server = "localhost";
  host.record.mail_user = "u";
  host.record.mail_password = "p";
  bool refused = false;
  std::wstring result;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    Type(page, CSetupMail::kPort, L"0");
    PostClick(page, CSetupMail::kCheckNow);
    refused = CloseMessageBox(L"ポート番号の設定が正しくありません", 5000);
    result = Text(page, CSetupMail::kLastResult);
    Type(page, CSetupMail::kInterval, L"2");
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_TRUE(refused);
  EXPECT_EQ(result, L"old");  // nothing was checked
  EXPECT_EQ(host.record.mail_port, 110);
  EXPECT_EQ(host.record.mail_interval_minutes, 5);
}

TEST(MailPage, CheckNowRefusesEachMissingOrWrongValueWithItsText) {
  struct Case {
    const wchar_t *server, *port, *user, *password, *interval, *text;
  } cases[] = {
      {L"", L"110", L"u", L"p", L"10", L"POP3サーバが設定されていません"},
      {L"localhost", L"65536", L"u", L"p", L"10", L"ポート番号の設定が正しくありません"},
      {L"localhost", L"110", L"", L"p", L"10", L"ユーザIDが設定されていません"},
      {L"localhost", L"110", L"u", L"", L"10", L"パスワードが設定されていません"},
      {L"localhost", L"110", L"u", L"p", L"4", L"メールのチェック間隔の設定が正しくありません"},
  };
  NetFakeHost host;
  MailHost(host);
  std::vector<bool> refused;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    for (const Case& c : cases) {
      Type(page, CSetupMail::kServer, c.server);
      Type(page, CSetupMail::kPort, c.port);
      Type(page, CSetupMail::kUser, c.user);
      Type(page, CSetupMail::kPassword, c.password);
      Type(page, CSetupMail::kInterval, c.interval);
      PostClick(page, CSetupMail::kCheckNow);
      refused.push_back(CloseMessageBox(c.text, 5000));
    }
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(refused, std::vector<bool>(std::size(cases), true));
  EXPECT_EQ(host.record.mail_last_result, "old");  // nothing was checked
}

TEST(MailPage, KindsAndEnablingFollowThePacksAndTheCheckBox) {
  NetFakeHost host;
  MailHost(host);
  host.light = host.serious = false;
  host.record.mail_sound_kind = 5;  // the popup text: the list's item 4
  struct {
    int first = -1, after_voice = -1;
    bool file_before = true, file_after = false, server_off = false, check_on = false;
  } seen;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    seen.first = Selection(page, CSetupMail::kSoundKind);
    seen.file_before = Enabled(page, CSetupMail::kFile);
    Choose(page, CSetupMail::kSoundKind, 1);  // the voice, without a voice pack
    seen.after_voice = Selection(page, CSetupMail::kSoundKind);
    Choose(page, CSetupMail::kSoundKind, 5);  // a file
    seen.file_after = Enabled(page, CSetupMail::kFile);
    SendMessageW(GetDlgItem(page, CSetupMail::kCheck), BM_CLICK, 0, 0);  // off
    seen.server_off = !Enabled(page, CSetupMail::kServer) && !Enabled(page, CSetupMail::kFile);
    seen.check_on = Enabled(page, CSetupMail::kCheck);
    wingui::test::PressSheetButton(sheet, PSBTN_OK);
  });
  EXPECT_EQ(seen.first, 4);
  EXPECT_FALSE(seen.file_before);
  EXPECT_EQ(seen.after_voice, 4);
  EXPECT_TRUE(seen.file_after);
  EXPECT_TRUE(seen.server_off);
  EXPECT_TRUE(seen.check_on);
  EXPECT_EQ(host.record.mail_sound_kind, 4);
  EXPECT_EQ(host.record.mail_check, 0);
  EXPECT_EQ(host.record.mail_arrived, 0);
}

TEST(NewsPage, OpeningAcknowledgesAndCheckNowShowsANewEdition) {
  NetFakeHost host;
  host.news.set_url(quorel::test::HttpUrl("/news.txt"));
  host.record.settings_page = kPageNews;
  host.record.connection_kind = 1;
  host.record.news_updated = 1;
  host.record.news_text = "ID old\r\nold news\r\n";
  host.record.news_title = "ID old";
  host.record.news_last_result = quorel::LoadText(55620);  // "更新あり", as the clock copied it
  std::wstring second_line, box, result, text;
  bool finished = false;
  RunSheet(host, [&](HWND sheet) {
    // The sheet opens on "お知らせ" for a new edition.
    HWND page = CurrentPage(sheet);
    second_line = Text(page, CSetupNews::kLastResult);
    box = Text(page, CSetupNews::kText);
    PostClick(page, CSetupNews::kCheckNow);
    finished = CloseMessageBox(L"確認が終了しました！", 30000);
    result = Text(page, CSetupNews::kLastResult);
    text = Text(page, CSetupNews::kText);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(second_line, L"更新あり");
  EXPECT_EQ(box, L"ID old\r\nold news\r\n");
  EXPECT_EQ(host.record.news_updated, 0);
  EXPECT_TRUE(finished);
  EXPECT_EQ(result, L"更新あり");
  EXPECT_EQ(text.substr(0, 23), L"ID 2026-12-01 edition\r\n");
  ASSERT_EQ(host.news_files.size(), 1u);
  EXPECT_EQ(host.news_files[0].substr(0, 23), "ID 2026-12-01 edition\r\n");
  EXPECT_EQ(host.record.news_title, "ID 2026-12-01 edition");
}

TEST(NewsPage, ProductPageOpensInANewExplorerWindowOnlyWhereItHandlesHtml) {
  const auto ie = CSetupNews::ProductPageLaunch(L"\"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" -nohome",
                                                L"http://x/");
  EXPECT_EQ(ie.file, L"iexplore.exe");
  EXPECT_EQ(ie.parameters, L"-new http://x/");
  const auto other = CSetupNews::ProductPageLaunch(L"\"C:\\browser.exe\" \"%1\"", L"http://x/");
  EXPECT_EQ(other.file, L"http://x/");
  EXPECT_TRUE(other.parameters.empty());
}

}  // namespace
