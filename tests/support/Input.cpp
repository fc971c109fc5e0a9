#include "support/Input.h"

#include <vector>

namespace {
INPUT Key(WORD vk, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}
}  // namespace

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD vk : keys) inputs.push_back(Key(vk, false));
    for (auto it = keys.end(); it != keys.begin();) inputs.push_back(Key(*--it, true));
    for (INPUT& input : inputs) {
        ::SendInput(1, &input, sizeof(INPUT));
        ::Sleep(30);
    }
}

void ClickCentre(HWND hwnd) {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    const int x = (rc.left + rc.right) / 2;
    const int y = (rc.top + rc.bottom) / 2;
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = x * 65535 / (screenW - 1);
    inputs[0].mi.dy = y * 65535 / (screenH - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    for (INPUT& input : inputs) {
        ::SendInput(1, &input, sizeof(INPUT));
        ::Sleep(30);
    }
}
