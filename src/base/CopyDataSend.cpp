#include "base/CopyDataSend.h"

std::optional<LRESULT> SendCopyDataText(HWND to, HWND from, CopyDataKind kind, const std::wstring& text,
                                        UINT timeoutMs) {
    if (!to || !::IsWindow(to)) return std::nullopt;
    const auto units = EncodeCopyDataText(text);
    COPYDATASTRUCT data{};
    data.dwData = kind;
    data.cbData = static_cast<DWORD>(units.size() * sizeof(units[0]));
    data.lpData = const_cast<std::uint16_t*>(units.data());
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data),
                               SMTO_NORMAL | SMTO_ABORTIFHUNG, timeoutMs, &answer)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(answer);
}
