#pragma once
#include <string>

namespace bench {

// A program to start: its path and the title of the window that holds its
// tray icon.
struct Program {
  std::wstring exe;
  std::wstring title;
};

// Rows: creation to tray icon, Skyvane next to the floor and next to the
// floor with Skyvane's manifest and common controls, paired and
// alternating; creation to the first-run window shown.
void startup(const Program& skyvane, const Program& floor, const Program& floorCc6, int runs);
// Rows: private memory after start-up, and the main thread's wake-ups in
// the tray over idleSeconds, both next to the floor.
void resident(const Program& skyvane, const Program& floor, int runs, int idleSeconds);

}  // namespace bench
