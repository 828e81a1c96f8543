#include "net/wnd_socket_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "net/dialup_win.h"
#include "net/net_test_support_win.h"

namespace quorel {
namespace {

UINT CountOf(const test::MessageCollector& c, UINT message) {
  UINT n = 0;
  for (const MSG& m : c.received) n += m.message == message;
  return n;
}

TEST(WndSocket, RealDatagramPostsReceive) {
  test::MessageCollector client;
  CWndSocket socket(client.hwnd());
  ASSERT_EQ(socket.Create(AF_INET, SOCK_DGRAM, IPPROTO_UDP), 0);
  SOCKET peer = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(peer, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  int length = sizeof(address);
  getsockname(peer, reinterpret_cast<sockaddr*>(&address), &length);
  ASSERT_EQ(socket.Connect(reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  ASSERT_EQ(socket.Send("ping", 4), 4);

  char buffer[16];
  sockaddr_in from = {};
  int from_length = sizeof(from);
  ASSERT_EQ(recvfrom(peer, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &from_length), 4);
  sendto(peer, "pong", 4, 0, reinterpret_cast<sockaddr*>(&from), from_length);
  ASSERT_TRUE(client.WaitFor(WM_SOCKET_RECEIVE, 5000));
  char got[16] = {};
  EXPECT_EQ(socket.Receive(got, sizeof(got)), 4);
  EXPECT_STREQ(got, "pong");
  closesocket(peer);
}

TEST(WndSocket, ErrorsOfReceiveAreDroppedOfConnectPassedOn) {
  test::MessageCollector client;
  CWndSocket socket(client.hwnd());
  ASSERT_EQ(socket.Create(AF_INET, SOCK_DGRAM, IPPROTO_UDP), 0);
  const WPARAM s = static_cast<WPARAM>(socket.handle());
  SendMessageW(socket.sink(), CAsyncSocketWin::kEventMessage, s, WSAMAKESELECTREPLY(FD_READ, WSAECONNRESET));
  SendMessageW(socket.sink(), CAsyncSocketWin::kEventMessage, s, WSAMAKESELECTREPLY(FD_CONNECT, WSAECONNREFUSED));
  SendMessageW(socket.sink(), CAsyncSocketWin::kEventMessage, s, WSAMAKESELECTREPLY(FD_WRITE, 0));
  SendMessageW(socket.sink(), CAsyncSocketWin::kEventMessage, s + 1, WSAMAKESELECTREPLY(FD_READ, 0));  // not ours
  ASSERT_TRUE(client.WaitFor(WM_SOCKET_CONNECT, 2000));
  EXPECT_EQ(CountOf(client, WM_SOCKET_RECEIVE), 0u);
  EXPECT_EQ(CountOf(client, WM_SOCKET_CONNECT), 1u);
  EXPECT_EQ(client.received.back().wParam, static_cast<WPARAM>(WSAECONNREFUSED));
  EXPECT_EQ(client.received.size(), 1u);
}

// Remote-access functions with as many connections as a test wants.
class FakeRas : public RasFunctions {
 public:
  FakeRas(DWORD connections, DWORD first_state, DWORD enum_error = 0)
      : connections_(connections), state_(first_state), enum_error_(enum_error) {}
  DWORD EnumConnections(RASCONNA* list, DWORD* bytes, DWORD* count) override {
    ++enum_calls;
    if (enum_error_) return enum_error_;
    if (list[0].dwSize != sizeof(RASCONNA)) return ERROR_INVALID_SIZE;
    const DWORD needed = connections_ * sizeof(RASCONNA);
    if (*bytes < needed) {
      *bytes = needed;
      *count = 0;
      return ERROR_BUFFER_TOO_SMALL;
    }
    for (DWORD i = 0; i < connections_; ++i) list[i].hrasconn = reinterpret_cast<HRASCONN>(static_cast<UINT_PTR>(100 + i));
    *count = connections_;
    return 0;
  }
  DWORD GetConnectStatus(HRASCONN connection, RASCONNSTATUSA* status) override {
    asked = connection;
    if (status->dwSize != sizeof(RASCONNSTATUSA)) return ERROR_INVALID_SIZE;
    status->rasconnstate = static_cast<RASCONNSTATE>(state_);
    return 0;
  }
  int enum_calls = 0;
  HRASCONN asked = nullptr;

 private:
  DWORD connections_, state_, enum_error_;
};

TEST(Dialup, AnyNumberOfConnectionsIsEnumerated) {
  FakeRas many(7, RASCS_Connected);
  EXPECT_TRUE(IsDialupConnected(many));
  EXPECT_EQ(many.enum_calls, 2);
  EXPECT_EQ(many.asked, reinterpret_cast<HRASCONN>(static_cast<UINT_PTR>(100)));
  FakeRas one(1, RASCS_Connected);
  EXPECT_TRUE(IsDialupConnected(one));
  EXPECT_EQ(one.enum_calls, 1);
}

TEST(Dialup, NoneFailingOrNotConnectedIsDown) {
  FakeRas none(0, RASCS_Connected);
  EXPECT_FALSE(IsDialupConnected(none));
  FakeRas failing(1, RASCS_Connected, ERROR_NOT_SUPPORTED);
  EXPECT_FALSE(IsDialupConnected(failing));
  FakeRas dialing(3, RASCS_OpenPort);
  EXPECT_FALSE(IsDialupConnected(dialing));
}

TEST(Dialup, SystemQueryUnderTestFindsNoConnection) {
  EXPECT_FALSE(IsDialupConnected());  // no line here; the query itself must not fail the program
}

}  // namespace
}  // namespace quorel
