#include "render/memory_stream_win.h"

#include <cstring>

namespace IO {
namespace Private {

HRESULT MemoryStream::QueryInterface(REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_ISequentialStream || iid == IID_IStream) {
    *out = static_cast<IStream*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG MemoryStream::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG MemoryStream::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT MemoryStream::Read(void* buffer, ULONG size, ULONG* read) {
  const ULONG remaining = static_cast<ULONG>(end_ - current_);
  const ULONG count = size < remaining ? size : remaining;
  if (count > 0) std::memcpy(buffer, current_, count);
  current_ += count;
  if (read) *read = count;
  return count == 0 ? S_FALSE : S_OK;
}

HRESULT MemoryStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) {
  const BYTE* base;
  switch (origin) {
    case STREAM_SEEK_SET: base = begin_; break;
    case STREAM_SEEK_CUR: base = current_; break;
    case STREAM_SEEK_END: base = end_; break;
    default: return E_INVALIDARG;
  }
  // Compare as offsets: a pointer outside [begin, end] is never formed.
  const LONGLONG target = (base - begin_) + move.QuadPart;
  if (target < 0 || target > end_ - begin_) return STG_E_INVALIDPOINTER;
  current_ = begin_ + target;
  if (position) position->QuadPart = static_cast<ULONGLONG>(target);
  return S_OK;
}

HRESULT MemoryStream::Stat(STATSTG* stat, DWORD) {
  if (stat == nullptr) return STG_E_INVALIDPOINTER;
  std::memset(stat, 0, sizeof(*stat));
  stat->type = STGTY_STREAM;
  stat->cbSize.QuadPart = static_cast<ULONGLONG>(end_ - begin_);
  stat->grfMode = STGM_READ;
  return S_OK;
}

}  // namespace Private
}  // namespace IO
