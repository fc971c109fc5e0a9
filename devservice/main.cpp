// devservice: a local stand-in for the game operator's web service, so that the
// launcher runs end to end on one machine. Binds only to 127.0.0.1.
#include <httplib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <thread>

#include "Options.h"
#include "Service.h"
#include "Socket.h"

int main(int argc, char** argv)
{
    Options options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        if (error.empty()) {
            std::fputs(UsageText(), stdout);
            return 0;
        }
        std::fprintf(stderr, "devservice: %s\n%s", error.c_str(), UsageText());
        return 2;
    }

    // Signals are taken by sigwait below; every thread started from here on
    // inherits the blocked mask, so none of them is interrupted by them.
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    httplib::Server server;
    // Slow test bodies and browsers' keep-alive connections each hold a thread.
    server.new_task_queue = [] { return new httplib::ThreadPool(64); };
    server.set_keep_alive_timeout(2);
    server.set_socket_options(ExclusiveListenerOptions);

    int port = options.port;
    if (port == 0) {
        port = server.bind_to_any_port("127.0.0.1");
        if (port <= 0) {
            std::fprintf(stderr, "devservice: cannot listen on 127.0.0.1\n");
            return 1;
        }
    } else if (!server.bind_to_port("127.0.0.1", port)) {
        std::fprintf(stderr, "devservice: cannot listen on 127.0.0.1:%d\n", port);
        return 1;
    }

    Service service(options, port);
    RegisterRoutes(server, service);
    if (!service.checkListener().Start()) {
        std::fprintf(stderr, "devservice: cannot listen on check port 127.0.0.1:%d\n",
                     service.checkListener().Port());
        return 1;
    }

    std::thread serving([&server] { server.listen_after_bind(); });
    while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));

    std::printf("devservice listening on 127.0.0.1:%d\n", port);
    std::fflush(stdout);
    std::fprintf(stderr, "devservice: check listener on 127.0.0.1:%d\n",
                 service.checkListener().Port());

    int signal = 0;
    sigwait(&stopSignals, &signal);

    service.stopping() = true;
    service.checkListener().Stop();
    server.stop();
    serving.join();
    std::fprintf(stderr, "devservice: stopped (signal %d)\n", signal);
    return 0;
}
