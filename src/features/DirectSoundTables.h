// DirectSound's sound data reaches the device through IDirectSoundBuffer::Unlock, reached
// from objects made by IDirectSound::CreateSoundBuffer. Those are methods, not exports, so
// they are intercepted in the objects' interface tables: the table of the first object of
// each class is patched, which covers every later object of that class.
#pragma once
#include <windows.h>
#include <dsound.h>

// Entries in the published layouts, after the three IUnknown methods.
constexpr int kCreateSoundBufferEntry = 3;  // IDirectSound
constexpr int kUnlockEntry = 19;            // IDirectSoundBuffer

// Patches CreateSoundBuffer in the table of this IDirectSound object's class.
void PatchCreateSoundBuffer(IDirectSound* object) noexcept;
// How many IDirectSound / IDirectSoundBuffer tables carry a replacement.
int PatchedDirectSoundTables() noexcept;
int PatchedBufferTables() noexcept;
