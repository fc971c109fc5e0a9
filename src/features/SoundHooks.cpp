#include "features/SoundHooks.h"

#include "features/DirectSoundTables.h"
#include "features/intercept/Interception.h"

#include <cstddef>
#include <cstring>

volatile LONG g_bMute = 0;

namespace {

// The real entry points, taken from the program's imports when it starts (before anything
// is intercepted); the interception replaces each with its trampoline to the original.
// waveOutWrite and midiStreamOut are declared dllimport, so these are the addresses in
// winmm.dll; DirectSoundCreate is not, so this is the import stub, which InterceptFunction
// follows to dsound.dll.
decltype(&::waveOutWrite) g_realWaveOutWrite = ::waveOutWrite;
decltype(&::midiStreamOut) g_realMidiStreamOut = ::midiStreamOut;
decltype(&::DirectSoundCreate) g_realDirectSoundCreate = ::DirectSoundCreate;

template <class F>
PVOID* Slot(F& pointer) {
    return reinterpret_cast<PVOID*>(&pointer);
}

template <class F>
PVOID Entry(F function) {
    return reinterpret_cast<PVOID>(function);
}

bool Writable(DWORD protect) {
    if (protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
    return (protect & (PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

// The header fields we read lie inside the size the caller says its header has.
template <class Header>
bool HasBuffer(const Header* header, UINT headerSize) {
    return header && headerSize >= offsetof(Header, dwBufferLength) + sizeof(header->dwBufferLength);
}

}  // namespace

void Silence(void* data, size_t bytes) noexcept {
    if (!data || bytes == 0) return;
    auto at = reinterpret_cast<uintptr_t>(data);
    const uintptr_t end = at + bytes;
    if (end < at) return;
    for (uintptr_t p = at; p < end;) {
        MEMORY_BASIC_INFORMATION mbi;
        if (::VirtualQuery(reinterpret_cast<void*>(p), &mbi, sizeof(mbi)) != sizeof(mbi) || mbi.State != MEM_COMMIT ||
            !Writable(mbi.Protect)) {
            return;
        }
        p = reinterpret_cast<uintptr_t>(mbi.BaseAddress) + mbi.RegionSize;
    }
    std::memset(data, 0, bytes);
}

MMRESULT WINAPI MyWaveOutWrite(HWAVEOUT waveOut, LPWAVEHDR header, UINT headerSize) {
    if (g_bMute && HasBuffer(header, headerSize)) Silence(header->lpData, header->dwBufferLength);
    return g_realWaveOutWrite(waveOut, header, headerSize);
}

MMRESULT WINAPI MyMidiStreamOut(HMIDISTRM stream, LPMIDIHDR header, UINT headerSize) {
    if (g_bMute && HasBuffer(header, headerSize)) Silence(header->lpData, header->dwBufferLength);
    return g_realMidiStreamOut(stream, header, headerSize);
}

HRESULT WINAPI MyDirectSoundCreate(LPCGUID device, LPDIRECTSOUND* outObject, LPUNKNOWN outer) {
    // Without an out variable there is nothing to patch; the real function rejects the call.
    if (!outObject) return g_realDirectSoundCreate(device, outObject, outer);
    LPDIRECTSOUND created = nullptr;
    const HRESULT result = g_realDirectSoundCreate(device, &created, outer);
    *outObject = created;
    if (created) PatchCreateSoundBuffer(created);
    return result;
}

void InstallSoundHooks() {
    BeginInterception();
    IncludeThreadInInterception(::GetCurrentThread());
    InterceptFunction(Slot(g_realWaveOutWrite), Entry(MyWaveOutWrite));
    InterceptFunction(Slot(g_realMidiStreamOut), Entry(MyMidiStreamOut));
    InterceptFunction(Slot(g_realDirectSoundCreate), Entry(MyDirectSoundCreate));
    CommitInterception();
}

void RemoveSoundHooks() {
    BeginInterception();
    IncludeThreadInInterception(::GetCurrentThread());
    StopIntercepting(Slot(g_realWaveOutWrite), Entry(MyWaveOutWrite));
    StopIntercepting(Slot(g_realMidiStreamOut), Entry(MyMidiStreamOut));
    StopIntercepting(Slot(g_realDirectSoundCreate), Entry(MyDirectSoundCreate));
    CommitInterception();
}
