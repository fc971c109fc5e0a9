#include "update/HttpHandleStore.h"

#include <commctrl.h>

HttpHandleStore::HttpHandleStore() : m_progressIdle(::CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}

template <class Owner>
bool HttpHandleStore::Adopt(Owner& owner, typename Owner::Handle handle) {
    Owner adopted(handle);
    if (!adopted) return false;
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_cancelled) return false;  // adopted closes it
    owner = std::move(adopted);
    return true;
}

bool HttpHandleStore::AdoptRoot(HINTERNET root) { return Adopt(m_root, root); }
bool HttpHandleStore::AdoptConnection(HINTERNET connection) { return Adopt(m_connection, connection); }
bool HttpHandleStore::AdoptRequest(HINTERNET request) { return Adopt(m_request, request); }
bool HttpHandleStore::AdoptFile(HANDLE file) { return Adopt(m_file, file); }

HINTERNET HttpHandleStore::RequestForBlockingCall() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_cancelled ? nullptr : m_request.Get();
}

bool HttpHandleStore::Write(const void* data, DWORD size) {
    // Under the lock, so Cancel cannot close the file between the check and the write
    // (a closed handle's value may already belong to another file).
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_cancelled || !m_file) return false;
    DWORD written = 0;
    return size == 0 || (::WriteFile(m_file.Get(), data, size, &written, nullptr) && written == size);
}

bool HttpHandleStore::SendProgress(HWND window, WPARAM position) {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        // Without the event Cancel could not wait for the message, so none is sent.
        if (m_cancelled || !m_progressIdle) return false;
        ::ResetEvent(m_progressIdle.Get());
    }
    ::SendMessageW(window, PBM_SETPOS, position, 0);
    ::SetEvent(m_progressIdle.Get());
    return true;
}

void HttpHandleStore::CloseFile() {
    std::lock_guard<std::mutex> hold(m_lock);
    m_file.Reset();
}

void HttpHandleStore::CloseInternet() {
    std::lock_guard<std::mutex> hold(m_lock);
    m_request.Reset();
    m_connection.Reset();
    m_root.Reset();
}

void HttpHandleStore::Cancel() {
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_cancelled = true;
        m_file.Reset();
        m_request.Reset();
        m_connection.Reset();
        m_root.Reset();
    }
    WaitForProgressInFlight();
}

bool HttpHandleStore::IsCancelled() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_cancelled;
}

void HttpHandleStore::WaitForProgressInFlight() {
    // The progress window usually belongs to this very thread, so the sent message can
    // only land while this thread takes in sent messages: wait and let them through.
    // Posted messages stay queued. The peek comes first because the wait only wakes for
    // sent messages that arrive after the queue was last looked at.
    if (!m_progressIdle) return;
    HANDLE idle = m_progressIdle.Get();
    do {
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    } while (::MsgWaitForMultipleObjects(1, &idle, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1);
}
