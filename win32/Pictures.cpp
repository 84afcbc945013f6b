#include "win32/Pictures.h"

#include <objidl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <memory>
// GDI+'s headers expect min and max in scope.
using std::max;
using std::min;
#include <gdiplus.h>

namespace win32 {

// The few flat GDI+ calls a decode needs, found in gdiplus.dll once it has
// been loaded; shut down and unloaded with this.
struct Pictures::GdiPlus {
  GdiPlus() = default;
  GdiPlus(const GdiPlus&) = delete;
  GdiPlus& operator=(const GdiPlus&) = delete;
  ~GdiPlus() {
    if (token != 0) shutdown(token);
    if (module != nullptr) FreeLibrary(module);
  }

  HMODULE module = nullptr;
  ULONG_PTR token = 0;
  Gdiplus::Status(WINAPI* startup)(ULONG_PTR*, const Gdiplus::GdiplusStartupInput*,
                                   Gdiplus::GdiplusStartupOutput*) = nullptr;
  void(WINAPI* shutdown)(ULONG_PTR) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* fromStream)(IStream*, Gdiplus::GpBitmap**) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* width)(Gdiplus::GpImage*, UINT*) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* height)(Gdiplus::GpImage*, UINT*) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* lockBits)(Gdiplus::GpBitmap*, const Gdiplus::GpRect*, UINT,
                                          Gdiplus::PixelFormat, Gdiplus::BitmapData*) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* unlockBits)(Gdiplus::GpBitmap*, Gdiplus::BitmapData*) = nullptr;
  Gdiplus::GpStatus(WINGDIPAPI* dispose)(Gdiplus::GpImage*) = nullptr;
};

namespace {

template <class F>
bool find(HMODULE module, const char* name, F*& function) {
  // The usual cast from GetProcAddress's catch-all pointer type.
  function = reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return function != nullptr;
}

}  // namespace

Pictures::Pictures(HINSTANCE instance) : instance_(instance) {}

Pictures::~Pictures() {
  // The bitmaps go before the library that made them.
  cache_.clear();
}

bool Pictures::startDecoder() {
  if (gdiplus_ != nullptr) return true;
  // Tried once: a system without GDI+ shows no pictures, and does not look
  // for the library again at every paint.
  if (decoderTried_) return false;
  decoderTried_ = true;
  auto g = std::make_unique<GdiPlus>();
  g->module = LoadLibraryExW(L"gdiplus.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (g->module == nullptr) g->module = LoadLibraryW(L"gdiplus.dll");
  if (g->module == nullptr) return false;
  const bool found = find(g->module, "GdiplusStartup", g->startup) &&
                     find(g->module, "GdiplusShutdown", g->shutdown) &&
                     find(g->module, "GdipCreateBitmapFromStream", g->fromStream) &&
                     find(g->module, "GdipGetImageWidth", g->width) &&
                     find(g->module, "GdipGetImageHeight", g->height) &&
                     find(g->module, "GdipBitmapLockBits", g->lockBits) &&
                     find(g->module, "GdipBitmapUnlockBits", g->unlockBits) &&
                     find(g->module, "GdipDisposeImage", g->dispose);
  Gdiplus::GdiplusStartupInput input;
  if (!found || g->startup(&g->token, &input, nullptr) != Gdiplus::Ok) return false;
  gdiplus_ = std::move(g);
  return true;
}

const Pictures::Picture* Pictures::load(int id) {
  auto cached = cache_.find(id);
  if (cached == cache_.end()) cached = cache_.emplace(id, decode(id)).first;
  return cached->second.bitmap ? &cached->second : nullptr;
}

Pictures::Picture Pictures::decode(int id) {
  Picture picture;
  HRSRC resource = FindResourceW(instance_, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
  if (resource == nullptr) return picture;
  HGLOBAL data = LoadResource(instance_, resource);
  const auto* bytes = static_cast<const BYTE*>(LockResource(data));
  const DWORD size = SizeofResource(instance_, resource);
  if (bytes == nullptr || size == 0 || !startDecoder()) return picture;
  const GdiPlus& g = *gdiplus_;

  IStream* stream = SHCreateMemStream(bytes, size);
  if (stream == nullptr) return picture;
  Gdiplus::GpBitmap* bitmap = nullptr;
  const bool decoded = g.fromStream(stream, &bitmap) == Gdiplus::Ok;
  stream->Release();
  if (!decoded) return picture;

  UINT width = 0;
  UINT height = 0;
  g.width(bitmap, &width);
  g.height(bitmap, &height);
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
    if (g.lockBits(bitmap, &rect, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &locked) ==
        Gdiplus::Ok) {
      for (UINT row = 0; row < height; ++row) {
        std::memcpy(static_cast<BYTE*>(bits) + row * width * 4,
                    static_cast<const BYTE*>(locked.Scan0) + row * static_cast<UINT>(locked.Stride),
                    width * 4);
      }
      g.unlockBits(bitmap, &locked);
      picture.bitmap = std::move(dib);
      picture.width = static_cast<int>(width);
      picture.height = static_cast<int>(height);
    }
  }
  g.dispose(bitmap);
  return picture;
}

void Pictures::keepOnly(const std::set<int>& used) {
  std::erase_if(cache_, [&](const auto& entry) { return !used.contains(entry.first); });
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
