// Silencing the audio output of the calling process (a game tab's process).
//
// Windows Vista and later (major version 6+) mute the wave-output source line and the
// speakers destination line of the first mixer. Earlier systems have no per-process mixer
// that this could use, so there the process's own audio output functions are intercepted
// and every buffer about to be played is overwritten with silence while muted
// (SoundHooks.h).
#pragma once
#include <windows.h>

// muted: 1 to mute, 0 for sound. Returns non-zero on success (the mixer path returns the
// result of the speakers line).
int SetSoundMute(int muted);

// Sets the mute control of the first mixer's line of this component type
// (MIXERLINE_COMPONENTTYPE_*). 1 when the new value was set, 0 on any failure.
int SetMixerLineMute(DWORD componentType, int value);
