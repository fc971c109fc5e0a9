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

void Send(std::vector<INPUT>& inputs, Pacing pacing) {
    if (pacing == Pacing::AtOnce) {
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        return;
    }
    for (INPUT& input : inputs) {
        ::SendInput(1, &input, sizeof(INPUT));
        ::Sleep(30);
    }
}
}  // namespace

void PressKeys(std::initializer_list<WORD> keys, Pacing pacing) {
    std::vector<INPUT> inputs;
    for (WORD vk : keys) inputs.push_back(Key(vk, false));
    for (auto it = keys.end(); it != keys.begin();) inputs.push_back(Key(*--it, true));
    Send(inputs, pacing);
}

void ClickAt(POINT screen, Pacing pacing) {
    std::vector<INPUT> inputs(3);
    for (INPUT& input : inputs) input.type = INPUT_MOUSE;
    inputs[0].mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    inputs[0].mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(inputs, pacing);
}

void ClickCentre(HWND hwnd) {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    ClickAt(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}
