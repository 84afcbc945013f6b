#pragma once
// The windowless controls (labels and images) of one surface, a form's
// client area or a container's, which its window draws itself: painted in
// stacking order within the part of the window that needs it, hit-tested,
// holding the pointer from a press to the last release, and telling the
// tooltip when the control under the pointer changes.

#include <windows.h>

#include <functional>
#include <map>

#include "forms/Pointer.h"
#include "win32/UniqueHandle.h"

namespace win32 {

class Win32Host;

class WindowlessLayer {
 public:
  // surface: the container whose client area this is; null for the form's.
  WindowlessLayer(Win32Host& host, forms::Form& form, forms::Control* surface);
  ~WindowlessLayer();
  WindowlessLayer(const WindowlessLayer&) = delete;
  WindowlessLayer& operator=(const WindowlessLayer&) = delete;

  // The surface's window, and the tooltip window of its form.
  void attach(HWND window, HWND tooltip);

  // The control's place needs painting again: where it is now and, when it
  // has moved, where it was drawn last.
  void invalidate(const forms::Control& control);

  // Takes the surface window's painting, pointer and capture messages,
  // painting what background draws under the controls; false for any other
  // message, which the window handles itself.
  bool handle(UINT message, WPARAM wParam, LPARAM lParam,
              const std::function<void(HDC)>& background);

  [[nodiscard]] const forms::Control* hovered() const { return pointer_.hovered(); }
  [[nodiscard]] forms::Control* surface() const { return pointer_.surface(); }

 private:
  // Paints the dirty part of the surface onto target: what background
  // draws, then the windowless controls over it, the bottom of the stacking
  // order first. Drawn off screen in a buffer the size of the window, kept
  // from one paint to the next.
  void paint(HDC target, const RECT& dirty, const std::function<void(HDC)>& background);
  void onMouse(UINT message, WPARAM wParam, LPARAM lParam);
  void draw(HDC dc, const forms::Control& control);
  void keepBuffer(HDC like, SIZE size);

  Win32Host& host_;
  forms::Form& form_;
  forms::SurfacePointer pointer_;
  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  UniqueDc bufferDc_;
  UniqueBitmap buffer_;
  HGDIOBJ bufferDcBitmap_ = nullptr;  // what the buffer's DC held first
  SIZE bufferSize_{};
  std::map<const forms::Control*, RECT> placed_;
};

}  // namespace win32
