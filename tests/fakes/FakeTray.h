#pragma once
// A notification area that remembers its icons: adding one that is there
// already fails, as the shell does. A test can make it forget them all, as a
// restarted shell would.

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "platform/Tray.h"

namespace fakes {

class FakeTray final : public platform::Tray {
 public:
  struct Call {
    platform::TrayCommand command;
    platform::TrayRecord record;
    bool accepted;
  };

  bool notify(platform::TrayCommand command, const platform::TrayRecord& record) override {
    const auto key = std::make_pair(record.hwnd, record.id);
    bool accepted = false;
    switch (command) {
      case platform::TrayCommand::Add:
        accepted = icons_.insert(key).second;
        break;
      case platform::TrayCommand::Modify:
        accepted = icons_.count(key) != 0;
        break;
      case platform::TrayCommand::Delete:
        accepted = icons_.erase(key) != 0;
        break;
    }
    calls.push_back({command, record, accepted});
    if (onCall) onCall(calls.back());
    return accepted;
  }

  void restartShell() { icons_.clear(); }
  [[nodiscard]] std::size_t iconCount() const { return icons_.size(); }

  std::vector<Call> calls;
  // Called after each call has been recorded, to see what else had
  // happened by then.
  std::function<void(const Call&)> onCall;

 private:
  std::set<std::pair<platform::Hwnd, std::uint32_t>> icons_;
};

}  // namespace fakes
