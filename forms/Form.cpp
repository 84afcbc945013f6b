#include "forms/Form.h"

namespace forms {

Form::Form(Host& host, const char* name) : host_(host), name_(name) {}

void Form::designWindow(const std::string& caption, int icon, BorderStyle border,
                        int clientWidthPx, int clientHeightPx) {
  caption_ = caption;
  icon_ = icon;
  borderStyle_ = border;
  clientWidth_ = clientWidthPx;
  clientHeight_ = clientHeightPx;
  picture_ = 0;
  width_ = clientWidthPx * kTwipsPerPixel;
  height_ = clientHeightPx * kTwipsPerPixel;
  // Designed to open in the centre of the screen.
  left_ = (host_.screenWidthTwips() - width_) / 2;
  top_ = (host_.screenHeightTwips() - height_) / 2;
  windowState_ = WindowState::Normal;
  activates_ = true;
}

void Form::designButtons(bool minButton, bool maxButton, bool showInTaskbar) {
  minButton_ = minButton;
  maxButton_ = maxButton;
  showInTaskbar_ = showInTaskbar;
}

void Form::load() {
  if (loaded_) return;
  visible_ = false;
  design();
  loaded_ = true;
  host_.createForm(*this);
  loadEvent();
}

void Form::show() {
  load();
  // The load handler may have unloaded the form again.
  if (!loaded_) return;
  visible_ = true;
  host_.showForm(*this);
}

void Form::hide() {
  if (!loaded_ || !visible_) return;
  visible_ = false;
  host_.hideForm(*this);
}

void Form::unload() {
  if (!loaded_) return;
  unloadEvent();
  if (!loaded_) return;
  loaded_ = false;
  visible_ = false;
  host_.destroyForm(*this);
}

void Form::setCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  if (loaded_) host_.formChanged(*this, FormProperty::Caption);
}

void Form::setPicture(int picture) {
  if (picture == picture_) return;
  picture_ = picture;
  if (loaded_) host_.formChanged(*this, FormProperty::Picture);
}

void Form::setLeft(int twips) {
  left_ = twips;
  if (loaded_) host_.formChanged(*this, FormProperty::Geometry);
}

void Form::setTop(int twips) {
  top_ = twips;
  if (loaded_) host_.formChanged(*this, FormProperty::Geometry);
}

void Form::setWidth(int twips) {
  width_ = twips;
  if (loaded_) host_.formChanged(*this, FormProperty::Geometry);
}

void Form::setHeight(int twips) {
  height_ = twips;
  if (loaded_) host_.formChanged(*this, FormProperty::Geometry);
}

void Form::setWindowState(WindowState state) {
  if (state == windowState_) return;
  windowState_ = state;
  if (loaded_ && visible_) host_.formChanged(*this, FormProperty::WindowState);
}

void Form::popupMenu(Menu& menu) {
  if (loaded_) host_.popupMenu(*this, menu);
}

void Form::hostStateChanged(WindowState state) {
  windowState_ = state;
  resize();
}

void Form::hostMoved(int leftTwips, int topTwips, int widthTwips, int heightTwips) {
  left_ = leftTwips;
  top_ = topTwips;
  width_ = widthTwips;
  height_ = heightTwips;
}

}  // namespace forms
