// Helpers for the tests of the HTTP fetch: addresses on the dev service, the request record,
// a window that records progress messages and a worker thread run while this one pumps.
#pragma once
#include "base/Handles.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// "http://127.0.0.1:<port>" followed by the path.
std::wstring ServiceUrl(const std::wstring& pathAndQuery);

// The recorded requests for one decoded path, one JSON line each, oldest first.
std::vector<std::string> RecordedRequestsTo(const std::string& path);
// A string field of one record line ("request_line", "target", ...), empty when absent.
std::string RecordField(const std::string& line, const std::string& name);
// A header as the service parsed it, empty when absent.
std::string RecordHeader(const std::string& line, const std::string& name);

// A port nothing listens on (bound once to find a free one, then released).
int ClosedPort();

// The whole content of a file, and whether it exists.
std::string FileContent(const std::wstring& path);
bool FileExists(const std::wstring& path);
void WriteFileContent(const std::wstring& path, const std::string& content);

// A message-only window that records every PBM_SETPOS it receives together with the size
// the watched file had at that moment (none when no file is given).
class ProgressRecorder {
public:
    struct Sample {
        WPARAM position;
        long long fileSize;  // -1 when no file is watched or it could not be read
    };
    explicit ProgressRecorder(std::wstring watchedFile);
    ~ProgressRecorder();
    ProgressRecorder(const ProgressRecorder&) = delete;
    ProgressRecorder& operator=(const ProgressRecorder&) = delete;

    HWND Window() const noexcept { return m_hwnd; }
    std::vector<Sample> Samples() const;
    size_t Count() const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hwnd = nullptr;
    std::wstring m_file;
    mutable std::mutex m_lock;
    std::vector<Sample> m_samples;
};

// Runs work on its own thread while the constructing thread pumps messages in the Pump
// calls (and in the destructor, which waits for the work).
class PumpedWorker {
public:
    explicit PumpedWorker(std::function<void()> work);
    ~PumpedWorker();
    PumpedWorker(const PumpedWorker&) = delete;
    PumpedWorker& operator=(const PumpedWorker&) = delete;

    // Pumps until the condition holds or the work is done; a guard of ms against a hang.
    // True when the condition held.
    bool PumpUntil(const std::function<bool()>& condition, DWORD ms);
    // Pumps until the work is done; false when ms passed first.
    bool PumpUntilDone(DWORD ms);
    bool Done() const;

private:
    UniqueHandle m_done;
    std::thread m_thread;
};
