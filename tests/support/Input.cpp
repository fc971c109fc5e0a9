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

INPUT MoveTo(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT Mouse(DWORD flags, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
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
    std::vector<INPUT> inputs{MoveTo(screen), Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)};
    Send(inputs, pacing);
}

void RightClickAt(POINT screen) {
    std::vector<INPUT> inputs{MoveTo(screen), Mouse(MOUSEEVENTF_RIGHTDOWN), Mouse(MOUSEEVENTF_RIGHTUP)};
    Send(inputs, Pacing::LikeAUser);
}

void WheelAt(POINT screen, int notches, std::initializer_list<WORD> held) {
    std::vector<INPUT> inputs{MoveTo(screen)};
    for (WORD vk : held) inputs.push_back(Key(vk, false));
    inputs.push_back(Mouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches * WHEEL_DELTA)));
    for (auto it = held.end(); it != held.begin();) inputs.push_back(Key(*--it, true));
    Send(inputs, Pacing::LikeAUser);
}

void ClickCentre(HWND hwnd) {
    RECT rc{};
    ::GetWindowRect(hwnd, &rc);
    ClickAt(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}
