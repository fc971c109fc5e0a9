#include "features/SoundMute.h"

#include "base/OsVersion.h"
#include "features/SoundHooks.h"

#include <mmsystem.h>

#include <cstdlib>

namespace {
volatile LONG g_hooksInstalled = 0;
}  // namespace

int SetSoundMute(int muted) {
    if (IsVistaOrLater()) {
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
