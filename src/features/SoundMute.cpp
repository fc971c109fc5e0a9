#include "features/SoundMute.h"

#include "features/SoundHooks.h"

#include <mmsystem.h>

#include <cstdlib>

namespace {
volatile LONG g_hooksInstalled = 0;

DWORD MajorVersion() {
    OSVERSIONINFOW info{};
    static_assert(sizeof(info) == 276, "the size field the system expects");
    info.dwOSVersionInfoSize = sizeof(info);
    return ::GetVersionExW(&info) ? info.dwMajorVersion : 0;
}
}  // namespace

int SetSoundMute(int muted) {
    if (MajorVersion() >= 6) {
        SetMixerLineMute(MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, muted);
        return SetMixerLineMute(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, muted);
    }
    // The first call installs the interceptions whatever its value, so later changes only
    // flip the flag the replacements read.
    if (::InterlockedCompareExchange(&g_hooksInstalled, 1, 0) == 0) {
        InstallSoundHooks();
        std::atexit(RemoveSoundHooks);
    }
    ::InterlockedExchange(&g_bMute, muted ? 1 : 0);
    return 1;
}
