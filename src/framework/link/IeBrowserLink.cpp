// Linked into the product and dev builds: their pages are shown by Internet Explorer.
#include "framework/Browser.h"

std::unique_ptr<Browser> CreateBrowser() { return CreateIeBrowser(); }
