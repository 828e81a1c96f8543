// Sockets whose events arrive as window messages. CAsyncSocketWin selects all
// six socket events onto a message-only sink window of the creating thread and
// turns them into virtual notifications; CWndSocket passes the receive and
// connect notifications on to a client window.
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace quorel {

// Messages of the client windows (fixed numbers).
constexpr UINT WM_SOCKET_CONNECT = WM_USER + 51;  // wParam: the connect's error code
constexpr UINT WM_SOCKET_RECEIVE = WM_USER + 52;

class CAsyncSocketWin {
 public:
  CAsyncSocketWin() = default;
  CAsyncSocketWin(const CAsyncSocketWin&) = delete;
  CAsyncSocketWin& operator=(const CAsyncSocketWin&) = delete;
  virtual ~CAsyncSocketWin() { Close(); }

  // 0 on success, else the socket error code.
  int Create(int family, int type, int protocol);
  // 0 when connected or still connecting, else the error code.
  int Connect(const sockaddr* address, int length);
  // Bytes sent or received, or SOCKET_ERROR (then LastError()).
  int Send(const void* data, int size);
  int Receive(void* data, int size);
  void Close();
  bool is_open() const { return socket_ != INVALID_SOCKET; }
  HWND sink() const { return sink_; }
  SOCKET handle() const { return socket_; }
  // The sink window's message: wParam the socket, lParam the event and its error.
  static constexpr UINT kEventMessage = WM_USER + 1;
  static int LastError() { return WSAGetLastError(); }

 protected:
  virtual void OnReceive(int error) {}
  virtual void OnSend(int error) {}
  virtual void OnOutOfBandData(int error) {}
  virtual void OnAccept(int error) {}
  virtual void OnConnect(int error) {}
  virtual void OnClose(int error) {}

 private:
  static LRESULT CALLBACK SinkProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  SOCKET socket_ = INVALID_SOCKET;
  HWND sink_ = nullptr;
};

class CWndSocket : public CAsyncSocketWin {
 public:
  explicit CWndSocket(HWND notify = nullptr) : notify_(notify) {}
  void set_notify(HWND notify) { notify_ = notify; }

 protected:
  // A receive with an error posts nothing; a connect posts its error code.
  void OnReceive(int error) override;
  void OnSend(int error) override {}
  void OnConnect(int error) override;

 private:
  HWND notify_;
};

}  // namespace quorel
