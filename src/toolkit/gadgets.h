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
#include "top_windows.h"

namespace kv {

// Kind codes (GetGadgetKind).
constexpr int GK_BUTTON = 1;
constexpr int GK_STRING = 2;
constexpr int GK_TEXT = 3;
constexpr int GK_LISTVIEW = 6;
constexpr int GK_EDITOR = 22;
constexpr int GK_PANEL = 28;
constexpr int GK_FRAME = 7;
constexpr int GK_CONTAINER = 11;
constexpr int GK_SCROLLAREA = 16;
constexpr int GK_SPLITTER = 29;
constexpr int GK_CANVAS = 33;
constexpr int GK_CHECKBOX = 4;
constexpr int GK_OPTION = 5;
constexpr int GK_COMBOBOX = 8;
constexpr int GK_IMAGE = 9;
constexpr int GK_HYPERLINK = 10;
constexpr int GK_LISTICON = 12;
constexpr int GK_IPADDRESS = 13;
constexpr int GK_PROGRESSBAR = 14;
constexpr int GK_SCROLLBAR = 15;
constexpr int GK_TRACKBAR = 17;
constexpr int GK_BUTTONIMAGE = 19;
constexpr int GK_CALENDAR = 20;
constexpr int GK_DATE = 21;
constexpr int GK_EXPLORERLIST = 23;
constexpr int GK_EXPLORERTREE = 24;
constexpr int GK_EXPLORERCOMBO = 25;
constexpr int GK_SPIN = 26;
constexpr int GK_TREE = 27;
constexpr int GK_SHORTCUT = 30;

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
constexpr int KV_String_AutoComplete = 0x10000000;  // read from descriptions; no effect yet
constexpr int KV_String_AutoInsert = 0x40000000;    // read from descriptions; no effect yet
constexpr int KV_Text_Center = 0x1;
constexpr int KV_Text_Right = 0x2;
constexpr int KV_Text_Border = 0x20000;
constexpr int KV_ListView_MultiSelect = 0x800;  // extended selection
constexpr int KV_ListView_ClickSelect = 0x8;    // each click toggles an item
constexpr int KV_Editor_ReadOnly = 0x800;
constexpr int KV_Editor_WordWrap = 0x10000000;
constexpr int KV_Container_BorderLess = 0x0;
constexpr int KV_Container_Flat = 0x1;
constexpr int KV_Container_Raised = 0x2;
constexpr int KV_Container_Single = 0x4;
constexpr int KV_Container_Double = 0x8;
// Frames draw the platform's group box whatever these say.
constexpr int KV_Frame_Double = 0x1;
constexpr int KV_Frame_Single = 0x2;
constexpr int KV_Frame_Flat = 0x3;
constexpr int KV_Canvas_Border = 0x1;
constexpr int KV_Canvas_ClipMouse = 0x2;
constexpr int KV_Canvas_Keyboard = 0x4;
constexpr int KV_Canvas_DrawFocus = 0x8;
constexpr int KV_Canvas_Container = 0x20;  // collects the gadgets created after it
constexpr int KV_ScrollArea_Flat = 0x1;
constexpr int KV_ScrollArea_Raised = 0x2;
constexpr int KV_ScrollArea_Single = 0x4;
constexpr int KV_ScrollArea_BorderLess = 0x8;
constexpr int KV_ScrollArea_Center = 0x10;
constexpr int KV_Splitter_Vertical = 0x1;   // sides left and right
constexpr int KV_Splitter_Separator = 0x2;  // a wider, raised bar
constexpr int KV_Splitter_FirstFixed = 0x4;   // keeps its size when the splitter is resized
constexpr int KV_Splitter_SecondFixed = 0x8;
constexpr int KV_CheckBox_Right = 0x200;
constexpr int KV_CheckBox_Center = 0x300;
constexpr int KV_CheckBox_ThreeState = 0x5;
constexpr int KV_Image_Raised = 0x1;
constexpr int KV_Image_Border = 0x200;
constexpr int KV_ListIcon_CheckBoxes = 0x1;
constexpr int KV_ListIcon_MultiSelect = 0x4;
constexpr int KV_ListIcon_AlwaysShowSelection = 0x8;
constexpr int KV_ListIcon_ThreeState = 0x40;
constexpr int KV_ListIcon_GridLines = 0x10000;
constexpr int KV_ListIcon_HeaderDragDrop = 0x10000000;
constexpr int KV_ListIcon_FullRowSelect = 0x40000000;
constexpr int KV_Tree_NoButtons = 0x1;
constexpr int KV_Tree_NoLines = 0x2;
constexpr int KV_Tree_AlwaysShowSelection = 0x20;
constexpr int KV_Tree_CheckBoxes = 0x100;
constexpr int KV_Tree_ThreeState = 0x10000;
constexpr int KV_ComboBox_Editable = 0x42;
constexpr int KV_ComboBox_UpperCase = 0x2000;
constexpr int KV_ComboBox_LowerCase = 0x4000;
constexpr int KV_ComboBox_Image = 0x10000000;
constexpr int KV_ScrollBar_Vertical = 0x1;
constexpr int KV_ProgressBar_Smooth = 0x1;
constexpr int KV_ProgressBar_Vertical = 0x4;
constexpr int KV_TrackBar_Ticks = 0x1;
constexpr int KV_TrackBar_Vertical = 0x2;
constexpr int KV_Spin_ReadOnly = 0x1;
constexpr int KV_Spin_Numeric = 0x2;  // the text follows the value
constexpr int KV_Calendar_Borderless = 0x800000;
constexpr int KV_Date_UpDown = 0x1;
constexpr int KV_Date_CheckBox = 0x2;
constexpr int KV_HyperLink_Underline = 0x1;
constexpr int KV_Explorer_NoFiles = 0x1;
constexpr int KV_Explorer_NoParentFolder = 0x2;
constexpr int KV_Explorer_NoFolders = 0x4;
constexpr int KV_Explorer_NoDirectoryChange = 0x8;
constexpr int KV_Explorer_NoDriveRequester = 0x10;
constexpr int KV_Explorer_NoSort = 0x20;
constexpr int KV_Explorer_AutoSort = 0x40;
constexpr int KV_Explorer_DrivesOnly = 0x80;
constexpr int KV_Explorer_Editable = 0x100;
constexpr int KV_Explorer_NoMyDocuments = 0x200;
constexpr int KV_Explorer_BorderLess = 0x100000;
constexpr int KV_Explorer_MultiSelect = 0x200000;
constexpr int KV_Explorer_GridLines = 0x400000;
constexpr int KV_Explorer_HeaderDragDrop = 0x800000;
constexpr int KV_Explorer_AlwaysShowSelection = 0x1000000;
constexpr int KV_Explorer_FullRowSelect = 0x2000000;
constexpr int KV_Explorer_NoLines = 0x4000000;
constexpr int KV_Explorer_NoButtons = 0x8000000;

// States.
constexpr int KV_CheckBox_Unchecked = 0;
constexpr int KV_CheckBox_Checked = 1;
constexpr int KV_CheckBox_Inbetween = -1;  // three-state check boxes only
// A shortcut's state: a virtual key code with these modifiers.
constexpr int KV_Shortcut_Shift = 0x10000;
constexpr int KV_Shortcut_Control = 0x20000;
constexpr int KV_Shortcut_Alt = 0x40000;
// Item states of lists and trees, as bits.
constexpr int KV_Item_Selected = 0x1;
constexpr int KV_Item_Checked = 0x2;
constexpr int KV_Item_Expanded = 0x4;
// Item data of the folder-browsing kinds' items.
constexpr int KV_Explorer_File = 1;
constexpr int KV_Explorer_Folder = 2;

// Attributes (Read/WriteGadgetAttribute). The editor's are its flag values.
constexpr int KV_String_MaximumLength = 1;
constexpr int KV_Panel_ItemWidth = 1;   // shown page's inner width, read only
constexpr int KV_Panel_ItemHeight = 2;  // shown page's inner height, read only
constexpr int KV_Panel_TabHeight = 3;   // height of the tab row, read only
constexpr int KV_ScrollArea_InnerWidth = 1;
constexpr int KV_ScrollArea_InnerHeight = 2;
constexpr int KV_ScrollArea_X = 3;  // scroll position
constexpr int KV_ScrollArea_Y = 4;
constexpr int KV_Splitter_FirstMinimumSize = 1;
constexpr int KV_Splitter_SecondMinimumSize = 2;
// Progress bars, track bars, scroll bars and spin fields.
constexpr int KV_Range_Minimum = 1;
constexpr int KV_Range_Maximum = 2;
constexpr int KV_ScrollBar_PageLength = 3;

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
// A container, a container canvas and a scroll area collect the gadgets
// created after them: each becomes the current gadget parent (a scroll area
// through its inner area) until PopGadgetParent, and OpenGadgetParent opens
// it again. Each reports ET_RESIZE when its size changes.
Handle NewContainer(int number, int x, int y, int width, int height, int flags = 0);
Handle NewCanvas(int number, int x, int y, int width, int height, int flags = 0);
// The inner area is innerWidth x innerHeight and scrolls by step; the scroll
// bars come and go as the area needs them.
Handle NewScrollArea(int number, int x, int y, int width, int height, int innerWidth,
                     int innerHeight, int step, int flags = 0);
// A captioned frame; it does not collect, the gadgets it frames lie beside it.
Handle NewFrame(int number, int x, int y, int width, int height, TextView caption);
// Moves the gadgets first and second (normally containers) into a new
// splitter as its two sides; the user drags the bar between them. State: the
// first side's size. Attributes KV_Splitter_*MinimumSize.
Handle NewSplitter(int number, int x, int y, int width, int height, int first, int second,
                   int flags = 0);
// A check box's state is KV_CheckBox_*; a click moves it on.
Handle NewCheckBox(int number, int x, int y, int width, int height, TextView text,
                   int flags = 0);
// An option joins the radio group of the option created just before it in
// the same parent; any other gadget created in between starts a new group.
// Choosing an option, by a click or WriteGadgetState, unchecks the rest of
// its group.
Handle NewOption(int number, int x, int y, int width, int height, TextView text);
// Value gadgets: the state is the value, held within the range (a scroll
// bar's within minimum to maximum - page + 1). The user's moves raise
// ET_CHANGE. A spin field's text follows its value (the program may write
// other text); KV_Spin_Numeric lets the user type digits only.
Handle NewProgressBar(int number, int x, int y, int width, int height, int minimum, int maximum,
                      int flags = 0);
Handle NewTrackBar(int number, int x, int y, int width, int height, int minimum, int maximum,
                   int flags = 0);
Handle NewScrollBar(int number, int x, int y, int width, int height, int minimum, int maximum,
                    int page, int flags = 0);
Handle NewSpin(int number, int x, int y, int width, int height, int minimum, int maximum,
               int flags = 0);
// A link: its text in color (front colour); a click raises ET_LEFT_CLICK.
Handle NewHyperLink(int number, int x, int y, int width, int height, TextView text, int color,
                    int flags = 0);
// Images are platform bitmaps (0: none), shown as SetGadgetImage sets them.
Handle NewImage(int number, int x, int y, int width, int height, Handle image, int flags = 0);
Handle NewButtonImage(int number, int x, int y, int width, int height, Handle image,
                      int flags = 0);
// Items as a list view's; the state is the selected item, the text the
// shown text. The user's choice raises ET_CHANGE.
Handle NewComboBox(int number, int x, int y, int width, int height, int flags = 0);
// State: the address, first field in the top byte; text "a.b.c.d".
Handle NewIpAddress(int number, int x, int y, int width, int height);
// State: a virtual key code OR KV_Shortcut_* modifiers, 0 for none.
Handle NewShortcut(int number, int x, int y, int width, int height, int shortcut);
// Dates are seconds since 1970-01-01 00:00 UTC; 0 shows today. A date
// field's mask uses %yyyy, %yy, %mm, %dd, %hh, %ii and %ss (empty: the
// platform's short date); its text is the date as shown, and
// WriteGadgetText sets its mask.
Handle NewDate(int number, int x, int y, int width, int height, TextView mask, int date,
               int flags = 0);
Handle NewCalendar(int number, int x, int y, int width, int height, int date, int flags = 0);
// A multi-column list, its first column titled title; rows are items, cells
// are item text by column.
Handle NewListIcon(int number, int x, int y, int width, int height, TextView title,
                   int titleWidth, int flags = 0);
// Items in display order, each on a level (InsertGadgetItem's level): an
// item is the child of the nearest item above it one level up.
Handle NewTree(int number, int x, int y, int width, int height, int flags = 0);
// The file system from folder (empty: the drives or roots): a list of a
// folder's folders and files, a tree of folders, a combo box of the
// folders on the way. The text is the folder shown; the user opens a folder
// by double-clicking it in the list or choosing it in the tree or combo
// box, which raises ET_CHANGE. Item data is KV_Explorer_File or _Folder.
Handle NewExplorerList(int number, int x, int y, int width, int height, TextView folder,
                       int flags = 0);
Handle NewExplorerTree(int number, int x, int y, int width, int height, TextView folder,
                       int flags = 0);
Handle NewExplorerCombo(int number, int x, int y, int width, int height, TextView folder,
                        int flags = 0);
void DisposeGadget(int gadget);  // KV_Any: every gadget

// Text: a list's selected item (WriteGadgetText selects the first item equal
// to text, ignoring case), a panel's selected tab title, an editor's plain
// text, a button's or field's own text.
void WriteGadgetText(int gadget, TextView text);
Text ReadGadgetText(int gadget);

// Items: list rows, editor lines, panel tabs, tree nodes. Position -1
// appends; level places a tree item below the item before it.
int InsertGadgetItem(int gadget, int position, TextView text, int level = 0);
// Appends every text as an item, drawing the gadget once at the end, so a
// long list fills in one go.
void AppendGadgetItems(int gadget, std::span<const Text> texts);
// Columns of a multi-column list; width in units.
void AddGadgetColumn(int gadget, int position, TextView title, int width);
int GadgetColumnCount(int gadget);
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

void SetGadgetImage(int gadget, Handle image);
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
// The current position relative to what contains the gadget.
int ReadGadgetX(int gadget);
int ReadGadgetY(int gadget);
// The size the gadget's kind needs for its current text and font; 0 x 0 for
// lists, editors and panels, which are sized by their rows and pages. A
// frame needs its caption's extent.
GadgetSize MeasureGadget(int gadget);
// required = 1: that part of MeasureGadget; otherwise the current outer size.
int ReadGadgetWidth(int gadget, int required = 0);
int ReadGadgetHeight(int gadget, int required = 0);
// A list view's row height; 0 for other kinds.
int GadgetRowHeight(int gadget);
// The platform's 3-D edge size in pixels, the frame of lists and fields.
int SystemEdgeWidth();
int SystemEdgeHeight();
// The platform's thin border width in pixels, the frame of containers.
int SystemBorderWidth();

Handle GetGadgetHandle(int gadget);
int GetGadgetKind(int gadget);

// The gadget parent: each window keeps its own stack of parents.
void SetGadgetParentWindow(Handle window);
void PushGadgetParent(Handle parent);
void PopGadgetParent();  // nothing when the stack is empty
// A panel pushes the current parent and makes the page of tab item current,
// or the panel itself for item -2; a gadget that collects makes itself
// current.
void OpenGadgetParent(int gadget, int item = -2);

// BindEventHandler for EV_GADGET in the gadget's top-level window. Returns 0
// when the gadget does not exist. A null handler unbinds every handler of
// the gadget.
int BindGadgetHandler(int gadget, const EventHandler& handler, int type = -1);
int UnbindGadgetHandler(int gadget, const EventHandler& handler, int type = -1);

}  // namespace kv
