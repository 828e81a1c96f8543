// The description chimepak.dll hands out through GetInformation. Header-only
// and free of any library call, so that the pack links without a C runtime.
#pragma once

namespace chimepak {

// key=value pairs separated by single spaces; no value holds a space.
constexpr char kInformation[] =
    "Name=chimepak Version=1.0 Kind=chimes Clips=CHIME1,CHIME2 Format=PCM,11025Hz,16bit,mono Maker=YovetaInc";
static_assert(sizeof(kInformation) - 1 == 103, "callers size their buffers for 103 bytes and the terminator");

// Copies the description into buf (len bytes, at least 1) and always
// terminates it; a longer text is cut byte-wise at len - 1 bytes.
inline char* CopyInformation(char* buf, int len) {
  if (!buf || len < 1) return buf;
  int i = 0;
  for (; i < len - 1 && kInformation[i] != '\0'; ++i) buf[i] = kInformation[i];
  buf[i] = '\0';
  return buf;
}

}  // namespace chimepak
