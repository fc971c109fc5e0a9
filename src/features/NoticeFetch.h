// Getting the operator's notice off the GUI thread: the text, the decision whether it may be
// shown, and its picture. A slow notice server must never stall the window that runs the
// system-wide keyboard hook.
#pragma once
#include "base/Handles.h"
#include "features/rules/Notice.h"

#include <memory>
#include <string>

// What a fetch found worth showing.
struct FetchedNotice {
    std::wstring text;  // the whole line, as stored in "PopInfo"
    Notice notice;
};

// The notice text (at most 1024 characters, less a final line break) from the client-service
// host; false on any failure (not an operator address, no answer, 404, no or too large a
// length).
bool FetchNotice(std::wstring& text);
// The picture into the file, replacing what it held only with a whole download of at most
// 1 MiB that is a picture of a sane size; false without a request unless the address is the
// operator's.
bool DownloadPicture(const std::wstring& url, const std::wstring& path);
// Whether the file may be decoded as the notice picture (IsAcceptableNoticePicture).
bool IsAcceptableNoticePictureFile(const std::wstring& path);
// "PopWnd.jpg" beside the executable.
std::wstring NoticePicturePath();
// The stored "PopInfo" and "PopEnable" of the settings file beside the executable.
std::wstring StoredNoticeValue(const wchar_t* key);
void StoreNoticeValue(const wchar_t* key, const wchar_t* value);

// Fetch, decision, parse and expiry, then the picture when the layout has one: everything
// but the window. Nothing when there is no notice to show.
std::unique_ptr<FetchedNotice> LoadNoticeFromService();

// Runs LoadNoticeFromService on a worker thread and posts `message` to `notify` with the
// result as lParam (a FetchedNotice the receiver takes over; 0 for none). The thread
// touches nothing of its caller's: a window gone by then simply gets nothing.
UniqueHandle StartNoticeFetch(HWND notify, UINT message);
