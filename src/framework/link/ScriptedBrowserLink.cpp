// Linked into the test build only: its pages are the scripted stand-in, so the product never
// carries the stand-in or its commands.
#include "framework/Browser.h"

std::unique_ptr<Browser> CreateBrowser() { return CreateScriptedBrowser(); }
