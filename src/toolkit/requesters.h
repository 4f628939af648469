// Modal requesters (file and message) and clipboard text.
//
// Requesters block the calling thread until the user answers; meanwhile every
// other visible window of the thread is disabled and taken out of the topmost
// layer, and all of it is restored afterwards.
#pragma once

#include "runtime/text.h"
#include "top_windows.h"

namespace kv {

// ShowMessageBox flags and answers (the platform's).
constexpr int KV_MessageBox_Ok = 0x0;
constexpr int KV_MessageBox_YesNo = 0x4;
constexpr int KV_MessageBox_Warning = 0x30;
constexpr int KV_MessageBox_AnswerOk = 1;
constexpr int KV_MessageBox_AnswerYes = 6;
constexpr int KV_MessageBox_AnswerNo = 7;

void InitRequesters();
void EndRequesters();

// pattern: description and wildcard list pairs, all separated by "|", such as
// "Programs|*.exe;*.com|All files|*.*"; patternIndex chooses the initial pair
// from 0. defaultFile "dir\name" opens in dir with name proposed. Returns the
// chosen path, or empty text when cancelled.
Text AskFileToOpen(TextView title, TextView defaultFile, TextView pattern, int patternIndex = 0);
Text AskFileToSave(TextView title, TextView defaultFile, TextView pattern, int patternIndex = 0);

// Returns the answer code, 0 when the message could not be shown.
int ShowMessageBox(TextView title, TextView text, int flags = KV_MessageBox_Ok);

// The modal bracket of both requesters.
void DisableOtherWindows();
void RestoreOtherWindows();
// The foreground window when it belongs to this program, else 0.
Handle RequesterOwner();

// Both return non-zero on success and 0, changing nothing, when the clipboard
// cannot be opened.
int EmptyClipboardContents();
int PutClipboardText(TextView text);

}  // namespace kv
