// The handles of one running HTTP fetch (root, connection, request, output file), kept
// where another thread can reach them so that a download can be cancelled from outside.
//
// The fetching thread hands every handle over as soon as it has it and makes its calls
// through the store. Cancel (from any thread, usually the GUI thread) closes whatever is
// open; closing a WinINet handle is how a blocking call on it is aborted, so the blocked
// read returns and the fetch ends with failure. Each handle is closed exactly once, by
// whichever side comes first; after Cancel returns the fetching thread touches none of
// them and sends no more progress.
//
// A store serves one fetch after another; once cancelled it refuses every later one.
// The store must outlive the fetch that uses it (share it, e.g. with std::shared_ptr,
// when the canceller may go away first).
#pragma once
#include "update/InternetHandle.h"

#include <mutex>

class HttpHandleStore {
public:
    HttpHandleStore();
    HttpHandleStore(const HttpHandleStore&) = delete;
    HttpHandleStore& operator=(const HttpHandleStore&) = delete;
    ~HttpHandleStore() = default;  // members close file, request, connection, root

    // Fetching side. A null handle answers false; so does a cancelled store, which closes
    // the handle at once.
    bool AdoptRoot(HINTERNET root);
    bool AdoptConnection(HINTERNET connection);
    bool AdoptRequest(HINTERNET request);
    bool AdoptFile(HANDLE file);

    // Runs a call that returns at once on a handle while Cancel cannot close it. False
    // when cancelled or the handle is not set; otherwise the call's own answer.
    template <class Call>
    bool UseRoot(Call&& call) {
        return Use(m_root, call);
    }
    template <class Call>
    bool UseConnection(Call&& call) {
        return Use(m_connection, call);
    }
    template <class Call>
    bool UseRequest(Call&& call) {
        return Use(m_request, call);
    }

    // For the blocking calls (send, read): Cancel must be able to close the handle under
    // them, so no lock is held. Null once cancelled; a call made on a handle closed in the
    // meantime fails.
    HINTERNET RequestForBlockingCall() const;

    // Appends to the output file; false when cancelled, no file is open or the write failed.
    bool Write(const void* data, DWORD size);

    // Sends PBM_SETPOS synchronously unless cancelled. The message is sent without the
    // lock held: the receiving window's thread may be the one calling Cancel.
    bool SendProgress(HWND window, WPARAM position);

    void CloseFile();
    void CloseInternet();  // request, connection, root

    // Closes everything that is open and, should a progress message be on its way, lets it
    // arrive before returning. Must not be called from inside the progress window's
    // handling of that message.
    void Cancel();
    [[nodiscard]] bool IsCancelled() const;

private:
    template <class Owner>
    bool Adopt(Owner& owner, typename Owner::Handle handle);
    template <class Call>
    bool Use(const UniqueInternet& handle, Call& call) {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_cancelled || !handle) return false;
        return call(handle.Get());
    }
    void WaitForProgressInFlight();

    mutable std::mutex m_lock;
    bool m_cancelled = false;
    UniqueHandle m_progressIdle;  // manual-reset event, set while no progress message is in flight
    // Destroyed bottom-up: file, request, connection, root.
    UniqueInternet m_root;
    UniqueInternet m_connection;
    UniqueInternet m_request;
    UniqueFile m_file;
};
