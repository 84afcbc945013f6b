#include "slider/TransparencySlider.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "forms/Form.h"
#include "resources/resource.h"
#include "winops/Transparent.h"

namespace {

constexpr int kMovementThreshold = 2;  // twips
constexpr int kTrackTwipsPerStep = 16;
constexpr int kHalfThumb = 8;
constexpr int kLabelFar = 8;
constexpr int kLabelNear = 112;
constexpr int kLabelPivot = 80;

std::int32_t roundHalfEven(double value) {
  return static_cast<std::int32_t>(std::nearbyint(value));
}

}  // namespace

TransparencySlider::TransparencySlider(platform::Desktop& desktop, Controls controls,
                                       Wiring wiring)
    : desktop_(desktop), c_(controls), wiring_(std::move(wiring)) {
  c_.track.mouseDown.connect([this](const forms::MouseEvent& e) { trackPress(e); });
  c_.track.mouseMove.connect([this](const forms::MouseEvent& e) { trackMotion(e); });
  c_.cover.mouseMove.connect([this](const forms::MouseEvent& e) { coverMotion(e); });
  c_.thumb.mouseDown.connect([this](const forms::MouseEvent& e) { thumbPress(e); });
  c_.thumb.mouseMove.connect([this](const forms::MouseEvent& e) { thumbMotion(e); });
  c_.thumb.mouseUp.connect([this](const forms::MouseEvent& e) { thumbRelease(e); });
}

void TransparencySlider::designLooks(Controls c) {
  c.cover.setPicture(IDP_THUMB_NORMAL);
  c.thumb.setPicture(IDP_THUMB_HOT);
  c.thumb.setTooltip("拖动以调节透明度");
  c.track.setPicture(IDP_TRACK);
  c.track.setTooltip("调节透明度");
  c.label.setFont(forms::Font{"宋体", 9, 134, false});
}

int TransparencySlider::alphaFor(int left) {
  const int alpha = static_cast<int>(std::nearbyint((left - 2) * 1.76));
  return alpha > 255 ? 255 : alpha;
}

bool TransparencySlider::movementPasses(double x) {
  if (!(std::abs(static_cast<double>(lastMouseX_) - x) > kMovementThreshold)) return false;
  lastMouseX_ = roundHalfEven(x);
  return true;
}

void TransparencySlider::placeLabel(int alpha) {
  // The value keeps to the end of the track away from the thumb.
  if (alpha > kLabelPivot && c_.label.left() > kLabelPivot) {
    c_.label.setLeft(kLabelFar);
  } else if (alpha <= kLabelPivot && c_.label.left() < kLabelPivot) {
    c_.label.setLeft(kLabelNear);
  }
}

std::string TransparencySlider::labelText(int alpha) { return std::to_string(alpha) + kLabelSuffix; }

void TransparencySlider::showAlpha(int alpha) { c_.label.setCaption(labelText(alpha)); }

void TransparencySlider::trackPress(const forms::MouseEvent& e) {
  c_.cover.setLeft(c_.thumb.left());
  c_.cover.setVisible(true);
  if (wiring_.trackPressHidesThumb) c_.thumb.setVisible(false);
  if (wiring_.watchTimer != nullptr && wiring_.watchTimer->enabled()) {
    wiring_.watchTimer->setEnabled(false);
  }
  const auto p = static_cast<std::int16_t>(roundHalfEven(e.x) / kTrackTwipsPerStep);
  sliderValue_ = p;
  const platform::Hwnd target = wiring_.pressTarget();
  if (p >= kMinLeft && p <= kMaxLeft) {
    c_.thumb.setLeft(p);
    const int alpha = alphaFor(p);
    sliderValue_ = static_cast<std::int16_t>(alpha);
    placeLabel(alpha);
    showAlpha(alpha);
    Transparent::setAlpha(desktop_, target, static_cast<std::int16_t>(alpha));
  } else if (p < kMinLeft) {
    placeLabel(0);
    showAlpha(0);
    sliderValue_ = 0;
    c_.thumb.setLeft(kMinLeft);
    Transparent::setAlpha(desktop_, target, 0);
  } else {
    placeLabel(255);
    c_.thumb.setLeft(kMaxLeft);
    sliderValue_ = 255;
    showAlpha(255);
    Transparent::setAlpha(desktop_, target, 255);
  }
}

void TransparencySlider::trackMotion(const forms::MouseEvent& e) {
  if (!movementPasses(e.x)) return;
  if (wiring_.hiddenByTrackMotion != nullptr && wiring_.hiddenByTrackMotion->visible()) {
    wiring_.hiddenByTrackMotion->setVisible(false);
  }
  if (!c_.cover.visible()) c_.cover.setVisible(true);
  if (c_.cover.left() != c_.thumb.left()) c_.cover.setLeft(c_.thumb.left());
}

void TransparencySlider::coverMotion(const forms::MouseEvent& e) {
  if (!movementPasses(e.x)) return;
  c_.cover.setVisible(false);
  c_.thumb.setVisible(true);
}

void TransparencySlider::thumbPress(const forms::MouseEvent&) {
  if (wiring_.watchTimer != nullptr) wiring_.watchTimer->setEnabled(false);
  dragging_ = true;
}

void TransparencySlider::thumbMotion(const forms::MouseEvent& e) {
  if (wiring_.motionTestsDraggingFirst) {
    if (!dragging_ || !movementPasses(e.x)) return;
  } else {
    // The filter comes first, so lastMouseX follows mere hovering too.
    if (!movementPasses(e.x) || !dragging_) return;
  }
  const auto p = static_cast<std::int16_t>(
      roundHalfEven(e.x / 15.0 + c_.thumb.left() - kHalfThumb));
  sliderValue_ = p;
  // Past either end the thumb stays at the last place that landed inside.
  if (p < kMinLeft || p > kMaxLeft) return;
  c_.thumb.setLeft(p);
  // The thumb shows at its new place before any window changes.
  if (wiring_.repaintsBeforeApplying) c_.thumb.form().host().doEvents();
  const int alpha = alphaFor(p);
  sliderValue_ = static_cast<std::int16_t>(alpha);
  placeLabel(alpha);
  showAlpha(alpha);
  Transparent::setAlpha(desktop_, wiring_.dragTarget(), static_cast<std::int16_t>(alpha));
}

void TransparencySlider::thumbRelease(const forms::MouseEvent&) {
  // The cover goes onto the thumb (it stays hidden): the next track motion
  // finds it there.
  c_.cover.setLeft(c_.thumb.left());
  dragging_ = false;
  if (wiring_.watchTimer != nullptr) wiring_.watchTimer->setEnabled(true);
}
