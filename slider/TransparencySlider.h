#pragma once
// The opacity slider: a thumb dragged along a track, or made to jump by a
// press on the track. Its position becomes an opacity that is applied at
// once. One class serves every window that carries a slider; each window
// gives it its four controls and says which window a press and a drag act on.

#include <cstdint>
#include <functional>
#include <string>

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
  // Where the windows' sliders differ. The main window's is the default;
  // each difference of the ghost panel's is one named field.
  struct Wiring {
    // The window a press on the track acts on.
    std::function<platform::Hwnd()> pressTarget;
    // The window a drag of the thumb acts on.
    std::function<platform::Hwnd()> dragTarget;
    // Paused by a press on the track or the thumb and resumed by the
    // thumb's release; null for none.
    forms::Timer* watchTimer = nullptr;
    // Hidden by motion over the track; null for none.
    forms::Control* hiddenByTrackMotion = nullptr;
    // A press on the track also hides the highlighted thumb, leaving only
    // the cover at the old place.
    bool trackPressHidesThumb = false;
    // Thumb motion asks whether the thumb is held before the movement
    // filter, so the filter follows the pointer only during a drag.
    bool motionTestsDraggingFirst = false;
    // The thumb is repainted at its new place before the opacity changes.
    bool repaintsBeforeApplying = true;
  };

  static constexpr int kMinLeft = 2;
  static constexpr int kMaxLeft = 148;
  static constexpr const char* kLabelSuffix = "/透明度";

  TransparencySlider(platform::Desktop& desktop, Controls controls, Wiring wiring);

  // Gives the four controls the slider's pictures, tooltips and label font;
  // each window places them and colours the label itself.
  static void designLooks(Controls controls);

  // What the value label reads for alpha, "255/透明度" at the top.
  [[nodiscard]] static std::string labelText(int alpha);

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
