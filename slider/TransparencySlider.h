#pragma once
// The opacity slider: a thumb dragged along a track, or made to jump by a
// press on the track. Its position becomes an opacity that is applied at
// once. One class serves every window that carries a slider; each window
// gives it its four controls and says which window a press and a drag act on.

#include <cstdint>
#include <functional>

#include "forms/Control.h"
#include "forms/Timer.h"
#include "platform/Desktop.h"

class TransparencySlider {
 public:
  struct Controls {
    forms::Image& cover;  // the thumb's normal look, on top of the thumb
    forms::Image& thumb;  // the drag handle, in its highlighted look
    forms::Image& track;
    forms::Label& label;
  };
  struct Wiring {
    // The window a press on the track acts on.
    std::function<platform::Hwnd()> pressTarget;
    // The window a drag of the thumb acts on.
    std::function<platform::Hwnd()> dragTarget;
    // Paused while the thumb is held; may be null.
    forms::Timer* watchTimer = nullptr;
    // Hidden by motion over the track; may be null.
    forms::Control* hiddenByTrackMotion = nullptr;
  };

  static constexpr int kMinLeft = 2;
  static constexpr int kMaxLeft = 148;
  static constexpr const char* kLabelSuffix = "/透明度";

  TransparencySlider(platform::Desktop& desktop, Controls controls, Wiring wiring);

  // Opacity for a thumb left of 2..148 pixels.
  [[nodiscard]] static int alphaFor(int left);

  [[nodiscard]] bool dragging() const { return dragging_; }
  [[nodiscard]] std::int16_t sliderValue() const { return sliderValue_; }
  [[nodiscard]] std::int32_t lastMouseX() const { return lastMouseX_; }

 private:
  bool movementPasses(double x);
  void showAlpha(int alpha);
  void placeLabel(int alpha);
  void trackPress(const forms::MouseEvent& e);
  void trackMotion(const forms::MouseEvent& e);
  void coverMotion(const forms::MouseEvent& e);
  void thumbPress(const forms::MouseEvent& e);
  void thumbMotion(const forms::MouseEvent& e);
  void thumbRelease(const forms::MouseEvent& e);

  platform::Desktop& desktop_;
  Controls c_;
  Wiring wiring_;
  bool dragging_ = false;
  std::int16_t sliderValue_ = 0;
  std::int32_t lastMouseX_ = 0;
};
