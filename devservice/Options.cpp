#include "Options.h"

#include <cstdlib>
#include <cstring>

namespace {

bool ParsePort(const char* text, int& out)
{
    if (!text || !*text) return false;
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (*end != '\0' || v < 0 || v > 65535) return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

const char* UsageText()
{
    return "usage: devservice [--port N] [--check-port N] [--exe PATH]\n"
           "                  [--client-exe PATH] [--client-version X.Y.Z.W] [--publish-dir DIR]\n"
           "                  [--release-key PEM] [--other-key PEM] [--published-version V]\n"
           "  --port N            main listener on 127.0.0.1 (default 47810; 0 = any free port)\n"
           "  --check-port N      connection-check listener (default: main port + 1)\n"
           "  --exe PATH          file served as the downloadable newer executable\n"
           "                      (default: a generated dummy, not a runnable program)\n"
           "  --client-exe PATH   the launcher under test; its version key is served when\n"
           "                      no update is published\n"
           "  --client-version V  version number used in version keys (default 3.0.0.1)\n"
           "  --publish-dir DIR   files written by scripts/publish, served under /update/\n"
           "                      before the switches decide\n"
           "  --release-key PEM   private key that signs what is published (\"Sig\")\n"
           "  --other-key PEM     another key, for the signature=otherkey switch\n"
           "  --published-version V  the published build's version (default: the client's\n"
           "                      with its last number one higher)\n";
}

bool ParseOptions(int argc, char** argv, Options& out, std::string& error)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        std::string value;
        bool hasInline = false;
        auto eq = a.find('=');
        if (a.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = a.substr(eq + 1);
            a = a.substr(0, eq);
            hasInline = true;
        }
        if (a == "--help" || a == "-h") {
            error.clear();
            return false;
        }
        auto next = [&](std::string& v) -> bool {
            if (hasInline) { v = value; return true; }
            if (i + 1 >= argc) { error = "missing value for " + a; return false; }
            v = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--port") {
            if (!next(v)) return false;
            if (!ParsePort(v.c_str(), o.port)) { error = "bad port: " + v; return false; }
        } else if (a == "--check-port") {
            if (!next(v)) return false;
            if (!ParsePort(v.c_str(), o.checkPort) || o.checkPort == 0) {
                error = "bad check port: " + v;
                return false;
            }
        } else if (a == "--exe") {
            if (!next(o.exePath)) return false;
        } else if (a == "--client-exe") {
            if (!next(o.clientExePath)) return false;
        } else if (a == "--client-version") {
            if (!next(o.clientVersion)) return false;
        } else if (a == "--publish-dir") {
            if (!next(o.publishDir)) return false;
        } else if (a == "--release-key") {
            if (!next(o.releaseKeyPath)) return false;
        } else if (a == "--other-key") {
            if (!next(o.otherKeyPath)) return false;
        } else if (a == "--published-version") {
            if (!next(o.publishedVersion)) return false;
        } else {
            error = "unknown argument: " + a;
            return false;
        }
    }
    out = o;
    return true;
}
