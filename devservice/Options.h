#pragma once
#include <string>

// Command-line settings of the dev service.
struct Options {
    int port = 47810;          // main listener; 0 lets the system choose
    int checkPort = -1;        // connection-check listener; -1 means port + 1
    std::string exePath;       // file served as the newer executable; empty: generated dummy
    std::string clientExePath; // the launcher the client runs, for the matching version key
    std::string clientVersion = "3.0.0.1";
    std::string publishDir;    // what scripts/publish wrote, served under /update/ first
    std::string releaseKeyPath;   // PEM private key that signs what is published; empty: unsigned
    std::string otherKeyPath;     // a key the launchers do not know, for signing wrongly
    std::string publishedVersion; // the published build's version; empty: the client's next
};

// Parses argv. On failure returns false and puts a one-line reason into error.
// "--help" also returns false, with an empty error.
bool ParseOptions(int argc, char** argv, Options& out, std::string& error);

const char* UsageText();
