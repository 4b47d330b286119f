// The installer's private window messages. Strings travel as heap std::string objects:
// the sender releases a std::unique_ptr into wParam or lParam and the handler takes it
// back with TakeMessageString on its first line, so it is freed whatever the handler
// does. Handlers return 0.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

// Sent by the extraction worker, handled by the progress dialog: the item being made.
// wParam: new std::string, its path compacted to at most 50 characters; lParam: new
// std::string, its name compacted the same way. The handler frees both.
constexpr UINT WM_SETUP_ITEM = WM_USER + 2;

// Sent by the extraction worker (through ExtractProgress), handled by the progress
// dialog: wParam is the current block's progress, 0 to 100; lParam is 0.
constexpr UINT WM_SETUP_PROGRESS = WM_USER + 3;

// Posted by the extraction worker when it has finished, handled by the progress dialog,
// which then ends with OK. wParam and lParam are 0.
constexpr UINT WM_SETUP_DONE = WM_USER + 4;

// Posted by the extraction worker, handled by the progress dialog: an existing file is
// hidden; overwrite it? wParam: new std::string, the file's full path; lParam: new
// std::string, the attribute word "hidden". The handler frees both and sets g_evYes or
// g_evNo.
constexpr UINT WM_SETUP_ASK_HIDDEN = WM_USER + 6;

// Posted by the extraction worker, handled by the progress dialog: an existing file is
// more than a minute newer than the one to be installed; overwrite it? wParam: new
// std::string, the full path; lParam is 0. The handler frees it and sets g_evYes or
// g_evNo.
constexpr UINT WM_SETUP_ASK_NEWER = WM_USER + 7;

// Posted by the extraction worker, handled by the progress dialog: an existing file is
// read-only or a system file and is kept. wParam: new std::string, the full path;
// lParam is 0. The handler frees it and sets g_evYes once the notice is acknowledged.
constexpr UINT WM_SETUP_READONLY = WM_USER + 8;

// Takes back a string that a message carries (see above); null stays null.
inline std::unique_ptr<std::string> TakeMessageString(UINT_PTR param) {
    return std::unique_ptr<std::string>(reinterpret_cast<std::string*>(param));
}
