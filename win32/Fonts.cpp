#include "win32/Fonts.h"

#include <cmath>

#include "win32/Text.h"

namespace win32 {

HFONT Fonts::get(const forms::Font& font) {
  const std::wstring face = toWide(font.face);
  const std::wstring key = face + L"|" + std::to_wstring(font.points) + L"|" +
                           std::to_wstring(font.charset) + (font.bold ? L"|b" : L"");
  auto it = fonts_.find(key);
  if (it == fonts_.end()) {
    HDC screen = GetDC(nullptr);
    const int height =
        -static_cast<int>(std::lround(font.points * GetDeviceCaps(screen, LOGPIXELSY) / 72.0));
    ReleaseDC(nullptr, screen);
    UniqueFont created(CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                   FALSE, static_cast<DWORD>(font.charset), OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                   face.c_str()));
    it = fonts_.emplace(key, std::move(created)).first;
  }
  return it->second.get();
}

}  // namespace win32
