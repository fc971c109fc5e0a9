// Assertions over what windows show, for the GoogleTest programs (the test programs that
// play a part do not link GoogleTest, so this stays out of the support library).
#pragma once
#include "support/Process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// Whether `texts` holds exactly `text`; a failure lists what they hold.
inline testing::AssertionResult TextsInclude(const std::vector<std::wstring>& texts, const std::wstring& text) {
    if (std::find(texts.begin(), texts.end(), text) != texts.end()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no " << testing::PrintToString(text) << " among "
                                       << testing::PrintToString(texts);
}

// Whether one of the window's children shows exactly `text`.
inline testing::AssertionResult WindowSays(HWND hwnd, const std::wstring& text) {
    return TextsInclude(ChildTexts(hwnd), text);
}
