#include "win32/Pictures.h"

#include <objidl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
// GDI+'s headers expect min and max in scope.
using std::max;
using std::min;
#include <gdiplus.h>

namespace win32 {

Pictures::Pictures(HINSTANCE instance) : instance_(instance) {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
}

Pictures::~Pictures() {
  cache_.clear();
  if (gdiplusToken_ != 0) Gdiplus::GdiplusShutdown(gdiplusToken_);
}

const Pictures::Picture* Pictures::load(int id) {
  const auto cached = cache_.find(id);
  if (cached != cache_.end()) return cached->second.bitmap ? &cached->second : nullptr;
  Picture& picture = cache_[id];

  HRSRC resource = FindResourceW(instance_, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
  if (resource == nullptr) return nullptr;
  HGLOBAL data = LoadResource(instance_, resource);
  const auto* bytes = static_cast<const BYTE*>(LockResource(data));
  const DWORD size = SizeofResource(instance_, resource);
  if (bytes == nullptr || size == 0) return nullptr;

  IStream* stream = SHCreateMemStream(bytes, size);
  if (stream == nullptr) return nullptr;
  Gdiplus::GpBitmap* bitmap = nullptr;
  const bool decoded = Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok;
  stream->Release();
  if (!decoded) return nullptr;

  UINT width = 0;
  UINT height = 0;
  Gdiplus::DllExports::GdipGetImageWidth(bitmap, &width);
  Gdiplus::DllExports::GdipGetImageHeight(bitmap, &height);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(width);
  info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (dib && bits != nullptr) {
    Gdiplus::Rect rect(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    Gdiplus::BitmapData locked{};
    // Premultiplied, as AlphaBlend wants it.
    if (Gdiplus::DllExports::GdipBitmapLockBits(bitmap, &rect, Gdiplus::ImageLockModeRead,
                                                PixelFormat32bppPARGB, &locked) == Gdiplus::Ok) {
      for (UINT row = 0; row < height; ++row) {
        std::memcpy(static_cast<BYTE*>(bits) + row * width * 4,
                    static_cast<const BYTE*>(locked.Scan0) + row * static_cast<UINT>(locked.Stride),
                    width * 4);
      }
      Gdiplus::DllExports::GdipBitmapUnlockBits(bitmap, &locked);
      picture.bitmap = std::move(dib);
      picture.width = static_cast<int>(width);
      picture.height = static_cast<int>(height);
    }
  }
  Gdiplus::DllExports::GdipDisposeImage(bitmap);
  return picture.bitmap ? &picture : nullptr;
}

void Pictures::draw(HDC dc, int id, int x, int y, int w, int h) {
  const Picture* picture = load(id);
  if (picture == nullptr) return;
  UniqueDc source(CreateCompatibleDC(dc));
  const HGDIOBJ old = SelectObject(source.get(), picture->bitmap.get());
  const int width = std::min(w, picture->width);
  const int height = std::min(h, picture->height);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  AlphaBlend(dc, x, y, width, height, source.get(), 0, 0, width, height, blend);
  SelectObject(source.get(), old);
}

}  // namespace win32
