// SetMixerLineMute: open the first mixer, find the line by component type, its mute
// control, and set that control.
#include "features/SoundMute.h"

#include "base/Handles.h"

#include <mmsystem.h>

#include <vector>

namespace {

struct MixerTraits {
    using Handle = HMIXER;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::mixerClose(h); }
};
using UniqueMixer = UniqueResource<MixerTraits>;

// The record sizes the mixer checks. MIXERLINEW holds a DWORD_PTR in a packed structure,
// so it is 280 bytes on x86 (the shipped program) and 284 on x64.
static_assert(sizeof(MIXERLINEW) == (sizeof(void*) == 4 ? 280 : 284), "MIXERLINEW size");
static_assert(sizeof(MIXERCONTROLW) == 228, "MIXERCONTROLW size");
static_assert(sizeof(MIXERCONTROLDETAILS_BOOLEAN) == 4, "boolean detail size");

HMIXEROBJ AsObject(HMIXER mixer) { return reinterpret_cast<HMIXEROBJ>(mixer); }

}  // namespace

int SetMixerLineMute(DWORD componentType, int value) {
    ::mixerGetNumDevs();  // lets the system enumerate its devices before the open
    HMIXER opened = nullptr;
    if (::mixerOpen(&opened, 0, 0, 0, MIXER_OBJECTF_HMIXER) != MMSYSERR_NOERROR) return 0;
    const UniqueMixer mixer(opened);

    MIXERLINEW line{};
    line.cbStruct = sizeof(line);
    line.dwComponentType = componentType;
    if (::mixerGetLineInfoW(AsObject(mixer.Get()), &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR) {
        return 0;
    }

    MIXERCONTROLW control{};
    control.cbStruct = sizeof(control);
    MIXERLINECONTROLSW controls{};
    controls.cbStruct = sizeof(controls);
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_MUTE;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof(control);
    controls.pamxctrl = &control;
    if (::mixerGetLineControlsW(AsObject(mixer.Get()), &controls,
                                MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR) {
        return 0;
    }

    // A control with several items answers one value per item: room for all of them, so a
    // driver reporting a multiple-item mute control cannot write past the buffer.
    std::vector<MIXERCONTROLDETAILS_BOOLEAN> values(control.cMultipleItems > 1 ? control.cMultipleItems : 1);
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof(details);
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;
    details.cMultipleItems = control.cMultipleItems;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_BOOLEAN);
    details.paDetails = values.data();
    if (::mixerGetControlDetailsW(AsObject(mixer.Get()), &details, MIXER_OBJECTF_HMIXER) != MMSYSERR_NOERROR) {
        return 0;
    }

    for (MIXERCONTROLDETAILS_BOOLEAN& item : values) item.fValue = value;
    return ::mixerSetControlDetails(AsObject(mixer.Get()), &details, MIXER_OBJECTF_HMIXER) == MMSYSERR_NOERROR ? 1 : 0;
}
