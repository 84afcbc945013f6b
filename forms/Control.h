#pragma once
// Controls: plain objects holding their properties. Every change made while
// the form is loaded is told to the host, which mirrors it on the screen.

#include <cstdint>
#include <optional>
#include <string>

#include "forms/Event.h"

namespace forms {

class Form;

enum class ControlKind { Button, CheckBox, Label, Image, TextBox, Frame, PictureBox };

enum class Property {
  Bounds, Visible, Enabled, Caption, Value, Picture, Tooltip, Font, ForeColor, TabIndex
};

struct Font {
  std::string face = "宋体";
  double points = 10.5;
  int charset = 134;  // GB2312
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

struct Color {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

// Left, top, width and height in pixels of the containing client area.
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

class Control {
 public:
  Control(Form& form, const char* name, ControlKind kind);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  [[nodiscard]] Form& form() const { return form_; }
  [[nodiscard]] const std::string& name() const { return name_; }
  [[nodiscard]] ControlKind kind() const { return kind_; }
  // Labels and images have no window of their own: their form draws them
  // and hit-tests them, in stacking order.
  [[nodiscard]] bool windowless() const {
    return kind_ == ControlKind::Label || kind_ == ControlKind::Image;
  }

  [[nodiscard]] const Bounds& bounds() const { return bounds_; }
  [[nodiscard]] int left() const { return bounds_.left; }
  [[nodiscard]] int top() const { return bounds_.top; }
  [[nodiscard]] int width() const { return bounds_.width; }
  [[nodiscard]] int height() const { return bounds_.height; }
  void setBounds(Bounds b);
  void setLeft(int left) { setBounds({left, bounds_.top, bounds_.width, bounds_.height}); }
  void setTop(int top) { setBounds({bounds_.left, top, bounds_.width, bounds_.height}); }

  [[nodiscard]] bool visible() const { return visible_; }
  void setVisible(bool visible);
  [[nodiscard]] bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  [[nodiscard]] const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  [[nodiscard]] const std::string& tooltip() const { return tooltip_; }
  void setTooltip(const std::string& tooltip);
  [[nodiscard]] const Font& font() const { return font_; }
  void setFont(const Font& font);
  [[nodiscard]] const std::optional<Color>& foreColor() const { return foreColor_; }
  void setForeColor(std::optional<Color> color);
  [[nodiscard]] int tabIndex() const { return tabIndex_; }
  void setTabIndex(int index);
  // A picture resource id, 0 for none: what an image or a picture box shows
  // from its top-left corner.
  [[nodiscard]] int picture() const { return picture_; }
  void setPicture(int picture);
  // The frame or picture box this control sits in, whose client area its
  // bounds are measured in; null for the form itself.
  [[nodiscard]] Control* container() const { return container_; }
  void setContainer(Control* container) { container_ = container; }
  // Frames and picture boxes hold other controls.
  [[nodiscard]] bool isContainer() const {
    return kind_ == ControlKind::Frame || kind_ == ControlKind::PictureBox;
  }

  void setFocus();

  // Puts the control in its designed state: these bounds, caption and tab
  // index, shown, enabled, in the default font and colour, with no tooltip
  // or picture. A form's design starts each control with this.
  void design(Bounds bounds, const std::string& caption = "", int tabIndex = 0);

  Event<> click;
  Event<const MouseEvent&> mouseDown;
  Event<const MouseEvent&> mouseMove;
  Event<const MouseEvent&> mouseUp;

 protected:
  void changed(Property property);

 private:
  Form& form_;
  std::string name_;
  ControlKind kind_;
  Bounds bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string tooltip_;
  Font font_;
  std::optional<Color> foreColor_;
  int tabIndex_ = 0;
  int picture_ = 0;
  Control* container_ = nullptr;
};

class Button final : public Control {
 public:
  Button(Form& form, const char* name) : Control(form, name, ControlKind::Button) {}
};

class CheckBox final : public Control {
 public:
  CheckBox(Form& form, const char* name) : Control(form, name, ControlKind::CheckBox) {}
  [[nodiscard]] int value() const { return value_; }
  // A new value is stored, shown, and then handled exactly like a user's
  // click; setting the value it already has does nothing.
  void setValue(int value);
  // What a user's click (or the space bar) does: toggles the value.
  void userClick() { setValue(value_ == 1 ? 0 : 1); }
  // The designed value, set before the window exists: no click.
  void designValue(int value) { value_ = value; }

 private:
  int value_ = 0;
};

class Label final : public Control {
 public:
  Label(Form& form, const char* name) : Control(form, name, ControlKind::Label) {}
};

// Without a picture an image is transparent: it shows nothing but still
// takes the pointer and shows its tooltip.
class Image final : public Control {
 public:
  Image(Form& form, const char* name) : Control(form, name, ControlKind::Image) {}
};

// A single-line text box of any length. Every change of its text raises
// change once: typed, pasted, committed by an input method, or set from code
// to a text that differs from the one it has.
class TextBox final : public Control {
 public:
  TextBox(Form& form, const char* name) : Control(form, name, ControlKind::TextBox) {}
  void setText(const std::string& text);
  [[nodiscard]] const std::string& text() const { return caption(); }
  // The host reports the text the user's editing left in the box.
  void userEdited(const std::string& text);
  Event<> change;
};

// A frame around a group of controls, with its caption on the top edge.
// Disabled, it takes no input and what it holds draws disabled.
class Frame final : public Control {
 public:
  Frame(Form& form, const char* name) : Control(form, name, ControlKind::Frame) {}
};

// A box that shows a picture and can hold other controls.
class PictureBox final : public Control {
 public:
  PictureBox(Form& form, const char* name) : Control(form, name, ControlKind::PictureBox) {}
};

}  // namespace forms
