#pragma once
// The notification-area record and the one call that hands it to the shell.

#include <cstdint>
#include <string>

#include "platform/Desktop.h"

namespace platform {

enum class TrayCommand { Add = 0, Modify = 1, Delete = 2 };

// Flags and codes, with the system's values.
inline constexpr unsigned kNifMessage = 0x1;
inline constexpr unsigned kNifIcon = 0x2;
inline constexpr unsigned kNifTip = 0x4;
inline constexpr unsigned kNifInfo = 0x10;
inline constexpr unsigned kNiifInfo = 0x1;

// Field widths in characters, terminator included.
inline constexpr std::size_t kTrayTipChars = 128;
inline constexpr std::size_t kTrayInfoChars = 256;
inline constexpr std::size_t kTrayInfoTitleChars = 64;

struct TrayRecord {
  Hwnd hwnd = 0;
  std::uint32_t id = 0;
  unsigned flags = 0;
  unsigned callbackMessage = 0;
  std::uintptr_t icon = 0;
  std::string tip;
  unsigned state = 0;
  unsigned stateMask = 0;
  std::string info;
  unsigned timeout = 0;
  std::string infoTitle;
  unsigned infoFlags = 0;
};

class Tray {
 public:
  virtual ~Tray() = default;
  // The shell's answer: true when it took the command.
  virtual bool notify(TrayCommand command, const TrayRecord& record) = 0;
};

}  // namespace platform
