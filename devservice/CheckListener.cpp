#include "CheckListener.h"

#include <httplib.h>

#include "Socket.h"

CheckListener::CheckListener(int port) : m_port(port) {}

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
    server->Get(".*", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("ok\n", "text/plain");
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
