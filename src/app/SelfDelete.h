// Deleting the uninstalled executable after its process has ended, through a hidden batch.
#pragma once
#include "app/rules/SelfDeleteScript.h"
#include "base/Handles.h"

#include <string>

// Writes the batch into the temporary folder and starts it hidden at idle priority.
void DeleteSelf();
// The same for any file: a batch that deletes `exe` (and its folder when nothing else is in
// it), giving up after `rounds` tries. The batch's process; empty when it was not started.
UniqueHandle StartDeleteBatch(const std::wstring& exe, int rounds = kSelfDeleteRounds);
// Appends the bytes to the file (created if missing); the count written, or -1 with the
// platform's error as the last error.
long AppendTextToFile(const std::wstring& path, const std::string& text);
// Files in the folder and all its subfolders; 1 when it cannot be listed, 0 for no path.
int CountFiles(const std::wstring& folder);
