#include "app/NetworkCheck.h"

#include "base/Config.h"

#include <windows.h>
#include <wininet.h>

bool IsNetworkAvailable() { return ::InternetCheckConnectionW(config::kCheckUrl, FLAG_ICC_FORCE_CONNECTION, 0) != FALSE; }
