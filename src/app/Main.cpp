#include "app/App.h"

// The one application object of the process.
CBrindlow3App theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCmd) { return theApp.Main(instance, showCmd); }
