#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib { class Server; }
class FaultTable;

// The second listener: the address whose reachability the client takes as "the
// network is up". Tests switch it off and on while the main listener stays up.
class CheckListener {
public:
    // The listener answers with the fault the table holds for it, if any.
    CheckListener(int port, FaultTable& faults, const std::atomic<bool>& stopping);
    ~CheckListener();

    // Binds and starts serving. False if the port cannot be bound.
    bool Start();
    // Closes the listening socket (new connections are refused at once) and
    // waits for the serving thread.
    void Stop();
    bool IsUp() const;
    int Port() const { return m_port; }

private:
    int m_port;
    FaultTable& m_faults;
    const std::atomic<bool>& m_stopping;
    mutable std::mutex m_mutex;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
};
