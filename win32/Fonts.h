#pragma once
// The fonts of the forms' controls, each made once for the whole run.

#include <windows.h>

#include <map>
#include <string>

#include "forms/Control.h"
#include "win32/UniqueHandle.h"

namespace win32 {

class Fonts {
 public:
  Fonts() = default;
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  // The font in points at the screen's resolution, and in its character set.
  HFONT get(const forms::Font& font);

 private:
  std::map<std::wstring, UniqueFont> fonts_;
};

}  // namespace win32
