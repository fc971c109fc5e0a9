#include "app/rules/SelfDeleteScript.h"

namespace {
constexpr size_t kMaxScriptBytes = 2048;

// A quoted batch argument ends at a quote and a line ends the command; Windows paths hold
// neither, so such a path is refused rather than escaped.
bool FitsOnBatchLine(const std::string& path) {
    return !path.empty() && path.find_first_of("\"\r\n") == std::string::npos;
}

// "%" starts a variable in a batch line even inside quotes; "%%" is a plain "%".
std::string Quoted(const std::string& path) {
    std::string out = "\"";
    for (char c : path) {
        out += c;
        if (c == '%') out += '%';
    }
    return out + "\"";
}
}  // namespace

std::optional<std::string> SelfDeleteScript(const std::string& exePath, const std::string& batchPath, bool longForm,
                                             int rounds) {
    if (!FitsOnBatchLine(exePath) || !FitsOnBatchLine(batchPath) || rounds < 1) return std::nullopt;
    const size_t slash = exePath.rfind('\\');
    if (slash == std::string::npos || slash == 0) return std::nullopt;
    const std::string exe = Quoted(exePath);
    const std::string folder = Quoted(exePath.substr(0, slash));
    // The second echo of ping waits a second, so a round lasts about a second. A variable of
    // our own, local to the script, counts them.
    std::string script = "setlocal\r\ncd\\\r\nset qhround=0\r\n:delexe\r\nping -n 2 127.0.0.1\r\n";
    script += "del " + exe + "\r\n";
    script += "if not exist " + exe + " goto :deleted\r\n";
    script += "set /a qhround=qhround+1\r\n";
    script += "if %qhround% lss " + std::to_string(rounds) + " goto :delexe\r\n";
    // Given up: the folder's other files stay with the executable.
    script += "goto :done\r\n:deleted\r\n";
    if (longForm) {
        script += "del " + folder + " /Q /F /A\r\n";
        script += "rd " + folder + "\r\n";
    }
    script += ":done\r\ndel " + Quoted(batchPath) + "\r\n";
    if (script.size() >= kMaxScriptBytes) return std::nullopt;
    return script;
}
