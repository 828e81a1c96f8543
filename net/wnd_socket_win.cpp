#include "net/wnd_socket_win.h"

namespace quorel {

namespace {

constexpr wchar_t kSinkClass[] = L"QuorelSocketSink";

bool StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

}  // namespace

int CAsyncSocketWin::Create(int family, int type, int protocol) {
  Close();
  if (!StartWinsock()) return WSASYSNOTREADY;
  static const bool registered = [] {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = SinkProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kSinkClass;
    return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  if (!registered) return static_cast<int>(GetLastError());
  socket_ = socket(family, type, protocol);
  if (socket_ == INVALID_SOCKET) return WSAGetLastError();
  sink_ = CreateWindowExW(0, kSinkClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!sink_) {
    const int error = static_cast<int>(GetLastError());
    Close();
    return error ? error : WSAENOBUFS;
  }
  SetWindowLongPtrW(sink_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  if (WSAAsyncSelect(socket_, sink_, kEventMessage, FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE) != 0) {
    const int error = WSAGetLastError();
    Close();
    return error;
  }
  return 0;
}

int CAsyncSocketWin::Connect(const sockaddr* address, int length) {
  if (connect(socket_, address, length) == 0) return 0;
  const int error = WSAGetLastError();
  return error == WSAEWOULDBLOCK ? 0 : error;  // still connecting is not a failure
}

int CAsyncSocketWin::Send(const void* data, int size) { return send(socket_, static_cast<const char*>(data), size, 0); }

int CAsyncSocketWin::Receive(void* data, int size) { return recv(socket_, static_cast<char*>(data), size, 0); }

void CAsyncSocketWin::Close() {
  if (socket_ != INVALID_SOCKET) {
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }
  if (sink_) {
    SetWindowLongPtrW(sink_, GWLP_USERDATA, 0);
    DestroyWindow(sink_);
    sink_ = nullptr;
  }
}

LRESULT CALLBACK CAsyncSocketWin::SinkProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != kEventMessage) return DefWindowProcW(hwnd, msg, wp, lp);
  auto* self = reinterpret_cast<CAsyncSocketWin*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // A notification for a socket closed since is dropped.
  if (!self || static_cast<SOCKET>(wp) != self->socket_) return 0;
  const int error = WSAGETSELECTERROR(lp);
  switch (WSAGETSELECTEVENT(lp)) {
    case FD_READ: self->OnReceive(error); break;
    case FD_WRITE: self->OnSend(error); break;
    case FD_OOB: self->OnOutOfBandData(error); break;
    case FD_ACCEPT: self->OnAccept(error); break;
    case FD_CONNECT: self->OnConnect(error); break;
    case FD_CLOSE: self->OnClose(error); break;
  }
  return 0;
}

void CWndSocket::OnReceive(int error) {
  if (error == 0 && notify_) PostMessageW(notify_, WM_SOCKET_RECEIVE, 0, 0);
}

void CWndSocket::OnConnect(int error) {
  if (notify_) PostMessageW(notify_, WM_SOCKET_CONNECT, static_cast<WPARAM>(error), 0);
}

}  // namespace quorel
