// Whether a dial-up (remote access) connection is up. The remote-access
// functions come through a small interface so tests can stand in for them.
#pragma once

#include <windows.h>
#include <ras.h>
#include <raserror.h>

namespace quorel {

class RasFunctions {
 public:
  virtual ~RasFunctions() = default;
  virtual DWORD EnumConnections(RASCONNA* connections, DWORD* bytes, DWORD* count) = 0;
  virtual DWORD GetConnectStatus(HRASCONN connection, RASCONNSTATUSA* status) = 0;
};

// The system's rasapi32.dll, loaded on first use; calls fail without it.
RasFunctions& SystemRasFunctions();

// Enumerates every connection (the buffer grows to what the system asks for)
// and reports whether the first one is connected.
bool IsDialupConnected(RasFunctions& ras);
bool IsDialupConnected();

}  // namespace quorel
