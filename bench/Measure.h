#pragma once
// What the benchmarks share: medians of paired runs, the rows of the table,
// and the figures Wine gives only from the Linux side (private memory and
// context switches, read from /proc through drive Z:) or only from inside a
// process (its GDI and USER objects).
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace bench {

// The median of the samples that did not fail (a failed one is negative).
[[nodiscard]] double median(std::vector<double> values);

// One row of the table: what is measured, Skyvane's figure, the figure it
// stands next to and their ratio. Printed tab-separated, for the runner.
void row(const std::string& what, double ours, double reference, const char* unit, int decimals);
// A row without a reference.
void fact(const std::string& what, const std::string& value);

// Microseconds a call of `call` takes, over `calls` calls.
template <class F>
double perCall(int calls, F&& call) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < calls; ++i) call(i);
  const std::chrono::duration<double, std::micro> total = std::chrono::steady_clock::now() - start;
  return total.count() / calls;
}

// Runs `ours` and `reference` `runs` times each, alternating which goes
// first; each returns one sample. Gives the two medians.
template <class A, class B>
std::pair<double, double> paired(int runs, A&& ours, B&& reference) {
  std::vector<double> a;
  std::vector<double> b;
  for (int r = 0; r < runs; ++r) {
    if (r % 2 == 0) {
      a.push_back(ours());
      b.push_back(reference());
    } else {
      b.push_back(reference());
      a.push_back(ours());
    }
  }
  return {median(a), median(b)};
}

// The Linux process id of the Wine process whose command line names
// `exeName` (the newest, when several do); 0 if none.
[[nodiscard]] unsigned long linuxPid(const std::string& exeName);
// A number field of /proc/<pid>/status ("RssAnon:" in kB,
// "voluntary_ctxt_switches:"); -1 when it cannot be read.
[[nodiscard]] long procStatus(unsigned long pid, const char* field);
// The process's main thread's context switches, voluntary and not.
[[nodiscard]] long mainThreadSwitches(unsigned long pid);

// GDI and USER objects of this process. GetGuiResources where the system
// answers it; otherwise (Wine answers 0) the handle tables are walked:
// every GDI handle GetObjectType knows, and every window of this process,
// menu and icon or cursor.
[[nodiscard]] int gdiObjects();
[[nodiscard]] int userObjects();

// Dispatches this thread's messages until none has come for `quiet`.
void settle(std::chrono::milliseconds quiet = std::chrono::milliseconds(200));

}  // namespace bench
