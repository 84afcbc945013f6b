#pragma once
// Menus are shown only as popups; the host reads their items when it shows
// them, so a change of a check mark needs no telling.

#include <string>
#include <vector>

#include "forms/Event.h"

namespace forms {

class MenuItem {
 public:
  explicit MenuItem(const char* name) : name_(name) {}
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  [[nodiscard]] const std::string& name() const { return name_; }
  std::string caption;
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  Event<> click;

 private:
  std::string name_;
};

class Menu {
 public:
  explicit Menu(const char* name) : name_(name) {}
  [[nodiscard]] const std::string& name() const { return name_; }
  std::string caption;
  // Top to bottom.
  std::vector<MenuItem*> items;

  // The designed state: every item enabled, visible and unchecked.
  void designItems() {
    for (MenuItem* item : items) {
      item->checked = false;
      item->enabled = true;
      item->visible = true;
    }
  }

 private:
  std::string name_;
};

}  // namespace forms
