// The client's version number, as reports, the version key and the system menu give it.
#pragma once

#define QH_CLIENT_VERSION L"3.0.0.1"
inline constexpr wchar_t kClientVersion[] = QH_CLIENT_VERSION;
