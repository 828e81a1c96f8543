// What the sound tests heard: the recordings the ALSA file device wrote into
// QUOREL_SOUND_RECORD (see use_sound_recording in scripts/wine-env.sh), one
// file per opened stream, and the clips of the packs to match them against.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "wingui/test_support_win.h"

namespace soundtest {

struct Recording {
  std::wstring name;  // <unix seconds.nanoseconds>-<rate>-<channels>-<bits>.raw
  double start = 0;   // seconds, from the name
  double end = 0;     // seconds, the file's last write
  std::string bytes;
};

// The recording folder as a Windows path, or empty when the run records nothing.
inline std::wstring RecordFolder() {
  char unix_dir[1024];
  DWORD n = GetEnvironmentVariableA("QUOREL_SOUND_RECORD", unix_dir, sizeof unix_dir);
  if (n == 0 || n >= sizeof unix_dir) return L"";
  std::wstring dir = L"Z:";
  for (const char* p = unix_dir; *p; ++p) dir += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
  return dir;
}

inline double UnixSeconds(const FILETIME& ft) {
  ULARGE_INTEGER u;
  u.LowPart = ft.dwLowDateTime, u.HighPart = ft.dwHighDateTime;
  return (static_cast<double>(u.QuadPart) - 116444736000000000.0) / 1e7;
}

inline std::string ReadAll(const std::wstring& path) {
  std::string out;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) return out;
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
  CloseHandle(h);
  return out;
}

// The recordings so far, oldest first.
inline std::vector<Recording> Recordings() {
  std::vector<Recording> out;
  const std::wstring dir = RecordFolder();
  if (dir.empty()) return out;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*.raw").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    Recording r;
    r.name = fd.cFileName;
    r.start = _wtof(r.name.c_str());
    r.end = UnixSeconds(fd.ftLastWriteTime);
    r.bytes = ReadAll(dir + L"\\" + r.name);
    out.push_back(r);
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  std::sort(out.begin(), out.end(), [](const Recording& a, const Recording& b) { return a.name < b.name; });
  return out;
}

inline void ClearRecordings() {
  const std::wstring dir = RecordFolder();
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*.raw").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do DeleteFileW((dir + L"\\" + fd.cFileName).c_str());
  while (FindNextFileW(h, &fd));
  FindClose(h);
}

// Waits until `count` recordings exist and the newest has not grown for a while.
inline std::vector<Recording> WaitForRecordings(std::size_t count, DWORD ms) {
  std::vector<Recording> r;
  wingui::test::WaitFor([&] { return (r = Recordings()).size() >= count; }, ms);
  Sleep(300);  // the last stream's writer finishes
  return Recordings();
}

// The data chunk of a WAVE file, or empty.
inline std::string WaveData(const std::string& wav) {
  if (wav.size() < 12 || wav.compare(0, 4, "RIFF") != 0 || wav.compare(8, 4, "WAVE") != 0) return "";
  std::size_t at = 12;
  while (at + 8 <= wav.size()) {
    const std::uint32_t size = static_cast<unsigned char>(wav[at + 4]) | static_cast<unsigned char>(wav[at + 5]) << 8 |
                               static_cast<unsigned char>(wav[at + 6]) << 16 |
                               static_cast<std::uint32_t>(static_cast<unsigned char>(wav[at + 7])) << 24;
    if (wav.compare(at, 4, "data") == 0) return wav.substr(at + 8, size);
    at += 8 + size + (size & 1);
  }
  return "";
}

// The WAVE resource `name` of a pack, as the file it holds.
inline std::string PackWave(HMODULE pack, const wchar_t* name) {
  HRSRC r = FindResourceW(pack, name, L"WAVE");
  if (!r) return "";
  HGLOBAL g = LoadResource(pack, r);
  return std::string(static_cast<const char*>(LockResource(g)), SizeofResource(pack, r));
}

// True when the recording holds exactly the clip's samples (silence may follow).
inline bool Holds(const Recording& rec, const std::string& data) {
  if (data.empty() || rec.bytes.size() < data.size() || rec.bytes.compare(0, data.size(), data) != 0) return false;
  return std::all_of(rec.bytes.begin() + data.size(), rec.bytes.end(), [](char c) { return c == 0; });
}

}  // namespace soundtest
