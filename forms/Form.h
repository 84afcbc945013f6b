#pragma once
// A form: a top-level window whose members are its controls. A form object
// outlives its window: unload destroys the window and its controls but keeps
// the object's own fields, and the next load starts again from the design.

#include <string>
#include <vector>

#include "forms/Control.h"
#include "forms/Event.h"
#include "forms/Host.h"
#include "forms/Menu.h"
#include "forms/Timer.h"

namespace forms {

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };
enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog };

inline constexpr int kTwipsPerPixel = 15;

class Form {
 public:
  Form(Host& host, const char* name);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form() = default;

  [[nodiscard]] Host& host() const { return host_; }
  [[nodiscard]] const std::string& name() const { return name_; }

  // Creates the window from the design, hidden, then raises load.
  void load();
  // Loads if needed, then shows the window in its window state.
  void show();
  void hide();
  // Raises unload, then destroys the window. Nothing when not loaded.
  void unload();
  [[nodiscard]] bool loaded() const { return loaded_; }
  [[nodiscard]] bool visible() const { return visible_; }

  [[nodiscard]] const std::string& caption() const { return caption_; }
  void setCaption(const std::string& caption);
  [[nodiscard]] int icon() const { return icon_; }
  // The background picture, drawn from the client area's top-left corner;
  // 0 for none.
  [[nodiscard]] int picture() const { return picture_; }
  void setPicture(int picture);
  [[nodiscard]] BorderStyle borderStyle() const { return borderStyle_; }
  [[nodiscard]] bool minButton() const { return minButton_; }
  [[nodiscard]] bool maxButton() const { return maxButton_; }
  [[nodiscard]] bool showInTaskbar() const { return showInTaskbar_; }
  // False for a window that never takes the activation: it is shown, put
  // on top and clicked while the keyboard focus stays where it was.
  [[nodiscard]] bool activates() const { return activates_; }

  // Outer geometry in twips.
  [[nodiscard]] int left() const { return left_; }
  [[nodiscard]] int top() const { return top_; }
  [[nodiscard]] int width() const { return width_; }
  [[nodiscard]] int height() const { return height_; }
  void setLeft(int twips);
  void setTop(int twips);
  void setWidth(int twips);
  void setHeight(int twips);
  // The designed client area in pixels; the host sizes the window around it
  // until the program sets the outer size.
  [[nodiscard]] int clientWidth() const { return clientWidth_; }
  [[nodiscard]] int clientHeight() const { return clientHeight_; }

  [[nodiscard]] WindowState windowState() const { return windowState_; }
  // On a shown form the state is applied at once (a minimise raises resize);
  // on a hidden one it is applied when the form is shown.
  void setWindowState(WindowState state);

  // Shows menu as a popup at the cursor; returns when it closes.
  void popupMenu(Menu& menu);

  [[nodiscard]] const std::vector<Control*>& controls() const { return controls_; }
  [[nodiscard]] const std::vector<Timer*>& timers() const { return timers_; }
  [[nodiscard]] const std::vector<Menu*>& menus() const { return menus_; }
  [[nodiscard]] platform::Hwnd hwnd() const { return host_.windowHandle(*this); }

  Event<> loadEvent;
  Event<> unloadEvent;
  Event<> resize;
  // The pointer over the bare background: no control under it (an image
  // counts, shown, even without a picture). x and y in client pixels.
  Event<const MouseEvent&> mouseMove;
  // The shell was restarted (its taskbar created anew).
  Event<> shellRestarted;

  // For the host: what the user did to the window itself.
  void hostStateChanged(WindowState state);
  void hostMoved(int leftTwips, int topTwips, int widthTwips, int heightTwips);
  void hostClosed() { unload(); }

 protected:
  // Sets every property of the form and its controls to the designed state.
  virtual void design() = 0;

  void designWindow(const std::string& caption, int icon, BorderStyle border,
                    int clientWidthPx, int clientHeightPx);
  void designButtons(bool minButton, bool maxButton, bool showInTaskbar);
  void designNoActivate() { activates_ = false; }

 private:
  friend class Control;
  friend class Timer;
  void add(Control* control) { controls_.push_back(control); }
  void add(Timer* timer) { timers_.push_back(timer); }

 protected:
  void add(Menu* menu) { menus_.push_back(menu); }

 private:
  Host& host_;
  std::string name_;
  bool loaded_ = false;
  bool visible_ = false;
  std::string caption_;
  int icon_ = 0;
  int picture_ = 0;
  BorderStyle borderStyle_ = BorderStyle::FixedSingle;
  bool minButton_ = true;
  bool maxButton_ = false;
  bool showInTaskbar_ = true;
  bool activates_ = true;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  WindowState windowState_ = WindowState::Normal;
  std::vector<Control*> controls_;
  std::vector<Timer*> timers_;
  std::vector<Menu*> menus_;
};

}  // namespace forms
