#include "update/OperatorUrl.h"

#include "base/Config.h"
#include "update/rules/HttpUrl.h"

#include <iterator>

namespace {
std::vector<std::wstring> OperatorDomains() {
    return std::vector<std::wstring>(std::begin(config::kOperatorDomains), std::end(config::kOperatorDomains));
}
}  // namespace

bool IsOperatorUrl(const wchar_t* url) { return url && IsOperatorUrl(url, OperatorDomains()); }

bool IsOperatorPageUrl(const wchar_t* url) { return url && IsOperatorPageUrl(url, OperatorDomains()); }
