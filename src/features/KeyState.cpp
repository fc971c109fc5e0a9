#include "features/KeyState.h"

#include "features/rules/HotKeys.h"

#include <windows.h>

namespace {
template <class ReadState>
int ModifierBitsFrom(ReadState read) {
    auto down = [&](int vk) { return (static_cast<unsigned short>(read(vk)) & 0xFF00) != 0; };
    return ModifierBits(down(VK_CONTROL), down(VK_SHIFT), down(VK_MENU));
}
}  // namespace

int CurrentModifierBits() { return ModifierBitsFrom(::GetKeyState); }

int PhysicalModifierBits() { return ModifierBitsFrom(::GetAsyncKeyState); }
