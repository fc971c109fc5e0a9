// The browser cache's size limit, and cleaning the browser's URL cache, its Temporary
// Internet Files folder and the Flash player's stored data (on a worker thread).
#pragma once
#include "base/Handles.h"

#include <windows.h>

#include <string>

// Sets the browser cache's size limit when its settings key exists; 1 on success.
int SetIeCacheLimit();
// Worker-thread entry: Flash data first, then the browser cache. The parameter is unused.
DWORD WINAPI CleanCacheThread(void* unused);
// Starts a cleaning on a thread of its own and returns at once with the thread (empty when it
// could not start). The thread uses nothing of its caller's, so the handle may simply go.
UniqueHandle StartCacheCleaning();

int DeleteFlashSharedObjects();
int DeleteIeCache();
// Deletes the folder and everything under it; 1 when all of it went, else 0 with the last
// error set. A linked folder (junction, symbolic link) is removed as a link: what it points
// to is never touched.
int DeleteDirectoryTree(const std::wstring& path);
