#include "features/DirectSoundTables.h"

#include "features/InterfaceSlotPatch.h"
#include "features/SoundHooks.h"

namespace {

using CreateSoundBufferFn = HRESULT(STDMETHODCALLTYPE*)(IDirectSound*, LPCDSBUFFERDESC, LPDIRECTSOUNDBUFFER*, LPUNKNOWN);
using UnlockFn = HRESULT(STDMETHODCALLTYPE*)(IDirectSoundBuffer*, LPVOID, DWORD, LPVOID, DWORD);

// Process-wide, set up before main: the replacements may run on any thread.
InterfaceSlotPatch g_createSoundBuffer(kCreateSoundBufferEntry);
InterfaceSlotPatch g_unlock(kUnlockEntry);

}  // namespace

void PatchCreateSoundBuffer(IDirectSound* object) noexcept {
    g_createSoundBuffer.Patch(object, reinterpret_cast<void*>(&MyCreateSoundBuffer));
}

int PatchedDirectSoundTables() noexcept { return g_createSoundBuffer.PatchedTables(); }
int PatchedBufferTables() noexcept { return g_unlock.PatchedTables(); }

HRESULT STDMETHODCALLTYPE MyCreateSoundBuffer(IDirectSound* self, LPCDSBUFFERDESC description,
                                              LPDIRECTSOUNDBUFFER* outBuffer, LPUNKNOWN outer) {
    const auto real = reinterpret_cast<CreateSoundBufferFn>(g_createSoundBuffer.RealFor(self));
    if (!real) return DSERR_GENERIC;  // only reachable through a table we patched
    if (!outBuffer) return real(self, description, outBuffer, outer);
    LPDIRECTSOUNDBUFFER created = nullptr;
    const HRESULT result = real(self, description, &created, outer);
    *outBuffer = created;
    if (created) g_unlock.Patch(created, reinterpret_cast<void*>(&MyBufferUnlock));
    return result;
}

HRESULT STDMETHODCALLTYPE MyBufferUnlock(IDirectSoundBuffer* self, LPVOID first, DWORD firstBytes, LPVOID second,
                                         DWORD secondBytes) {
    if (g_bMute) {
        Silence(first, firstBytes);
        Silence(second, secondBytes);
    }
    const auto real = reinterpret_cast<UnlockFn>(g_unlock.RealFor(self));
    return real ? real(self, first, firstBytes, second, secondBytes) : DSERR_GENERIC;
}
