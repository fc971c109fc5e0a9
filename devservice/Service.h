#pragma once
#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "CheckListener.h"
#include "Faults.h"
#include "Options.h"
#include "Record.h"
#include "Switches.h"

namespace httplib { class Server; }

// Everything the routes share: settings, the request record, the switches,
// the check listener and the generated content.
class Service {
public:
    Service(const Options& options, int mainPort);

    const Options& options() const { return m_options; }
    int mainPort() const { return m_mainPort; }
    // "http://127.0.0.1:PORT": every host of the dev and test builds.
    const std::string& baseUrl() const { return m_baseUrl; }

    RequestRecord& record() { return m_record; }
    Switches& switches() { return m_switches; }
    CheckListener& checkListener() { return m_check; }
    FaultTable& faults() { return m_faults; }

    // Set when the service is shutting down; long transfers stop early.
    std::atomic<bool>& stopping() { return m_stopping; }

    // The bytes of the downloadable executable: what a test uploaded, else --exe
    // (read on every call, so a rebuilt file is served without a restart), else the dummy.
    std::string ExeBytes() const;
    // A test's own executable, served until cleared (empty clears).
    void SetUploadedExe(std::string bytes);
    bool HasUploadedExe() const;
    // Version key the client computes for itself, or empty when unknown.
    std::string ClientKey() const;
    // Version key served when no update is published.
    std::string CurrentKey(const SwitchState& s) const;
    // Version key served when an update is published: that of the served
    // executable, or, should it equal the current key, one that never matches.
    std::string PublishedKey(const SwitchState& s) const;
    // What the download routes serve: ExeBytes, one byte changed for signature=altered.
    std::string ServedExeBytes(const SwitchState& s) const;
    // The published build's version: --published-version, else the client's next one.
    std::string PublishedVersion() const;
    // The "Sig" value the version file carries for the key: the claim on ExeBytes as the
    // signature switch makes it; empty without a release key or for signature=none.
    std::string ReleaseClaimFor(const SwitchState& s, const std::string& key) const;

    const std::string& noticePicture() const { return m_noticePicture; }

private:
    Options m_options;
    int m_mainPort;
    std::string m_baseUrl;
    RequestRecord m_record;
    Switches m_switches;
    FaultTable m_faults;
    std::atomic<bool> m_stopping{false};
    CheckListener m_check;
    std::string m_dummyExe;
    mutable std::mutex m_uploadMutex;
    std::string m_uploadedExe;
    std::string m_noticePicture;
};

// Registers every route of the main listener.
void RegisterRoutes(httplib::Server& server, Service& service);
void RegisterControlRoutes(httplib::Server& server, Service& service);
void RegisterMisbehaveRoutes(httplib::Server& server, Service& service);

// Path prefix of the control endpoints; their requests are not recorded.
extern const char kControlPrefix[];
