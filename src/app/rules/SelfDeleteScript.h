// The batch script that deletes the uninstalled executable once its process has ended.
#pragma once
#include <optional>
#include <string>

// Rounds of about a second each before the script gives up on an executable it cannot
// delete (another copy still running, no permission): about two minutes.
inline constexpr int kSelfDeleteRounds = 120;

// exePath and batchPath in the code page the batch interpreter reads (the console's). The
// long form, for a folder that holds nothing but the executable, also empties and removes
// the folder once the executable is gone. The script tries `rounds` times, then deletes only itself.
// Nothing when a path is empty, has no folder, holds a character a batch line cannot carry
// (quote, line break), rounds is below 1, or the text would exceed 2048 bytes.
std::optional<std::string> SelfDeleteScript(const std::string& exePath, const std::string& batchPath, bool longForm,
                                             int rounds = kSelfDeleteRounds);
