// What the user does, for tests written once against the toolkit's public API
// and run on every backend; each backend's test build supplies these. Every
// action returns once the events it raises are queued and their bound
// handlers have run.
#pragma once

#include "runtime/text.h"

namespace kv::user {

// A click on a button, check box, option or link.
void ClickButton(int gadget);
// A click on a row of a list of any kind, or on an item of a tree.
void ClickListItem(int gadget, int item);
void DoubleClickListItem(int gadget, int item);
// Picks an item of a combo box.
void ChooseItem(int gadget, int item);
// Moves a track bar, scroll bar or spin field by steps (< 0: back).
void StepValue(int gadget, int steps);
// Focuses a string field or editor and types text at its end.
void TypeText(int gadget, TextView text);
void ChooseTab(int gadget, int index);
// Drags a splitter's bar by dx, dy pixels.
void DragSplitter(int gadget, int dx, int dy);
// Clicks a scroll bar's arrow of a scroll area: lines > 0 down or right.
void ScrollLines(int gadget, bool vertical, int lines);
// Where the user sees a gadget: its top in screen pixels.
int ScreenTop(int gadget);
// An editor's first line in view.
int FirstShownLine(int gadget);
void RequestClose(int window);
// Lets one expiry of a running window timer through.
void FireTimer(int window, int timerId);
// Scripts the answer to the next requester shown.
void AnswerNextMessageBox(int code);
void AnswerNextFileRequester(TextView path);  // empty text cancels
Text ClipboardText();
// Forgets what the test backend keeps of the requesters shown and answered,
// so that a long run holds nothing of them.
void ForgetRequesters();

}  // namespace kv::user
