// A 64-bit millisecond count built from the system's 32-bit one, which wraps every 49.7 days.
#pragma once
#include <cstdint>

// The 64-bit count at `now`, given the last one returned. Correct while successive calls
// are less than one wrap (49.7 days) apart.
constexpr std::uint64_t ExtendTickCount(std::uint64_t last, std::uint32_t now) noexcept {
    return last + static_cast<std::uint32_t>(now - static_cast<std::uint32_t>(last));
}
