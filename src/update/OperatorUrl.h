// Whether an address lies on one of the operator's configured domains (downloads and the
// notice are only fetched from there).
#pragma once

bool IsOperatorUrl(const wchar_t* url);
