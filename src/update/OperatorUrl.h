// Whether an address lies on one of the operator's configured domains (downloads and the
// notice are only fetched from there).
#pragma once

bool IsOperatorUrl(const wchar_t* url);
// The same for a page's address, plain or secure (a frame of the login page).
bool IsOperatorPageUrl(const wchar_t* url);
