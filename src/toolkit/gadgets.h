// Numbered gadgets: the controls inside a window.
//
// Every kind answers the same operations (text, items, state, colours,
// attributes, size); an operation a kind does not have returns 0 or empty text,
// as does every operation on a number that holds no gadget. Gadgets are created
// inside the current gadget parent: the window made current by NewWindow, a
// panel page, or whatever PushGadgetParent made current. Operations that change
// a gadget's state raise no events: only the user's actions do.
#pragma once

#include <cstdint>
#include <span>

#include "events.h"
#include "windows.h"

namespace kv {

// Kind codes (GetGadgetKind).
constexpr int GK_BUTTON = 1;
constexpr int GK_STRING = 2;
constexpr int GK_TEXT = 3;
constexpr int GK_LISTVIEW = 6;
constexpr int GK_EDITOR = 22;
constexpr int GK_PANEL = 28;

// Creation flags.
constexpr int KV_Button_Default = 0x1;
constexpr int KV_Button_Left = 0x100;
constexpr int KV_Button_Right = 0x200;
constexpr int KV_Button_MultiLine = 0x2000;
constexpr int KV_Button_Toggle = 0x1003;
constexpr int KV_String_Password = 0x20;
constexpr int KV_String_ReadOnly = 0x800;
constexpr int KV_String_Numeric = 0x2000;
constexpr int KV_String_LowerCase = 0x10;
constexpr int KV_String_UpperCase = 0x8;
constexpr int KV_String_BorderLess = 0x20000;
constexpr int KV_Text_Center = 0x1;
constexpr int KV_Text_Right = 0x2;
constexpr int KV_Text_Border = 0x20000;
constexpr int KV_ListView_MultiSelect = 0x800;  // extended selection
constexpr int KV_ListView_ClickSelect = 0x8;    // each click toggles an item
constexpr int KV_Editor_ReadOnly = 0x800;
constexpr int KV_Editor_WordWrap = 0x10000000;

// Attributes (Read/WriteGadgetAttribute). The editor's are its flag values.
constexpr int KV_String_MaximumLength = 1;
constexpr int KV_Panel_ItemWidth = 1;   // shown page's inner width, read only
constexpr int KV_Panel_ItemHeight = 2;  // shown page's inner height, read only
constexpr int KV_Panel_TabHeight = 3;   // height of the tab row, read only

// Colour selectors; colours are 0x00BBGGRR, -1 the default colour.
constexpr int KV_FrontColor = 1;
constexpr int KV_BackColor = 2;

void InitGadgetLibrary();
void EndGadgetLibrary();

// Creation: 0 on failure, the new number for KV_Any, otherwise the control's
// handle. Positions and sizes in units.
Handle NewButton(int number, int x, int y, int width, int height, TextView text, int flags = 0);
Handle NewStringField(int number, int x, int y, int width, int height, TextView text,
                      int flags = 0);
Handle NewTextLabel(int number, int x, int y, int width, int height, TextView text,
                    int flags = 0);
Handle NewListView(int number, int x, int y, int width, int height, int flags = 0);
Handle NewEditor(int number, int x, int y, int width, int height, int flags = 0);
// The new panel becomes the current gadget parent; each inserted tab's page
// takes its place there.
Handle NewPanel(int number, int x, int y, int width, int height);
void DisposeGadget(int gadget);  // KV_Any: every gadget

// Text: a list's selected item (WriteGadgetText selects the first item equal
// to text, ignoring case), a panel's selected tab title, an editor's plain
// text, a button's or field's own text.
void WriteGadgetText(int gadget, TextView text);
Text ReadGadgetText(int gadget);

// Items: list rows, editor lines, panel tabs. Position -1 appends.
int InsertGadgetItem(int gadget, int position, TextView text);
// Appends every text as an item, drawing the gadget once at the end, so a
// long list fills in one go.
void AppendGadgetItems(int gadget, std::span<const Text> texts);
void DeleteGadgetItem(int gadget, int position);
void ClearGadget(int gadget);
int GadgetItemCount(int gadget);
Text ReadGadgetItemText(int gadget, int item, int column = 0);
// Returns -1 when a list item does not exist.
int WriteGadgetItemText(int gadget, int item, TextView text, int column = 0);
int ReadGadgetItemState(int gadget, int item);
void WriteGadgetItemState(int gadget, int item, int state);
std::intptr_t ReadGadgetItemData(int gadget, int item);
void WriteGadgetItemData(int gadget, int item, std::intptr_t value);

// State: a list's selected index and a panel's selected tab (-1 for none), a
// toggle button's check mark.
int ReadGadgetState(int gadget);
void WriteGadgetState(int gadget, int state);

void SetGadgetDisabled(int gadget, int disabled);
void SetGadgetHidden(int gadget, int hidden);
void WriteGadgetUserData(int gadget, std::intptr_t value);
std::intptr_t ReadGadgetUserData(int gadget);
void WriteGadgetColor(int gadget, int which, int color);
int ReadGadgetColor(int gadget, int which);
int ReadGadgetAttribute(int gadget, int attribute);
void WriteGadgetAttribute(int gadget, int attribute, int value);
void SetGadgetTip(int gadget, TextView text);

// Geometry in units; any argument of PlaceGadget may be KEEP_CURRENT.
void PlaceGadget(int gadget, int x, int y, int width, int height);
struct GadgetSize {
  int width = 0;
  int height = 0;
};
// The size the gadget's kind needs for its current text and font; 0 x 0 for
// lists, editors and panels, which are sized by their rows and pages.
GadgetSize MeasureGadget(int gadget);
// required = 1: that part of MeasureGadget; otherwise the current outer size.
int ReadGadgetWidth(int gadget, int required = 0);
int ReadGadgetHeight(int gadget, int required = 0);
// A list view's row height; 0 for other kinds.
int GadgetRowHeight(int gadget);
// The platform's 3-D edge size in pixels, the frame of lists and fields.
int SystemEdgeWidth();
int SystemEdgeHeight();

Handle GetGadgetHandle(int gadget);
int GetGadgetKind(int gadget);

// The gadget parent: each window keeps its own stack of parents.
void SetGadgetParentWindow(Handle window);
void PushGadgetParent(Handle parent);
void PopGadgetParent();  // nothing when the stack is empty
// A panel pushes the current parent and makes the page of tab item current,
// or the panel itself for item -2.
void OpenGadgetParent(int gadget, int item = -2);

// BindEventHandler for EV_GADGET in the gadget's top-level window. Returns 0
// when the gadget does not exist. A null handler unbinds every handler of
// the gadget.
int BindGadgetHandler(int gadget, EventHandler handler, int type = -1);
int UnbindGadgetHandler(int gadget, EventHandler handler, int type = -1);

}  // namespace kv
