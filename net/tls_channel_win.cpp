#include "net/tls_channel_win.h"

#include <wincrypt.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace quorel {

namespace {

constexpr std::size_t kMaxIncoming = 1 << 16;  // more than one record may hold: a server gone wrong

// A store of the PEM certificates of a file (null when none could be read).
HCERTSTORE LoadPemStore(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  if (!in) return nullptr;
  std::stringstream all;
  all << in.rdbuf();
  const std::string text = all.str();
  HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_MEMORY, 0, 0, 0, nullptr);
  if (!store) return nullptr;
  const std::string begin = "-----BEGIN CERTIFICATE-----", end = "-----END CERTIFICATE-----";
  std::size_t at = 0;
  int added = 0;
  while ((at = text.find(begin, at)) != std::string::npos) {
    const std::size_t stop = text.find(end, at);
    if (stop == std::string::npos) break;
    const std::string pem = text.substr(at, stop + end.size() - at);
    DWORD size = 0;
    if (CryptStringToBinaryA(pem.c_str(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER, nullptr, &size,
                             nullptr, nullptr)) {
      std::vector<BYTE> der(size);
      if (CryptStringToBinaryA(pem.c_str(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER, der.data(),
                               &size, nullptr, nullptr) &&
          CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(), size, CERT_STORE_ADD_ALWAYS,
                                           nullptr))
        ++added;
    }
    at = stop;
  }
  if (!added) {
    CertCloseStore(store, 0);
    return nullptr;
  }
  return store;
}

bool SendAll(SOCKET s, const char* data, std::size_t size) {
  while (size > 0) {
    const int sent = send(s, data, static_cast<int>(size), 0);
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

}  // namespace

void TlsChannel::Reset() {
  if (have_context_) DeleteSecurityContext(&context_);
  if (have_credentials_) FreeCredentialsHandle(&credentials_);
  have_context_ = have_credentials_ = false;
  incoming_.clear();
  socket_ = INVALID_SOCKET;
}

int TlsChannel::ReceiveMore() {
  if (incoming_.size() >= kMaxIncoming) return -1;
  char buffer[8192];
  const int got = recv(socket_, buffer, sizeof(buffer), 0);
  if (got > 0) incoming_.append(buffer, static_cast<std::size_t>(got));
  return got;
}

TlsResult TlsChannel::Connect(SOCKET socket, const std::wstring& server) {
  Reset();
  socket_ = socket;
  TlsResult r;
  auto fail = [&](long status, int step) {
    r.failure = TlsFailure::kHandshake;
    r.status = status;
    r.step = step;
    return r;
  };

  SCHANNEL_CRED cred = {};
  cred.dwVersion = SCHANNEL_CRED_VERSION;
  cred.dwFlags = SCH_CRED_NO_DEFAULT_CREDS | SCH_CRED_MANUAL_CRED_VALIDATION;
  TimeStamp expiry;
  SECURITY_STATUS status = AcquireCredentialsHandleW(nullptr, const_cast<wchar_t*>(UNISP_NAME_W), SECPKG_CRED_OUTBOUND,
                                                     nullptr, &cred, nullptr, nullptr, &credentials_, &expiry);
  if (status != SEC_E_OK) return fail(status, 0);
  have_credentials_ = true;

  const DWORD wanted = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                       ISC_REQ_EXTENDED_ERROR | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM;
  bool first = true;
  for (;;) {
    SecBuffer in_buffers[2] = {};
    in_buffers[0].BufferType = SECBUFFER_TOKEN;
    in_buffers[0].pvBuffer = incoming_.empty() ? nullptr : &incoming_[0];
    in_buffers[0].cbBuffer = static_cast<unsigned long>(incoming_.size());
    in_buffers[1].BufferType = SECBUFFER_EMPTY;
    SecBufferDesc in_desc = {SECBUFFER_VERSION, 2, in_buffers};
    SecBuffer out_buffer = {0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc out_desc = {SECBUFFER_VERSION, 1, &out_buffer};
    DWORD got_flags = 0;
    // The server's name goes into the handshake, so a server of many names shows the right certificate.
    status = InitializeSecurityContextW(&credentials_, first ? nullptr : &context_,
                                        const_cast<wchar_t*>(server.c_str()), wanted, 0, 0,
                                        first ? nullptr : &in_desc, 0, first ? &context_ : nullptr, &out_desc,
                                        &got_flags, &expiry);
    if (first && (status == SEC_E_OK || status == SEC_I_CONTINUE_NEEDED || status == SEC_E_INCOMPLETE_MESSAGE ||
                  status == SEC_I_INCOMPLETE_CREDENTIALS))
      have_context_ = true;
    first = false;
    if (out_buffer.pvBuffer) {
      const bool sent = out_buffer.cbBuffer == 0 ||
                        SendAll(socket_, static_cast<const char*>(out_buffer.pvBuffer), out_buffer.cbBuffer);
      FreeContextBuffer(out_buffer.pvBuffer);
      if (!sent) return fail(status, WSAGetLastError());
    }
    if (status == SEC_E_INCOMPLETE_MESSAGE) {
      const int got = ReceiveMore();
      if (got <= 0) return fail(status, got == 0 ? 0 : WSAGetLastError());
      continue;
    }
    if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED) return fail(status, 0);
    // Bytes the step did not use stay for the next one.
    if (in_buffers[1].BufferType == SECBUFFER_EXTRA && in_buffers[1].cbBuffer > 0)
      incoming_ = incoming_.substr(incoming_.size() - in_buffers[1].cbBuffer);
    else
      incoming_.clear();
    if (status == SEC_E_OK) break;
    if (incoming_.empty()) {
      const int got = ReceiveMore();
      if (got <= 0) return fail(SEC_E_INCOMPLETE_MESSAGE, got == 0 ? 0 : WSAGetLastError());
    }
  }
  status = QueryContextAttributesW(&context_, SECPKG_ATTR_STREAM_SIZES, &sizes_);
  if (status != SEC_E_OK) return fail(status, 0);
  return VerifyServer(server);
}

TlsResult TlsChannel::VerifyServer(const std::wstring& server) {
  TlsResult r;
  PCCERT_CONTEXT cert = nullptr;
  SECURITY_STATUS status = QueryContextAttributesW(&context_, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &cert);
  if (status != SEC_E_OK || !cert) {
    r.failure = TlsFailure::kCertOther;
    r.status = status;
    return r;
  }
  HCERTCHAINENGINE engine = nullptr;
  HCERTSTORE roots = roots_file_.empty() ? nullptr : LoadPemStore(roots_file_);
  if (!roots_file_.empty()) {
    if (!roots) {
      CertFreeCertificateContext(cert);
      r.failure = TlsFailure::kCertUnknown;
      return r;
    }
    CERT_CHAIN_ENGINE_CONFIG config = {};
    config.cbSize = sizeof(config);
    config.hExclusiveRoot = roots;
    if (!CertCreateCertificateChainEngine(&config, &engine)) {
      config.cbSize = 80;  // the older layout some systems want
      if (!CertCreateCertificateChainEngine(&config, &engine)) engine = nullptr;
    }
    if (!engine) {
      CertCloseStore(roots, 0);
      CertFreeCertificateContext(cert);
      r.failure = TlsFailure::kCertOther;
      r.status = static_cast<long>(GetLastError());
      return r;
    }
  }

  CERT_CHAIN_PARA chain_para = {};
  chain_para.cbSize = sizeof(chain_para);
  PCCERT_CHAIN_CONTEXT chain = nullptr;
  if (!CertGetCertificateChain(engine, cert, nullptr, cert->hCertStore, &chain_para, 0, nullptr, &chain)) {
    r.failure = TlsFailure::kCertOther;
    r.status = static_cast<long>(GetLastError());
  } else {
    const DWORD trust = chain->TrustStatus.dwErrorStatus;
    SSL_EXTRA_CERT_CHAIN_POLICY_PARA ssl = {};
    ssl.cbSize = sizeof(ssl);
    ssl.dwAuthType = AUTHTYPE_SERVER;
    ssl.pwszServerName = const_cast<wchar_t*>(server.c_str());
    CERT_CHAIN_POLICY_PARA policy_para = {};
    policy_para.cbSize = sizeof(policy_para);
    policy_para.pvExtraPolicyPara = &ssl;
    CERT_CHAIN_POLICY_STATUS policy = {};
    policy.cbSize = sizeof(policy);
    const BOOL checked = CertVerifyCertificateChainPolicy(CERT_CHAIN_POLICY_SSL, chain, &policy_para, &policy);
    const long error = checked ? static_cast<long>(policy.dwError) : static_cast<long>(GetLastError());
    if (trust & CERT_TRUST_IS_NOT_TIME_VALID || error == static_cast<long>(CERT_E_EXPIRED)) {
      r.failure = TlsFailure::kCertExpired;
    } else if (trust & (CERT_TRUST_IS_UNTRUSTED_ROOT | CERT_TRUST_IS_PARTIAL_CHAIN) ||
               error == static_cast<long>(CERT_E_UNTRUSTEDROOT) || error == static_cast<long>(CERT_E_CHAINING)) {
      r.failure = TlsFailure::kCertUnknown;
    } else if (error == static_cast<long>(CERT_E_CN_NO_MATCH)) {
      r.failure = TlsFailure::kCertName;
    } else if (!checked || error != 0 || trust != 0) {
      r.failure = TlsFailure::kCertOther;
      r.status = error ? error : static_cast<long>(trust);
    }
    CertFreeCertificateChain(chain);
  }
  if (engine) CertFreeCertificateChainEngine(engine);
  if (roots) CertCloseStore(roots, 0);
  CertFreeCertificateContext(cert);
  return r;
}

TlsResult TlsChannel::Write(const std::string& text) {
  TlsResult r;
  if (!have_context_) {
    r.failure = TlsFailure::kHandshake;
    r.status = SEC_E_INVALID_HANDLE;
    return r;
  }
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t part = std::min<std::size_t>(text.size() - at, sizes_.cbMaximumMessage);
    std::vector<char> message(sizes_.cbHeader + part + sizes_.cbTrailer);
    memcpy(message.data() + sizes_.cbHeader, text.data() + at, part);
    SecBuffer buffers[4] = {
        {sizes_.cbHeader, SECBUFFER_STREAM_HEADER, message.data()},
        {static_cast<unsigned long>(part), SECBUFFER_DATA, message.data() + sizes_.cbHeader},
        {sizes_.cbTrailer, SECBUFFER_STREAM_TRAILER, message.data() + sizes_.cbHeader + part},
        {0, SECBUFFER_EMPTY, nullptr},
    };
    SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
    const SECURITY_STATUS status = EncryptMessage(&context_, 0, &desc, 0);
    if (status != SEC_E_OK) {
      r.failure = TlsFailure::kHandshake;
      r.status = status;
      return r;
    }
    if (!SendAll(socket_, message.data(), buffers[0].cbBuffer + buffers[1].cbBuffer + buffers[2].cbBuffer)) {
      r.failure = TlsFailure::kHandshake;
      r.status = SEC_E_OK;
      r.step = WSAGetLastError();
      return r;
    }
    at += part;
  }
  return r;
}

TlsResult TlsChannel::Read(std::string& out) {
  TlsResult r;
  out.clear();
  for (;;) {
    if (!incoming_.empty()) {
      SecBuffer buffers[4] = {
          {static_cast<unsigned long>(incoming_.size()), SECBUFFER_DATA, &incoming_[0]},
          {0, SECBUFFER_EMPTY, nullptr},
          {0, SECBUFFER_EMPTY, nullptr},
          {0, SECBUFFER_EMPTY, nullptr},
      };
      SecBufferDesc desc = {SECBUFFER_VERSION, 4, buffers};
      const SECURITY_STATUS status = DecryptMessage(&context_, &desc, 0, nullptr);
      if (status == SEC_E_OK || status == SEC_I_CONTEXT_EXPIRED || status == SEC_I_RENEGOTIATE) {
        std::string extra;
        for (const SecBuffer& b : buffers) {
          if (b.BufferType == SECBUFFER_DATA && b.cbBuffer) out.append(static_cast<char*>(b.pvBuffer), b.cbBuffer);
          if (b.BufferType == SECBUFFER_EXTRA && b.cbBuffer)
            extra.assign(incoming_.data() + incoming_.size() - b.cbBuffer, b.cbBuffer);
        }
        incoming_ = extra;
        if (status == SEC_I_CONTEXT_EXPIRED) return r;  // the server's close_notify: out may be empty
        if (status == SEC_I_RENEGOTIATE) {
          r.failure = TlsFailure::kHandshake;
          r.status = status;
          return r;
        }
        if (!out.empty()) return r;
        continue;
      }
      if (status != SEC_E_INCOMPLETE_MESSAGE) {
        r.failure = TlsFailure::kHandshake;
        r.status = status;
        return r;
      }
    }
    const int got = ReceiveMore();
    if (got == 0) return r;  // closed without a word
    if (got < 0) {
      r.failure = TlsFailure::kHandshake;
      r.status = SEC_E_INCOMPLETE_MESSAGE;
      r.step = WSAGetLastError();
      return r;
    }
  }
}

}  // namespace quorel
