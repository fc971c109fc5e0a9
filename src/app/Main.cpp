#include "app/LauncherApp.h"

// The one application object of the process.
LauncherApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCmd) { return theApp.Main(instance, showCmd); }
