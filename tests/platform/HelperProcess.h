#pragma once
// Starts the test window helper in a process of its own and finds its
// windows; ends the process when the test is done.
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/Wait.h"

namespace platformtest {

class HelperProcess {
 public:
  // Waits up to `deadline` for every window to show (many take longer).
  explicit HelperProcess(const std::vector<std::wstring>& titles,
                         std::chrono::milliseconds deadline = testsupport::kWaitDeadline);
  ~HelperProcess();
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;

  [[nodiscard]] bool started() const { return windows_.size() == count_; }
  // Top-level window i, in the order of the titles.
  [[nodiscard]] HWND window(size_t i) const { return windows_.at(i); }
  // The child button of window i.
  [[nodiscard]] HWND child(size_t i) const;
  // Closes window i and waits until it is gone.
  [[nodiscard]] bool close(size_t i);
  // Makes the helper's thread stop taking messages for the given time and
  // waits until it no longer answers.
  [[nodiscard]] bool hang(std::chrono::milliseconds duration);

 private:
  PROCESS_INFORMATION process_{};
  size_t count_ = 0;
  std::vector<HWND> windows_;
};

}  // namespace platformtest
