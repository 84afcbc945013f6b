#pragma once

namespace bench {

// Rows: one tick of the hover watch with windowCount top-level windows of
// another process, pointer elsewhere and in a corner zone, next to the
// bare system calls of the tick.
void hoverTick(int windowCount, int runs);
// Row: one drag step of the main window's slider on another process's
// window, next to the bare calls: opacity, invalidate, paint.
void sliderStep(int runs);
// Rows: GDI and USER objects that start-up makes, next to the floor's;
// each start in a process of its own, `runs` of each, alternating.
void objectsAtStart(int runs);
// One start in this process (Skyvane's or the floor's): the GDI objects it
// made in the high 16 bits, the USER objects in the low ones.
int objectsOfOneStart(bool skyvane);
// Rows: private memory, GDI and USER objects before and after the given
// numbers of picks and panel showings.
void churn(int picks, int showings);

// Rows: the messages Skyvane's thread takes over `seconds` in the tray,
// timer ticks and others, next to the floor's.
void idle(int seconds);

}  // namespace bench
