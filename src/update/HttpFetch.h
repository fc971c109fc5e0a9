// Blocking HTTP GETs of plain http:// addresses, one per network use of the launcher.
// Every call opens and closes its own handles; any number may run at once.
#pragma once
#include "update/HttpHandleStore.h"

#include <windows.h>

inline constexpr DWORD kHttpTextLimit = 1024;

// Sends a request and does not read the answer. False at once, without any traffic, for an
// address ParseHttpUrl refuses. Afterwards the last-error
// value holds the error of a failed connection or send, and is cleared in every other case.
bool HttpPing(const wchar_t* url);

// Writes the body to path (created or truncated). True when at least the announced
// Content-Length arrived; a short body stays on disk. A 404, an answer without
// Content-Length, or one announcing more than maxBytes (when not 0) fails before the file is
// touched.
bool HttpGetToFile(const wchar_t* url, const wchar_t* path, DWORD maxBytes = 0);

// As HttpGetToFile, with PBM_SETPOS (the percentage of the announced length) sent to the
// progress window after every chunk, and every handle kept in store so that another thread
// can end the download with store.Cancel(). A cancelled download fails.
bool HttpGetToFileWithProgress(const wchar_t* url, const wchar_t* path, HWND progress, HttpHandleStore& store);

// Reads a body of fewer than 1024 bytes, announced and received whole, converted from the
// ANSI code page. text is emptied first and stays terminated.
bool HttpGetText(const wchar_t* url, wchar_t (&text)[kHttpTextLimit]);
