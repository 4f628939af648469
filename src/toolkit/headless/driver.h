// Plays the user against the headless backend, for tests.
//
// Every action takes effect at once: the events it raises are queued and their
// bound handlers have run when the call returns, as if the platform had
// dispatched the messages inside WaitForEvent. There are no platform messages
// and time does not pass: with an empty queue WaitForEvent returns 0 at once,
// whatever its time-out, and timers fire only through FireTimer. Requesters
// take their answers from scripts set up beforehand, and each one shown is
// recorded.
#pragma once

#include <vector>

#include "runtime/text.h"
#include "toolkit/platform.h"
#include "toolkit/reports.h"

namespace kv::headless {

// ---- Gadgets ------------------------------------------------------------------
// A click on a button, check box, option, link or image.
void ClickButton(int gadget);
// A left click on a row of a list (of any kind) or an item of a tree: a
// press and a release without moving.
void ClickListItem(int gadget, int item);
void DoubleClickListItem(int gadget, int item);
// Picks an item of a combo box from its drop-down list.
void ChooseItem(int gadget, int item);
// Moves a track bar, scroll bar or spin field by steps lines (< 0: back).
void StepValue(int gadget, int steps);
// The folder the folder-browsing kinds show as the file system's only root
// (until set, the root of the temporary folder: "/", or its drive).
void SetFileSystemRoot(TextView folder);
// Focuses a string field or editor and types text at its end, one character
// at a time (a read-only field takes nothing; the length limit holds).
void TypeText(int gadget, TextView text);
// Moves the keyboard focus to a gadget (0 or an unknown number: to none).
void FocusGadget(int gadget);
void ChooseTab(int gadget, int index);
// Drags a splitter's bar by dx, dy pixels.
void DragSplitter(int gadget, int dx, int dy);
// Clicks a scroll area's bar arrows: lines > 0 down or right, < 0 back.
void ScrollLines(int gadget, bool vertical, int lines);

// ---- Windows ------------------------------------------------------------------
void RequestClose(int window);
// Fires a timer started with StartWindowTimer; returns false if none runs.
bool FireTimer(int window, int timerId);
void ResizeWindow(int window, int innerWidth, int innerHeight);  // pixels
void MinimizeWindow(int window);
void MaximizeWindow(int window);
void RestoreWindow(int window);

// ---- Requesters ---------------------------------------------------------------
void AnswerNextMessageBox(int code);
void AnswerNextFileRequester(TextView path);  // empty text cancels
void CancelNextFileRequester();

enum class RequesterKind { MessageBox, OpenFile, SaveFile };
struct Requester {
  RequesterKind kind = RequesterKind::MessageBox;
  Text title;
  Text text;             // message boxes
  int flags = 0;         // message boxes
  Text pattern;          // file requesters, as given
  int patternIndex = 0;
  Text defaultFile;
  Text filter;           // as the platform receives them
  Text directory;
  Text fileName;
  Handle owner = 0;
  std::vector<Handle> disabledWindows;  // windows disabled while it was shown
  int answer = 0;        // the code returned (message boxes)
  Text result;           // the path returned (file requesters)
};
// Every requester shown since InitRequesters, oldest first.
const std::vector<Requester>& ShownRequesters();
// Forgets the requesters shown so far, so that a long run holds no record of
// them.
void ForgetShownRequesters();
// Requesters answered by the platform (no script left): message boxes
// return 0, file requesters are cancelled.

// ---- Clipboard ----------------------------------------------------------------
bool ClipboardHasText();
Text ClipboardText();
// Another program holds the clipboard open: clipboard operations fail.
void HoldClipboard(bool held);

// ---- Screen and inspection ----------------------------------------------------
void SetScreenDpi(int x, int y);  // takes effect at the next InitDpiScale
void SetDesktopComposition(bool on);
bool IsShown(Handle handle);       // its own visibility, not its parents'
bool IsEnabled(Handle handle);
bool IsTopmost(Handle window);
void SetWindowTopmost(Handle window, bool topmost);
Handle FocusedHandle();
Handle ActiveWindow();
Text TipOf(int gadget);
// An editor's first line in view.
int FirstShownLine(int gadget);
PixelRect GadgetRect(int gadget);  // pixels, relative to its parent
// Pixels on the screen.
PixelRect ScreenRect(int gadget);
// Which scroll bars a scroll area shows.
bool ShowsScrollBar(int gadget, bool vertical);

}  // namespace kv::headless
