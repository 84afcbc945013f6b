#pragma once
// Pictures from PNG resources, decoded once with GDI+ into premultiplied
// 32-bit bitmaps, drawn with their transparency.

#include <windows.h>

#include <map>

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

 private:
  struct Picture {
    UniqueBitmap bitmap;
    int width = 0;
    int height = 0;
  };
  const Picture* load(int id);

  HINSTANCE instance_;
  ULONG_PTR gdiplusToken_ = 0;
  std::map<int, Picture> cache_;
};

}  // namespace win32
