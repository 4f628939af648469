// Numbered top-level windows.
//
// A window is created at a number of the caller's choice, or at KV_Any to let
// the toolkit choose one; creating at a number in use first disposes of the old
// window. Operations on a number that holds no window do nothing and return 0.
// The user's close request only queues EV_CLOSE: a window goes away only
// through DisposeWindow or EndWindowLibrary, taking its gadgets, its bound
// handlers and its queued events with it.
#pragma once

#include <cstdint>

#include "runtime/constants.h"
#include "runtime/text.h"

namespace kv {

// A platform window or control handle; 0 is none.
using Handle = std::intptr_t;

// NewWindow flags. The caption and frame flags are the platform's style bits.
constexpr int KV_Window_ScreenCentered = 0x1;
constexpr int KV_Window_WindowCentered = 0x2;
constexpr int KV_Window_Tool = 0x4;
constexpr int KV_Window_TitleBar = 0xC00000;
constexpr int KV_Window_SystemMenu = 0xC80000;
constexpr int KV_Window_SizeGadget = 0xC40000;
constexpr int KV_Window_MinimizeGadget = 0xCA0000;
constexpr int KV_Window_MaximizeGadget = 0xC90000;
constexpr int KV_Window_Invisible = 0x10000000;
constexpr int KV_Window_BorderLess = static_cast<int>(0x80000000u);
constexpr int KV_Window_NoActivate = 0x2000000;
// The new window does not become the parent of the gadgets created next.
constexpr int KV_Window_KeepGadgetParent = 0x8;

void InitWindowLibrary();
void EndWindowLibrary();  // disposes of every remaining window

// Sizes are inner (client) sizes. x and y may be KEEP_CURRENT for the
// platform's default position. Returns 0 on failure, the new number for
// KV_Any, otherwise the window's handle.
Handle NewWindow(int number, int x, int y, int innerWidth, int innerHeight, TextView title,
                 int flags, Handle parent = 0);
void DisposeWindow(int number);  // KV_Any: every window

struct WindowObject;
// The window's record, or null when the number holds no window.
const WindowObject* FindWindowObject(int number);

int SetWindowCaption(int number, TextView text);
Text GetWindowCaption(int number);

// Starts or restarts a periodic timer; each expiry queues EV_TIMER with the
// timer id as object.
int StartWindowTimer(int number, int timerId, int intervalMs);

// Centres on the screen (KV_Window_ScreenCentered) or on owner
// (KV_Window_WindowCentered) without resizing or activating.
void CentreWindow(Handle window, int flags, Handle owner);

// Any argument may be KEEP_CURRENT.
void PlaceWindow(int number, int x, int y, int innerWidth, int innerHeight);
// Showing applies the centring flags and KV_Window_NoActivate of flags.
void SetWindowHidden(int number, int hidden, int flags);
// Inner-size bounds; KEEP_CURRENT keeps a bound, -1 removes it.
void SetWindowSizeLimits(int number, int minWidth, int minHeight, int maxWidth, int maxHeight);
int GetWindowInnerWidth(int number);
int GetWindowInnerHeight(int number);
Handle GetWindowHandle(int number);

}  // namespace kv
