#include "app/rules/SelfDeleteScript.h"

namespace {
constexpr size_t kMaxScriptBytes = 2048;

// A quoted batch argument ends at a quote, a line ends the command, and "%" expands.
bool SafeInBatch(const std::string& path) {
    return !path.empty() && path.find_first_of("\"\r\n%") == std::string::npos;
}
}  // namespace

std::optional<std::string> SelfDeleteScript(const std::string& exePath, const std::string& batchPath, bool longForm) {
    if (!SafeInBatch(exePath) || !SafeInBatch(batchPath)) return std::nullopt;
    const size_t slash = exePath.rfind('\\');
    if (slash == std::string::npos || slash == 0) return std::nullopt;
    const std::string folder = exePath.substr(0, slash);
    std::string script = "cd\\\r\n:delexe\r\nping -n 1 127.0.0.1\r\n";
    script += "del \"" + exePath + "\"\r\n";
    script += "if exist \"" + exePath + "\" goto :delexe\r\n";
    if (longForm) {
        script += "del \"" + folder + "\" /Q /F /A\r\n";
        script += "rd \"" + folder + "\"\r\n";
    }
    script += "del \"" + batchPath + "\"\r\n";
    if (script.size() >= kMaxScriptBytes) return std::nullopt;
    return script;
}
