#include "net/dialup_win.h"

#include <vector>

namespace quorel {

namespace {

class SystemRas : public RasFunctions {
 public:
  SystemRas() {
    library_ = LoadLibraryW(L"rasapi32.dll");
    if (library_) {
      enum_ = reinterpret_cast<EnumFn>(reinterpret_cast<void*>(GetProcAddress(library_, "RasEnumConnectionsA")));
      status_ = reinterpret_cast<StatusFn>(reinterpret_cast<void*>(GetProcAddress(library_, "RasGetConnectStatusA")));
    }
  }
  DWORD EnumConnections(RASCONNA* connections, DWORD* bytes, DWORD* count) override {
    return enum_ ? enum_(connections, bytes, count) : ERROR_NOT_SUPPORTED;
  }
  DWORD GetConnectStatus(HRASCONN connection, RASCONNSTATUSA* status) override {
    return status_ ? status_(connection, status) : ERROR_NOT_SUPPORTED;
  }

 private:
  using EnumFn = DWORD(WINAPI*)(RASCONNA*, DWORD*, DWORD*);
  using StatusFn = DWORD(WINAPI*)(HRASCONN, RASCONNSTATUSA*);
  HMODULE library_ = nullptr;
  EnumFn enum_ = nullptr;
  StatusFn status_ = nullptr;
};

}  // namespace

RasFunctions& SystemRasFunctions() {
  static SystemRas ras;
  return ras;
}

bool IsDialupConnected(RasFunctions& ras) {
  std::vector<RASCONNA> connections(1);
  DWORD count = 0;
  DWORD result = ERROR_BUFFER_TOO_SMALL;
  // Connections may come up between the calls: ask again with the size the system names.
  for (int attempt = 0; attempt < 4 && result == ERROR_BUFFER_TOO_SMALL; ++attempt) {
    connections[0].dwSize = sizeof(RASCONNA);
    DWORD bytes = static_cast<DWORD>(connections.size() * sizeof(RASCONNA));
    count = 0;
    result = ras.EnumConnections(connections.data(), &bytes, &count);
    if (result == ERROR_BUFFER_TOO_SMALL) {
      const std::size_t wanted = bytes / sizeof(RASCONNA) + 1;
      connections.resize(wanted > connections.size() ? wanted : connections.size() * 2);
    }
  }
  if (result != 0 || count == 0) return false;
  RASCONNSTATUSA status = {};
  status.dwSize = sizeof(status);
  return ras.GetConnectStatus(connections[0].hrasconn, &status) == 0 && status.rasconnstate == RASCS_Connected;
}

bool IsDialupConnected() { return IsDialupConnected(SystemRasFunctions()); }

}  // namespace quorel
