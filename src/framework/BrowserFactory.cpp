#include "framework/Browser.h"

#include "app/Config.h"

std::unique_ptr<Browser> CreateBrowser() {
    return config::kScriptedBrowser ? CreateScriptedBrowser() : CreateIeBrowser();
}
