#include <windows.h>

#include "mainwindow/mainForm.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Host.h"
#include "win32/Win32Registry.h"
#include "win32/Win32Tray.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  win32::Win32Desktop desktop;
  win32::Win32Registry registry;
  win32::Win32Tray tray;
  win32::Win32Host host(instance);

  mainForm main(host, desktop, registry, tray);
  // Load runs the start-up; the window then appears in the state it asked
  // for, which for every start but the first is the tray.
  main.load();
  if (main.loaded()) main.show();
  return host.run();
}
