#include "framework/Browser.h"

// Placeholder until the Internet Explorer host lands: creation fails.
std::unique_ptr<Browser> CreateIeBrowser() { return nullptr; }
