// Loading a library of the system by its full path in the system folder: by bare name the
// executable's own folder is searched first, and any program of the player can put a DLL there.
#pragma once
#include <windows.h>

// The library from the system folder, or null; the caller owns the reference.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The library's function `name` as the function type F, or null (no library, no such
// function: an older system).
template <class F>
F LibraryFunction(HMODULE library, const char* name) {
    return library ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(library, name))) : nullptr;
}
