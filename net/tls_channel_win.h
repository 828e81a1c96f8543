// A TLS client connection through the platform's TLS (Schannel) over a
// connected socket in blocking mode. The server's certificate is checked by
// the program itself (chain and host name) before anything but the handshake
// is sent; every connection is a new session.
#pragma once

#include <winsock2.h>
#include <windows.h>
#define SECURITY_WIN32
#include <security.h>
#include <schannel.h>

#include <string>

namespace quorel {

enum class TlsFailure {
  kNone,
  kHandshake,     // the handshake itself failed (status, step)
  kCertName,      // the certificate is for another name
  kCertExpired,   // outside its validity
  kCertUnknown,   // no chain to a trusted authority
  kCertOther,     // any other verification failure (status)
};

struct TlsResult {
  TlsFailure failure = TlsFailure::kNone;
  long status = 0;  // the platform's code
  int step = 0;     // where it failed (the system error of the socket, or 0)
  bool ok() const { return failure == TlsFailure::kNone; }
};

class TlsChannel {
 public:
  TlsChannel() = default;
  TlsChannel(const TlsChannel&) = delete;
  TlsChannel& operator=(const TlsChannel&) = delete;
  ~TlsChannel() { Reset(); }

  // The authorities trusted instead of the machine's: PEM certificates in a
  // file (tests only; empty: the machine's root store).
  void set_trusted_roots_file(const std::wstring& path) { roots_file_ = path; }

  // Handshake on `socket` (blocking, with its time limits set), the name sent
  // in the handshake and checked against the certificate.
  TlsResult Connect(SOCKET socket, const std::wstring& server);
  // Sends all of `text`; the result's status tells a failure.
  TlsResult Write(const std::string& text);
  // Reads at least one record; `out` gets the plain bytes (empty when the
  // server closed the connection).
  TlsResult Read(std::string& out);
  bool has_buffered() const { return !incoming_.empty(); }
  // Forgets the session (nothing is sent).
  void Reset();

 private:
  TlsResult VerifyServer(const std::wstring& server);
  int ReceiveMore();  // bytes added to incoming_, 0 closed, <0 error

  SOCKET socket_ = INVALID_SOCKET;
  CredHandle credentials_ = {};
  CtxtHandle context_ = {};
  bool have_credentials_ = false, have_context_ = false;
  SecPkgContext_StreamSizes sizes_ = {};
  std::string incoming_;  // encrypted bytes not yet decrypted
  std::wstring roots_file_;
};

}  // namespace quorel
