// The position the update download's progress bar is given after each chunk.
#pragma once
#include <cstdint>

// The percentage of the announced length received so far, truncated. Computed wider than
// 32 bits so that bodies beyond 42 MB (total × 100 > 2^32) do not wrap; length must not be 0.
std::uint32_t DownloadPercent(std::uint32_t total, std::uint32_t length);
