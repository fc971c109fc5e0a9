#include "CheckListener.h"

#include <httplib.h>

#include "Faults.h"
#include "Socket.h"

CheckListener::CheckListener(int port, FaultTable& faults, const std::atomic<bool>& stopping)
    : m_port(port), m_faults(faults), m_stopping(stopping) {}

CheckListener::~CheckListener() { Stop(); }

bool CheckListener::Start()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_server) return true;
    auto server = std::make_unique<httplib::Server>();
    // One request per connection and short waits, so that Stop never waits long
    // for an idle connection.
    server->set_keep_alive_max_count(1);
    server->set_read_timeout(1, 0);
    server->set_socket_options(ExclusiveListenerOptions);
    server->Get(".*", [this](const httplib::Request& req, httplib::Response& res) {
        const Fault fault = m_faults.For(kCheckListenerFaultKey);
        if (fault == Fault::None) return res.set_content("ok\n", "text/plain");
        AnswerWithFault(fault, req, res, [] { return PlainAnswer{200, "text/plain", "ok\n"}; },
                        [this, fault] { return m_faults.For(kCheckListenerFaultKey) == fault; },
                        m_faults.TrickleGapMs(), m_stopping);
    });
    if (!server->bind_to_port("127.0.0.1", m_port)) return false;
    httplib::Server* raw = server.get();
    m_thread = std::thread([raw] { raw->listen_after_bind(); });
    // stop() is a no-op until the accept loop runs; wait for it so that an
    // immediate Stop cannot leave the thread serving.
    while (!raw->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    m_server = std::move(server);
    return true;
}

void CheckListener::Stop()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_server) return;
    m_server->stop();
    if (m_thread.joinable()) m_thread.join();
    m_server.reset();
}

bool CheckListener::IsUp() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_server != nullptr;
}
