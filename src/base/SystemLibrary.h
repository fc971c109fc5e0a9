// Loading a library of the system by its full path in the system folder: by bare name the
// executable's own folder is searched first, and any program of the player can put a DLL there.
#pragma once
#include <windows.h>

// The library from the system folder, or null; the caller owns the reference.
HMODULE LoadSystemLibrary(const wchar_t* name);
