#pragma once
#include "platform/Registry.h"

// Owns one open registry key and closes it on every path. Move-only.
class RegKeyHolder {
 public:
  explicit RegKeyHolder(platform::Registry& registry) : registry_(&registry) {}
  RegKeyHolder(const RegKeyHolder&) = delete;
  RegKeyHolder& operator=(const RegKeyHolder&) = delete;
  RegKeyHolder(RegKeyHolder&& other) noexcept
      : registry_(other.registry_), key_(other.release()) {}
  RegKeyHolder& operator=(RegKeyHolder&& other) noexcept {
    if (this != &other) {
      reset();
      registry_ = other.registry_;
      key_ = other.release();
    }
    return *this;
  }
  ~RegKeyHolder() { reset(); }

  [[nodiscard]] platform::RegKey get() const { return key_; }
  // For the open and create calls to fill in; whatever was held is closed.
  platform::RegKey& out() {
    reset();
    return key_;
  }
  platform::RegKey release() {
    const platform::RegKey key = key_;
    key_ = 0;
    return key;
  }
  void reset() {
    if (key_ != 0) (void)registry_->close(key_);
    key_ = 0;
  }

 private:
  platform::Registry* registry_;
  platform::RegKey key_ = 0;
};
