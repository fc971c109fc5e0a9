#include "update/OperatorUrl.h"

#include "app/Config.h"
#include "update/rules/HttpUrl.h"

#include <iterator>

bool IsOperatorUrl(const wchar_t* url) {
    if (!url) return false;
    const std::vector<std::wstring> domains(std::begin(config::kOperatorDomains), std::end(config::kOperatorDomains));
    return IsOperatorUrl(url, domains);
}
