#pragma once
// One handler per event, as a form's designer binds it: the form connects its
// handler once, and the toolkit or the program raises the event.

#include <functional>
#include <utility>

namespace forms {

template <class... Args>
class Event {
 public:
  void connect(std::function<void(Args...)> handler) { handler_ = std::move(handler); }
  void operator()(Args... args) const {
    if (handler_) handler_(args...);
  }

 private:
  std::function<void(Args...)> handler_;
};

// A pointer event. x and y are in the unit of whoever receives it: twips from
// an image's left and top edge, pixels of the client area for a form.
struct MouseEvent {
  int button = 1;  // 1 left, 2 right, 4 middle
  int shift = 0;
  double x = 0;
  double y = 0;
};

}  // namespace forms
