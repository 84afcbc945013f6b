// Skyvane's benchmarks: prints figures, one tab-separated row each, for
// bench/run.sh to set in a table. Never a pass or a fail.
//
//   skyvane_bench startup  <Skyvane.exe> <floor.exe> <floor_cc6.exe> <runs>
//   skyvane_bench resident <Skyvane.exe> <floor.exe> <runs> <idle seconds>
//   skyvane_bench hover <runs> <windows>...
//   skyvane_bench slider <runs>
//   skyvane_bench objects <runs>
//   skyvane_bench churn <picks> <showings>
//   skyvane_bench idle <seconds>
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/InProcess.h"
#include "bench/Startup.h"
#include "mainwindow/mainForm.h"

namespace {

int number(const wchar_t* text) { return static_cast<int>(std::wcstol(text, nullptr, 10)); }

int usage() {
  std::fputs("usage: skyvane_bench startup|resident|hover|slider|objects|churn|idle ...\n", stderr);
  return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return usage();
  const std::wstring command = argv[1];
  if ((command == L"startup" && argc == 6) || (command == L"resident" && argc == 6)) {
    const std::string caption = mainForm::kCaption;
    const bench::Program skyvane{argv[2], std::wstring(caption.begin(), caption.end())};
    const bench::Program floor{argv[3], L"Skyvane floor"};
    if (command == L"startup") {
      bench::startup(skyvane, floor, {argv[4], L"Skyvane floor"}, number(argv[5]));
    } else {
      bench::resident(skyvane, floor, number(argv[4]), number(argv[5]));
    }
  } else if (command == L"hover" && argc >= 4) {
    for (int i = 3; i < argc; ++i) bench::hoverTick(number(argv[i]), number(argv[2]));
  } else if (command == L"slider" && argc == 3) {
    bench::sliderStep(number(argv[2]));
  } else if (command == L"objects" && argc == 3) {
    bench::objectsAtStart(number(argv[2]));
  } else if (command == L"objects-one" && argc == 3) {
    return bench::objectsOfOneStart(std::wstring(argv[2]) == L"skyvane");
  } else if (command == L"idle" && argc == 3) {
    bench::idle(number(argv[2]));
  } else if (command == L"churn" && argc == 4) {
    bench::churn(number(argv[2]), number(argv[3]));
  } else {
    return usage();
  }
  return 0;
}
