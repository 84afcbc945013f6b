#pragma once
// Pictures from PNG resources, decoded with GDI+ into premultiplied 32-bit
// bitmaps, drawn with their transparency.
//
// GDI+ is loaded and started when the first picture is decoded, not with the
// program: a start in the tray draws no picture at all. Decoded pictures are
// kept while a window may draw them again; the host lets go of those that no
// window uses any more (a closed help window's page, say).

#include <windows.h>

#include <map>
#include <memory>
#include <set>

#include "win32/UniqueHandle.h"

namespace win32 {

class Pictures {
 public:
  explicit Pictures(HINSTANCE instance);
  ~Pictures();
  Pictures(const Pictures&) = delete;
  Pictures& operator=(const Pictures&) = delete;

  // Draws picture `id` with its top-left corner at (x, y), clipped to w x h.
  void draw(HDC dc, int id, int x, int y, int w, int h);
  // Frees every decoded picture whose id is not in `used`.
  void keepOnly(const std::set<int>& used);
  [[nodiscard]] std::size_t decodedCount() const { return cache_.size(); }
  // Whether GDI+ has been started in this process by us.
  [[nodiscard]] bool decoderStarted() const { return gdiplus_ != nullptr; }

 private:
  struct Picture {
    UniqueBitmap bitmap;
    int width = 0;
    int height = 0;
  };
  struct GdiPlus;
  const Picture* load(int id);
  Picture decode(int id);
  bool startDecoder();

  HINSTANCE instance_;
  std::unique_ptr<GdiPlus> gdiplus_;
  bool decoderTried_ = false;
  std::map<int, Picture> cache_;
};

}  // namespace win32
