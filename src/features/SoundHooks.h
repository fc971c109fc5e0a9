// The interception path of sound muting (systems before Vista): the process's waveOut and
// MIDI stream output functions and DirectSound creation are intercepted, and while
// g_bMute is set every buffer about to be played is overwritten with silence before the
// real function sees it.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

// Non-zero while muted. Written by SetSoundMute, read by the replacements on every call
// from whatever thread plays audio.
extern volatile LONG g_bMute;

// Attach / detach the three interceptions (waveOutWrite, midiStreamOut, DirectSoundCreate).
// Installed once by the first SetSoundMute on the interception path; removed at exit.
void InstallSoundHooks();
void RemoveSoundHooks();

// The replacements, each with the signature of the function it replaces.
MMRESULT WINAPI MyWaveOutWrite(HWAVEOUT waveOut, LPWAVEHDR header, UINT headerSize);
MMRESULT WINAPI MyMidiStreamOut(HMIDISTRM stream, LPMIDIHDR header, UINT headerSize);
HRESULT WINAPI MyDirectSoundCreate(LPCGUID device, LPDIRECTSOUND* outObject, LPUNKNOWN outer);
// IDirectSound::CreateSoundBuffer (interface table entry 3).
HRESULT STDMETHODCALLTYPE MyCreateSoundBuffer(IDirectSound* self, LPCDSBUFFERDESC description,
                                              LPDIRECTSOUNDBUFFER* outBuffer, LPUNKNOWN outer);
// IDirectSoundBuffer::Unlock (interface table entry 19).
HRESULT STDMETHODCALLTYPE MyBufferUnlock(IDirectSoundBuffer* self, LPVOID first, DWORD firstBytes, LPVOID second,
                                         DWORD secondBytes);

// Overwrites the bytes with zeros when all of them are writable memory; a buffer the
// caller could not have written (read-only data handed to the output) is left alone
// rather than faulting inside the caller's audio call.
void Silence(void* data, size_t bytes) noexcept;
