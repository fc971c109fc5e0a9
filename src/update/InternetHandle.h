// Owner of a WinINet handle (root, connection or request).
#pragma once
#include "base/Handles.h"

#include <wininet.h>

namespace handle_traits {
struct Internet {
    using Handle = HINTERNET;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::InternetCloseHandle(h); }
};
}  // namespace handle_traits

using UniqueInternet = UniqueResource<handle_traits::Internet>;
