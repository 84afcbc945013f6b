#include <windows.h>

// The main window comes next; until then the program starts and ends at once.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
