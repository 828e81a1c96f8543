#include "net/net_dialogs_win.h"

#include <gtest/gtest.h>

#include "base/string_table.h"
#include "net/net_texts.h"
#include "net/net_test_support_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace quorel {
namespace {

// A modeless dialog the test drives through its controls.
template <class D>
struct Driven {
  template <class... Args>
  explicit Driven(Args&&... args) : dialog(std::forward<Args>(args)...) {
    EXPECT_TRUE(dialog.CreateModeless(nullptr));
  }
  ~Driven() {
    if (IsWindow(dialog.hwnd())) DestroyWindow(dialog.hwnd());
  }
  void Click(int id) { SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog.Item(id))); }
  void Type(int id, const char* text) { SetDlgItemTextW(dialog.hwnd(), id, wingui::WideFromAnsi(text).c_str()); }
  bool Open() const { return IsWindow(dialog.hwnd()) != 0; }
  D dialog;
};

TEST(InternetSet, RadioButtonsStoreTheConnectionKind) {
  QuorelSettings s;
  s.connection_kind = 1;
  Driven<CInternetSet> d(s);
  EXPECT_EQ(IsDlgButtonChecked(d.dialog.hwnd(), kIdcAlwaysOn), BST_CHECKED);
  CheckRadioButton(d.dialog.hwnd(), kIdcDialup, kIdcAlwaysOn, kIdcDialup);
  d.Click(IDOK);
  EXPECT_EQ(s.connection_kind, 0);
  EXPECT_FALSE(d.Open());
}

struct ProxySetTest : ::testing::Test {
  QuorelSettings s;
  std::vector<std::string> shown;
  MessageFunction record = [this](HWND, const std::string& text, UINT) {
    shown.push_back(text);
    return IDOK;
  };
};

TEST_F(ProxySetTest, OwnProxyNeedsAnAddress) {
  Driven<CProxySet> d(s, record);
  EXPECT_FALSE(IsWindowEnabled(d.dialog.Item(kIdcProxyAddress)));
  CheckRadioButton(d.dialog.hwnd(), kIdcProxySystem, kIdcProxyOwn, kIdcProxyOwn);
  d.Click(kIdcProxyOwn);
  EXPECT_TRUE(IsWindowEnabled(d.dialog.Item(kIdcProxyAddress)));
  d.Click(IDOK);
  EXPECT_EQ(shown, std::vector<std::string>{LoadText(504)});
  EXPECT_TRUE(d.Open());
  EXPECT_EQ(s.proxy_kind, 0);
}

TEST_F(ProxySetTest, PasswordWithoutUserIsRefusedUserWithoutPasswordTaken) {
  Driven<CProxySet> d(s, record);
  d.Type(kIdcProxyPassword, "secret");
  d.Click(IDOK);
  EXPECT_EQ(shown, std::vector<std::string>{LoadText(505)});
  EXPECT_TRUE(d.Open());

  d.Type(kIdcProxyPassword, "");
  d.Type(kIdcProxyUser, "someone");
  CheckRadioButton(d.dialog.hwnd(), kIdcProxySystem, kIdcProxyOwn, kIdcProxyOwn);
  d.Type(kIdcProxyAddress, "127.0.0.1:8080");
  d.Click(IDOK);
  EXPECT_FALSE(d.Open());
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(s.proxy_kind, 1);
  EXPECT_EQ(s.proxy_server, "127.0.0.1:8080");
  EXPECT_EQ(s.proxy_user, "someone");
  EXPECT_EQ(s.proxy_password, "");
}

TEST(NTPConWait, OkDoesNothingAndTheDialogEndsWhenTheClientReports) {
  test::RecordingClock clock;
  CNTPClient client(clock);
  client.set_ntp_port(test::PeerPort("QUOREL_SILENT_UDP_PORT"));  // the report comes after the time-out
  TimeRequest r;
  r.ntp_server = "127.0.0.1";
  client.shared().SetPending(r);
  client.shared().SetTargets(nullptr, nullptr, nullptr);
  ASSERT_TRUE(client.Begin(true));
  Driven<CNTPConWait> d(client, false);
  wingui::test::PumpMessages(300);
  d.Click(IDOK);
  SendMessageW(d.dialog.hwnd(), WM_COMMAND, IDCANCEL, 0);  // Escape
  EXPECT_TRUE(d.Open());
  const bool ended = wingui::test::WaitFor(
      [&] {
        wingui::test::PumpMessages(50);
        return !d.Open();
      },
      15000);
  EXPECT_TRUE(ended);
  EXPECT_EQ(client.shared().Last().result, LoadText(kStrNetNoAnswer));
}

TEST(NTPConWait, ModalRunAgainstChronyWithAnExistingClient) {
  test::RecordingClock clock(-60000);
  CNTPClient client(clock);
  client.set_ntp_port(test::PeerPort("QUOREL_NTP_PORT"));
  TimeRequest r;
  r.ntp_server = "127.0.0.1";
  r.once_only = true;
  r.start_wait_seconds = 3600;  // the client waits: only the dialog starts an adjustment
  client.shared().SetPending(r);
  ASSERT_TRUE(client.Begin(false));
  ASSERT_NE(client.WaitForWindow(), nullptr);
  for (int press = 0; press < 2; ++press) {  // a second press adjusts again
    CNTPConWait wait(client, true);
    EXPECT_EQ(wait.DoModal(nullptr), 0);
    EXPECT_EQ(client.shared().Last().result, LoadText(kStrNetOk));
    EXPECT_EQ(clock.sets().size(), static_cast<std::size_t>(press + 1));
  }
}

}  // namespace
}  // namespace quorel
