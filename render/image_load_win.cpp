#include "render/image_load_win.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "base/image_decode.h"
#include "render/memory_stream_win.h"
#include "wingui/text_win.h"

namespace quorel {

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
}

GdiplusSession::~GdiplusSession() {
  if (ok_) Gdiplus::GdiplusShutdown(token_);
}

namespace {

// Draws the image once into a 32-bit bitmap of its size and reads the pixels.
Surface SurfaceFromImage(Gdiplus::Image& image) {
  if (image.GetLastStatus() != Gdiplus::Ok) return Surface();
  const int w = static_cast<int>(image.GetWidth()), h = static_cast<int>(image.GetHeight());
  if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > kMaxImagePixels) return Surface();
  Gdiplus::Bitmap target(w, h, PixelFormat32bppRGB);
  {
    Gdiplus::Graphics g(&target);
    if (g.DrawImage(&image, Gdiplus::Rect(0, 0, w, h), 0, 0, w, h, Gdiplus::UnitPixel) != Gdiplus::Ok) {
      return Surface();
    }
  }
  Gdiplus::BitmapData data;
  Gdiplus::Rect all(0, 0, w, h);
  if (target.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) != Gdiplus::Ok) return Surface();
  Surface out(w, h);
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
    Color* dst = out.Row(y);
    for (int x = 0; x < w; ++x) dst[x] = row[x] & 0x00ffffffu;  // BGRX in memory: 0x00RRGGBB
  }
  target.UnlockBits(&data);
  return out;
}

Surface DecodeStream(IStream* stream) {
  Gdiplus::Image image(stream);
  return SurfaceFromImage(image);
}

}  // namespace

Surface DecodeImageWithGdiplus(const void* bytes, std::size_t size) {
  if (bytes == nullptr || size == 0) return Surface();
  const BYTE* begin = static_cast<const BYTE*>(bytes);
  auto* stream = new IO::Private::MemoryStream(begin, begin + size);
  Surface out = DecodeStream(stream);
  stream->Release();
  return out;
}

Surface LoadImageFromResource(HMODULE module, int id, const wchar_t* type) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return Surface();
  HGLOBAL loaded = LoadResource(module, found);
  const DWORD size = SizeofResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr || size == 0) return Surface();
  return DecodeImageWithGdiplus(bytes, size);  // resource memory is never freed
}

Surface LoadImageFromFile(const std::string& path) {
  const std::wstring wide = wingui::WideFromAnsi(path);
  if (wide.empty()) return Surface();
  Gdiplus::Image image(wide.c_str());
  return SurfaceFromImage(image);
}

}  // namespace quorel
