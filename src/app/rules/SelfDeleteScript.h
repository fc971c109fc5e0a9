// The batch script that deletes the uninstalled executable once its process has ended.
#pragma once
#include <optional>
#include <string>

// exePath and batchPath in the batch interpreter's (ANSI) encoding. The long form, for a
// folder that holds nothing but the executable, also empties and removes the folder.
// Nothing when a path is empty, has no folder, holds a character a batch line cannot carry
// safely (quote, line break, "%") or the text would exceed 2048 bytes.
std::optional<std::string> SelfDeleteScript(const std::string& exePath, const std::string& batchPath, bool longForm);
