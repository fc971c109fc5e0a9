// Child program of the sound-muting tests. The test copies it under a name for which Wine
// reports an older or newer Windows, runs one scenario and reads back what it observed:
//   sound_probe <scenario> <report file>
// Scenarios:
//   xp          interception path: buffers seen by the real functions, DirectSound tables
//   xp-zero     interception path: the first call with 0 installs the interceptions too
//   win7        mixer path with the system's (absent) audio devices
//   win7-mixer  mixer path against a recording stand-in for the mixer functions
// The report holds "key=value" lines; the process exits 0 when the scenario ran to its end.
#include "base/Handles.h"
#include "features/DirectSoundTables.h"
#include "features/intercept/Interception.h"
#include "features/SoundHooks.h"
#include "features/SoundMute.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string g_reportPath;

void Report(const char* format, ...) {
    FILE* file = std::fopen(g_reportPath.c_str(), "ab");
    if (!file) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(file, format, args);
    va_end(args);
    std::fputc('\n', file);
    std::fclose(file);
}

template <class F>
PVOID* Slot(F& pointer) {
    return reinterpret_cast<PVOID*>(&pointer);
}

template <class F>
LONG AttachOne(F& pointer, F replacement) {
    BeginInterception();
    IncludeThreadInInterception(::GetCurrentThread());
    InterceptFunction(Slot(pointer), reinterpret_cast<PVOID>(replacement));
    return CommitInterception();
}

const char* Contents(const void* data, size_t size) {
    if (!data) return "none";
    const auto* bytes = static_cast<const unsigned char*>(data);
    bool zero = true, pattern = true;
    for (size_t i = 0; i < size; ++i) {
        zero = zero && bytes[i] == 0;
        pattern = pattern && bytes[i] == 0xAA;
    }
    return zero ? "zero" : pattern ? "data" : "mixed";
}

FARPROC Export(const wchar_t* module, const char* name) { return ::GetProcAddress(::GetModuleHandleW(module), name); }

std::string EntryBytes(const void* code) {
    char text[3 * 8 + 1] = {};
    const auto* b = static_cast<const unsigned char*>(code);
    for (int i = 0; i < 8; ++i) std::snprintf(text + 3 * i, 4, "%02x ", b[i]);
    return text;
}

// ---- Spies between the muting replacements and the real output functions -------------

decltype(&::waveOutWrite) g_nextWaveOutWrite = ::waveOutWrite;
decltype(&::midiStreamOut) g_nextMidiStreamOut = ::midiStreamOut;
const char* g_waveSeen = "";
const char* g_midiSeen = "";
MMRESULT g_waveRealResult = 0;
MMRESULT g_midiRealResult = 0;
int g_waveSpyCalls = 0;

MMRESULT WINAPI SpyWaveOutWrite(HWAVEOUT h, LPWAVEHDR header, UINT size) {
    ++g_waveSpyCalls;
    g_waveSeen = header ? Contents(header->lpData, header->dwBufferLength) : "none";
    g_waveRealResult = g_nextWaveOutWrite(h, header, size);
    return g_waveRealResult;
}

MMRESULT WINAPI SpyMidiStreamOut(HMIDISTRM h, LPMIDIHDR header, UINT size) {
    g_midiSeen = header ? Contents(header->lpData, header->dwBufferLength) : "none";
    g_midiRealResult = g_nextMidiStreamOut(h, header, size);
    return g_midiRealResult;
}

// ---- Stand-in DirectSound objects with the published interface layouts ----------------

struct UnlockRecord {
    const char* first = "";
    const char* second = "";
    int calls = 0;
};

template <int Kind>
class FakeBuffer : public IDirectSoundBuffer {
public:
    static UnlockRecord record;
    STDMETHOD(QueryInterface)(REFIID, void** out) override {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(GetCaps)(LPDSBCAPS) override { return E_NOTIMPL; }
    STDMETHOD(GetCurrentPosition)(LPDWORD, LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetFormat)(LPWAVEFORMATEX, DWORD, LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetVolume)(LPLONG) override { return E_NOTIMPL; }
    STDMETHOD(GetPan)(LPLONG) override { return E_NOTIMPL; }
    STDMETHOD(GetFrequency)(LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(GetStatus)(LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(Initialize)(LPDIRECTSOUND, LPCDSBUFFERDESC) override { return E_NOTIMPL; }
    STDMETHOD(Lock)(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(Play)(DWORD, DWORD, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetCurrentPosition)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetFormat)(LPCWAVEFORMATEX) override { return E_NOTIMPL; }
    STDMETHOD(SetVolume)(LONG) override { return E_NOTIMPL; }
    STDMETHOD(SetPan)(LONG) override { return E_NOTIMPL; }
    STDMETHOD(SetFrequency)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(Stop)() override { return E_NOTIMPL; }
    STDMETHOD(Unlock)(LPVOID first, DWORD firstBytes, LPVOID second, DWORD secondBytes) override {
        ++record.calls;
        record.first = Contents(first, firstBytes);
        record.second = Contents(second, secondBytes);
        return S_FALSE;  // a distinct success code, to see it handed back unchanged
    }
    STDMETHOD(Restore)() override { return E_NOTIMPL; }
};
template <int Kind>
UnlockRecord FakeBuffer<Kind>::record;

FakeBuffer<0> g_secondaryBuffers[4];
FakeBuffer<1> g_primaryBuffers[2];
int g_createSoundBufferCalls = 0;

class FakeDirectSound : public IDirectSound {
public:
    STDMETHOD(QueryInterface)(REFIID, void** out) override {
        if (out) *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(CreateSoundBuffer)(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* out, LPUNKNOWN) override {
        ++g_createSoundBufferCalls;
        if (!out || !description) return DSERR_INVALIDPARAM;
        static int secondary = 0, primary = 0;
        if (description->dwFlags & DSBCAPS_PRIMARYBUFFER) {
            *out = &g_primaryBuffers[primary++ % 2];
        } else {
            *out = &g_secondaryBuffers[secondary++ % 4];
        }
        return DS_OK;
    }
    STDMETHOD(GetCaps)(LPDSCAPS) override { return E_NOTIMPL; }
    STDMETHOD(DuplicateSoundBuffer)(LPDIRECTSOUNDBUFFER, LPDIRECTSOUNDBUFFER*) override { return E_NOTIMPL; }
    STDMETHOD(SetCooperativeLevel)(HWND, DWORD) override { return E_NOTIMPL; }
    STDMETHOD(Compact)() override { return E_NOTIMPL; }
    STDMETHOD(GetSpeakerConfig)(LPDWORD) override { return E_NOTIMPL; }
    STDMETHOD(SetSpeakerConfig)(DWORD) override { return E_NOTIMPL; }
    STDMETHOD(Initialize)(LPCGUID) override { return E_NOTIMPL; }
};

FakeDirectSound g_devices[3];
int g_devicesMade = 0;
PVOID g_realDirectSoundCreate = nullptr;

HRESULT WINAPI FakeDirectSoundCreate(LPCGUID, LPDIRECTSOUND* out, LPUNKNOWN) {
    if (!out) return DSERR_INVALIDPARAM;
    *out = &g_devices[g_devicesMade++ % 3];
    return DS_OK;
}

void* Entry(const void* object, int index) { return (*static_cast<void* const* const*>(object))[index]; }

DWORD Protection(const void* address) {
    MEMORY_BASIC_INFORMATION mbi{};
    ::VirtualQuery(address, &mbi, sizeof(mbi));
    return mbi.Protect;
}

// ---- Scenarios -------------------------------------------------------------------------

struct Buffers {
    std::vector<char> wave = std::vector<char>(256, static_cast<char>(0xAA));
    std::vector<char> midi = std::vector<char>(96, static_cast<char>(0xAA));
};

// Writes through the exports, with handles the system rejects.
void PlayThroughExports(const char* label) {
    Buffers b;
    WAVEHDR wave{};
    wave.lpData = b.wave.data();
    wave.dwBufferLength = static_cast<DWORD>(b.wave.size());
    const auto waveOut = reinterpret_cast<decltype(&::waveOutWrite)>(Export(L"winmm.dll", "waveOutWrite"));
    const MMRESULT waveResult = waveOut(reinterpret_cast<HWAVEOUT>(0x1234), &wave, sizeof(wave));
    Report("%s.wave_seen_by_real=%s", label, g_waveSeen);
    Report("%s.wave_after=%s", label, Contents(b.wave.data(), b.wave.size()));
    Report("%s.wave_result=%u", label, waveResult);
    Report("%s.wave_real_result=%u", label, g_waveRealResult);

    MIDIHDR midi{};
    midi.lpData = b.midi.data();
    midi.dwBufferLength = static_cast<DWORD>(b.midi.size());
    const auto streamOut = reinterpret_cast<decltype(&::midiStreamOut)>(Export(L"winmm.dll", "midiStreamOut"));
    const MMRESULT midiResult = streamOut(reinterpret_cast<HMIDISTRM>(0x5678), &midi, sizeof(midi));
    Report("%s.midi_seen_by_real=%s", label, g_midiSeen);
    Report("%s.midi_after=%s", label, Contents(b.midi.data(), b.midi.size()));
    Report("%s.midi_result=%u", label, midiResult);
    Report("%s.midi_real_result=%u", label, g_midiRealResult);
}

void UnlockBoth(const char* label, IDirectSoundBuffer* buffer, UnlockRecord& record) {
    std::vector<char> first(64, static_cast<char>(0xAA)), second(32, static_cast<char>(0xAA));
    const HRESULT result = buffer->Unlock(first.data(), 64, second.data(), 32);
    Report("%s.unlock_seen=%s,%s", label, record.first, record.second);
    Report("%s.unlock_result=%ld", label, static_cast<long>(result));
}

std::string g_entryAfterSpies;

void CheckRestoredAtExit() {
    Report("exit.entry_restored=%d", EntryBytes(reinterpret_cast<void*>(Export(L"winmm.dll", "waveOutWrite"))) ==
                                         g_entryAfterSpies);
}

int RunXp() {
    // Spies and the DirectSound stand-in first: the muting replacements then chain in front.
    if (AttachOne(g_nextWaveOutWrite, &SpyWaveOutWrite) != NO_ERROR) return 10;
    if (AttachOne(g_nextMidiStreamOut, &SpyMidiStreamOut) != NO_ERROR) return 11;
    g_realDirectSoundCreate = reinterpret_cast<PVOID>(Export(L"dsound.dll", "DirectSoundCreate"));
    if (!g_realDirectSoundCreate) return 12;
    BeginInterception();
    InterceptFunction(&g_realDirectSoundCreate, reinterpret_cast<PVOID>(&FakeDirectSoundCreate));
    if (CommitInterception() != NO_ERROR) return 13;
    g_entryAfterSpies = EntryBytes(reinterpret_cast<void*>(Export(L"winmm.dll", "waveOutWrite")));
    std::atexit(CheckRestoredAtExit);  // runs after the removal registered later

    const DWORD tableProtection = Protection(&(*reinterpret_cast<void***>(&g_devices[0]))[kCreateSoundBufferEntry]);
    Report("mute1.result=%d", SetSoundMute(1));
    const std::string installed = EntryBytes(reinterpret_cast<void*>(Export(L"winmm.dll", "waveOutWrite")));
    Report("mute1.entry_changed=%d", installed != g_entryAfterSpies);
    PlayThroughExports("mute1");

    // DirectSound: device and buffer tables are patched on first use.
    const auto create = reinterpret_cast<decltype(&::DirectSoundCreate)>(Export(L"dsound.dll", "DirectSoundCreate"));
    IDirectSound* device = nullptr;
    Report("ds.create_result=%ld", static_cast<long>(create(nullptr, &device, nullptr)));
    Report("ds.device_is_fake=%d", device == &g_devices[0]);
    Report("ds.create_slot_patched=%d", Entry(device, kCreateSoundBufferEntry) == reinterpret_cast<void*>(&MyCreateSoundBuffer));
    Report("ds.table_protection_kept=%d", Protection(&(*reinterpret_cast<void***>(device))[kCreateSoundBufferEntry]) ==
                                              tableProtection);
    DSBUFFERDESC secondary{};
    secondary.dwSize = sizeof(secondary);
    IDirectSoundBuffer* buffer = nullptr;
    Report("ds.buffer_result=%ld", static_cast<long>(device->CreateSoundBuffer(&secondary, &buffer, nullptr)));
    Report("ds.buffer_is_fake=%d", buffer == &g_secondaryBuffers[0]);
    Report("ds.unlock_slot_patched=%d", Entry(buffer, kUnlockEntry) == reinterpret_cast<void*>(&MyBufferUnlock));
    UnlockBoth("ds.mute1", buffer, FakeBuffer<0>::record);
    std::vector<char> only(16, static_cast<char>(0xAA));
    buffer->Unlock(only.data(), 16, nullptr, 0);
    Report("ds.mute1.single_region=%s", FakeBuffer<0>::record.first);

    // A second device and buffer of the same classes go through the patched tables.
    IDirectSound* device2 = nullptr;
    create(nullptr, &device2, nullptr);
    IDirectSoundBuffer* buffer2 = nullptr;
    device2->CreateSoundBuffer(&secondary, &buffer2, nullptr);
    UnlockBoth("ds.second", buffer2, FakeBuffer<0>::record);
    // A buffer of another class (the primary buffer) gets its own table patched.
    DSBUFFERDESC primary{};
    primary.dwSize = sizeof(primary);
    primary.dwFlags = DSBCAPS_PRIMARYBUFFER;
    IDirectSoundBuffer* primaryBuffer = nullptr;
    device2->CreateSoundBuffer(&primary, &primaryBuffer, nullptr);
    UnlockBoth("ds.primary", primaryBuffer, FakeBuffer<1>::record);
    Report("ds.create_calls=%d", g_createSoundBufferCalls);
    Report("ds.device_tables=%d", PatchedDirectSoundTables());
    Report("ds.buffer_tables=%d", PatchedBufferTables());

    // Bad arguments reach the real functions, which reject them, instead of crashing us.
    Report("ds.null_device_out=%ld", static_cast<long>(create(nullptr, nullptr, nullptr)));
    Report("ds.null_buffer_out=%ld", static_cast<long>(device->CreateSoundBuffer(&secondary, nullptr, nullptr)));
    WAVEHDR nullData{};
    nullData.dwBufferLength = 100;
    reinterpret_cast<decltype(&::waveOutWrite)>(Export(L"winmm.dll", "waveOutWrite"))(nullptr, &nullData, sizeof(nullData));
    reinterpret_cast<decltype(&::waveOutWrite)>(Export(L"winmm.dll", "waveOutWrite"))(nullptr, nullptr, sizeof(WAVEHDR));
    // A header whose given size ends before the buffer fields: its buffer is not touched.
    std::vector<char> untrusted(64, static_cast<char>(0xAA));
    WAVEHDR shortHeader{};
    shortHeader.lpData = untrusted.data();
    shortHeader.dwBufferLength = 64;
    reinterpret_cast<decltype(&::waveOutWrite)>(Export(L"winmm.dll", "waveOutWrite"))(nullptr, &shortHeader, 4);
    Report("bad.short_header_buffer=%s", Contents(untrusted.data(), untrusted.size()));
    // A read-only buffer is played as it is rather than faulting.
    const UniqueVirtualMemory page(::VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!page) return 14;
    auto* readOnly = static_cast<char*>(page.Get());
    std::memset(readOnly, 0xAA, 4096);
    DWORD old = 0;
    ::VirtualProtect(readOnly, 4096, PAGE_READONLY, &old);
    WAVEHDR readOnlyHeader{};
    readOnlyHeader.lpData = readOnly;
    readOnlyHeader.dwBufferLength = 4096;
    reinterpret_cast<decltype(&::waveOutWrite)>(Export(L"winmm.dll", "waveOutWrite"))(nullptr, &readOnlyHeader,
                                                                                        sizeof(readOnlyHeader));
    Report("bad.read_only_seen_by_real=%s", g_waveSeen);

    // Sound on: buffers pass untouched; the interceptions stay as they are.
    Report("mute0.result=%d", SetSoundMute(0));
    PlayThroughExports("mute0");
    UnlockBoth("ds.mute0", buffer, FakeBuffer<0>::record);
    Report("mute0.entry_unchanged=%d",
           EntryBytes(reinterpret_cast<void*>(Export(L"winmm.dll", "waveOutWrite"))) == installed);

    // Muted again: still one replacement in front of the spy (one spy call per write).
    Report("mute1b.result=%d", SetSoundMute(1));
    const int spyBefore = g_waveSpyCalls;
    PlayThroughExports("mute1b");
    Report("mute1b.spy_calls=%d", g_waveSpyCalls - spyBefore);
    Report("mute1b.entry_unchanged=%d",
           EntryBytes(reinterpret_cast<void*>(Export(L"winmm.dll", "waveOutWrite"))) == installed);
    return 0;
}

int RunXpFirstZero() {
    if (AttachOne(g_nextWaveOutWrite, &SpyWaveOutWrite) != NO_ERROR) return 10;
    if (AttachOne(g_nextMidiStreamOut, &SpyMidiStreamOut) != NO_ERROR) return 11;
    const std::string before = EntryBytes(reinterpret_cast<void*>(Export(L"winmm.dll", "waveOutWrite")));
    Report("zero.result=%d", SetSoundMute(0));
    const std::string after = EntryBytes(reinterpret_cast<void*>(Export(L"winmm.dll", "waveOutWrite")));
    Report("zero.entry_changed=%d", before != after);
    PlayThroughExports("zero");
    Report("one.result=%d", SetSoundMute(1));
    Report("one.entry_unchanged=%d", EntryBytes(reinterpret_cast<void*>(Export(L"winmm.dll", "waveOutWrite"))) == after);
    PlayThroughExports("one");
    return 0;
}

int RunWin7() {
    const std::string wave = EntryBytes(reinterpret_cast<void*>(Export(L"winmm.dll", "waveOutWrite")));
    const std::string ds = EntryBytes(reinterpret_cast<void*>(Export(L"dsound.dll", "DirectSoundCreate")));
    Report("mixers=%u", ::mixerGetNumDevs());
    Report("mute1.result=%d", SetSoundMute(1));
    Report("mute0.result=%d", SetSoundMute(0));
    Report("wave_entry_unchanged=%d", EntryBytes(reinterpret_cast<void*>(Export(L"winmm.dll", "waveOutWrite"))) == wave);
    Report("ds_entry_unchanged=%d", EntryBytes(reinterpret_cast<void*>(Export(L"dsound.dll", "DirectSoundCreate"))) == ds);
    return 0;
}

// ---- A recording stand-in for the mixer ------------------------------------------------

const HMIXER kFakeMixer = reinterpret_cast<HMIXER>(0x4D49);
bool g_failOpen = false;
DWORD g_failLineType = 0;
DWORD g_failSetForLine = 0;
DWORD g_multipleItems = 0;
std::string g_label;

decltype(&::mixerGetNumDevs) g_realGetNumDevs = ::mixerGetNumDevs;
decltype(&::mixerOpen) g_realOpen = ::mixerOpen;
decltype(&::mixerGetLineInfoW) g_realGetLineInfo = ::mixerGetLineInfoW;
decltype(&::mixerGetLineControlsW) g_realGetLineControls = ::mixerGetLineControlsW;
decltype(&::mixerGetControlDetailsW) g_realGetDetails = ::mixerGetControlDetailsW;
decltype(&::mixerSetControlDetails) g_realSetDetails = ::mixerSetControlDetails;
decltype(&::mixerClose) g_realClose = ::mixerClose;

DWORD LineId(DWORD componentType) { return 0xA000 | (componentType & 0xFFF); }

const char* HandleName(const void* h) { return h == kFakeMixer ? "mixer" : "other"; }

UINT WINAPI FakeGetNumDevs() {
    Report("%s=getnumdevs", g_label.c_str());
    return 1;
}

MMRESULT WINAPI FakeOpen(LPHMIXER out, UINT id, DWORD_PTR callback, DWORD_PTR instance, DWORD flags) {
    Report("%s=open id=%u callback=%d instance=%d flags=%08lx", g_label.c_str(), id, callback != 0, instance != 0,
           flags);
    if (g_failOpen) return MMSYSERR_BADDEVICEID;
    *out = kFakeMixer;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeGetLineInfo(HMIXEROBJ h, LPMIXERLINEW line, DWORD flags) {
    Report("%s=lineinfo h=%s size=%lu type=%08lx flags=%08lx", g_label.c_str(), HandleName(h), line->cbStruct,
           line->dwComponentType, flags);
    if (line->dwComponentType == g_failLineType) return MIXERR_INVALLINE;
    line->dwLineID = LineId(line->dwComponentType);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeGetLineControls(HMIXEROBJ h, LPMIXERLINECONTROLSW controls, DWORD flags) {
    Report("%s=controls h=%s size=%lu line=%lx type=%08lx count=%lu control_size=%lu flags=%08lx", g_label.c_str(),
           HandleName(h), controls->cbStruct, controls->dwLineID, controls->dwControlType, controls->cControls,
           controls->cbmxctrl, flags);
    controls->pamxctrl->dwControlID = controls->dwLineID + 1;
    controls->pamxctrl->cMultipleItems = g_multipleItems;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeGetDetails(HMIXEROBJ h, LPMIXERCONTROLDETAILS details, DWORD flags) {
    Report("%s=getdetails h=%s size=%lu control=%lx channels=%lu items=%lu detail_size=%lu flags=%08lx",
           g_label.c_str(), HandleName(h), details->cbStruct, details->dwControlID, details->cChannels,
           details->cMultipleItems, details->cbDetails, flags);
    // As a driver does: one value per channel and item.
    const DWORD values = details->cChannels * (details->cMultipleItems ? details->cMultipleItems : 1);
    auto* items = static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(details->paDetails);
    for (DWORD i = 0; i < values; ++i) items[i].fValue = 7;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeSetDetails(HMIXEROBJ h, LPMIXERCONTROLDETAILS details, DWORD flags) {
    const DWORD values = details->cChannels * (details->cMultipleItems ? details->cMultipleItems : 1);
    std::string list;
    for (DWORD i = 0; i < values; ++i) {
        list += (i ? "," : "") + std::to_string(static_cast<MIXERCONTROLDETAILS_BOOLEAN*>(details->paDetails)[i].fValue);
    }
    Report("%s=setdetails h=%s control=%lx values=%s flags=%08lx", g_label.c_str(), HandleName(h),
           details->dwControlID, list.c_str(), flags);
    const bool fail = g_failSetForLine && details->dwControlID == LineId(g_failSetForLine) + 1;
    return fail ? MMSYSERR_ERROR : MMSYSERR_NOERROR;
}

MMRESULT WINAPI FakeClose(HMIXER h) {
    Report("%s=close h=%s", g_label.c_str(), HandleName(h));
    return MMSYSERR_NOERROR;
}

int RunWin7Mixer() {
    BeginInterception();
    InterceptFunction(Slot(g_realGetNumDevs), reinterpret_cast<PVOID>(&FakeGetNumDevs));
    InterceptFunction(Slot(g_realOpen), reinterpret_cast<PVOID>(&FakeOpen));
    InterceptFunction(Slot(g_realGetLineInfo), reinterpret_cast<PVOID>(&FakeGetLineInfo));
    InterceptFunction(Slot(g_realGetLineControls), reinterpret_cast<PVOID>(&FakeGetLineControls));
    InterceptFunction(Slot(g_realGetDetails), reinterpret_cast<PVOID>(&FakeGetDetails));
    InterceptFunction(Slot(g_realSetDetails), reinterpret_cast<PVOID>(&FakeSetDetails));
    InterceptFunction(Slot(g_realClose), reinterpret_cast<PVOID>(&FakeClose));
    const LONG attached = CommitInterception();
    Report("attached=%ld", attached);
    if (attached != NO_ERROR) return 20;

    struct Variant {
        const char* label;
        int muted;
        bool failOpen;
        DWORD failLine;
        DWORD failSet;
        DWORD items;
    };
    const Variant variants[] = {
        {"mute", 1, false, 0, 0, 0},
        {"unmute", 0, false, 0, 0, 0},
        {"wave_line_missing", 1, false, MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, 0, 0},
        {"speakers_set_fails", 1, false, 0, MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, 0},
        {"open_fails", 1, true, 0, 0, 0},
        {"multiple_items", 1, false, 0, 0, 3},
    };
    for (const Variant& v : variants) {
        g_label = std::string("call.") + v.label;
        g_failOpen = v.failOpen;
        g_failLineType = v.failLine;
        g_failSetForLine = v.failSet;
        g_multipleItems = v.items;
        const int result = SetSoundMute(v.muted);
        Report("result.%s=%d", v.label, result);
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (argc < 3) return 2;
    char path[MAX_PATH * 3] = {};
    ::WideCharToMultiByte(CP_ACP, 0, argv[2], -1, path, sizeof(path), nullptr, nullptr);
    g_reportPath = path;
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExW(&version);
    Report("version=%lu.%lu", version.dwMajorVersion, version.dwMinorVersion);

    const std::wstring scenario = argv[1];
    if (scenario == L"xp") return RunXp();
    if (scenario == L"xp-zero") return RunXpFirstZero();
    if (scenario == L"win7") return RunWin7();
    if (scenario == L"win7-mixer") return RunWin7Mixer();
    return 3;
}
