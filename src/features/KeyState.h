// Which modifier keys are down, as hot-key bits (Alt 1, Ctrl 2, Shift 4).
#pragma once

// As the calling thread's messages have seen them: for pre-translating a key message.
int CurrentModifierBits();
// As the keyboard holds them now, whichever program has the focus: for the system-wide hook,
// whose thread's own key state does not follow other programs' keys.
int PhysicalModifierBits();
