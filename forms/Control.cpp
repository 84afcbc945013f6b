#include "forms/Control.h"

#include "forms/Form.h"

namespace forms {

Control::Control(Form& form, const char* name, ControlKind kind)
    : form_(form), name_(name), kind_(kind) {
  form.add(this);
}

void Control::changed(Property property) {
  if (form_.loaded()) form_.host().controlChanged(*this, property);
}

void Control::setBounds(Bounds b) {
  if (b == bounds_) return;
  bounds_ = b;
  changed(Property::Bounds);
}

void Control::setVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  changed(Property::Visible);
}

void Control::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  changed(Property::Enabled);
}

void Control::setCaption(const std::string& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  changed(Property::Caption);
}

void Control::setTooltip(const std::string& tooltip) {
  if (tooltip == tooltip_) return;
  tooltip_ = tooltip;
  changed(Property::Tooltip);
}

void Control::setFont(const Font& font) {
  if (font == font_) return;
  font_ = font;
  changed(Property::Font);
}

void Control::setForeColor(std::optional<Color> color) {
  if (color == foreColor_) return;
  foreColor_ = color;
  changed(Property::ForeColor);
}

void Control::setTabIndex(int index) {
  if (index == tabIndex_) return;
  tabIndex_ = index;
  changed(Property::TabIndex);
}

void Control::setFocus() {
  if (form_.loaded()) form_.host().focus(*this);
}

void CheckBox::setValue(int value) {
  if (value == value_) return;
  value_ = value;
  changed(Property::Value);
  click();
}

void Control::setPicture(int picture) {
  if (picture == picture_) return;
  picture_ = picture;
  changed(Property::Picture);
}

void TextBox::setText(const std::string& text) {
  if (text == caption()) return;
  setCaption(text);
  change();
}

void TextBox::userEdited(const std::string& text) {
  if (text == caption()) return;
  // Telling the host again is harmless: it finds the text already shown.
  setCaption(text);
  change();
}

void Control::design(Bounds bounds, const std::string& caption, int tabIndex) {
  setBounds(bounds);
  setCaption(caption);
  setTabIndex(tabIndex);
  setVisible(true);
  setEnabled(true);
  setFont(Font{});
  setForeColor(std::nullopt);
  setTooltip("");
  setPicture(0);
}

}  // namespace forms
