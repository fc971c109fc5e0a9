#include "update/rules/DownloadProgress.h"

std::uint32_t DownloadPercent(std::uint32_t total, std::uint32_t length) {
    if (length == 0) return 0;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(total) * 100 / length);
}
