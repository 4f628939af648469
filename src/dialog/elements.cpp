#include "dialog/detail/elements.h"

#include <iterator>

#include "dialog/detail/items.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/windows.h"

namespace kv::dialog {

namespace {

constexpr std::uint32_t Bits(int value) { return static_cast<std::uint32_t>(value); }

// ---- Flag tables ---------------------------------------------------------------

constexpr FlagName kWindowFlags[] = {
    {u"KV_Window_ScreenCentered", Bits(KV_Window_ScreenCentered)},
    {u"KV_Window_WindowCentered", Bits(KV_Window_WindowCentered)},
    {u"KV_Window_Tool", Bits(KV_Window_Tool)},
    {u"KV_Window_TitleBar", Bits(KV_Window_TitleBar)},
    {u"KV_Window_SystemMenu", Bits(KV_Window_SystemMenu)},
    {u"KV_Window_SizeGadget", Bits(KV_Window_SizeGadget)},
    {u"KV_Window_MinimizeGadget", Bits(KV_Window_MinimizeGadget)},
    {u"KV_Window_MaximizeGadget", Bits(KV_Window_MaximizeGadget)},
    {u"KV_Window_Invisible", Bits(KV_Window_Invisible)},
    {u"KV_Window_BorderLess", Bits(KV_Window_BorderLess)},
    {u"KV_Window_NoActivate", Bits(KV_Window_NoActivate)},
};
constexpr FlagName kButtonFlags[] = {
    {u"KV_Button_Right", Bits(KV_Button_Right)},
    {u"KV_Button_Left", Bits(KV_Button_Left)},
    {u"KV_Button_Default", Bits(KV_Button_Default)},
    {u"KV_Button_MultiLine", Bits(KV_Button_MultiLine)},
    {u"KV_Button_Toggle", Bits(KV_Button_Toggle)},
};
constexpr FlagName kButtonImageFlags[] = {
    {u"KV_Button_Toggle", Bits(KV_Button_Toggle)},
};
constexpr FlagName kCheckBoxFlags[] = {
    {u"KV_CheckBox_Right", 0x200},
    {u"KV_CheckBox_Center", 0x300},
    {u"KV_CheckBox_ThreeState", 0x5},
};
constexpr FlagName kImageFlags[] = {
    {u"KV_Image_Raised", 0x1},
    {u"KV_Image_Border", 0x200},
};
constexpr FlagName kListViewFlags[] = {
    {u"KV_ListView_MultiSelect", Bits(KV_ListView_MultiSelect)},
    {u"KV_ListView_ClickSelect", Bits(KV_ListView_ClickSelect)},
};
constexpr FlagName kListIconFlags[] = {
    {u"KV_ListIcon_CheckBoxes", 0x1},
    {u"KV_ListIcon_MultiSelect", 0x4},
    {u"KV_ListIcon_GridLines", 0x10000},
    {u"KV_ListIcon_FullRowSelect", 0x40000000},
    {u"KV_ListIcon_HeaderDragDrop", 0x10000000},
    {u"KV_ListIcon_AlwaysShowSelection", 0x8},
    {u"KV_ListIcon_ThreeState", 0x40},
};
constexpr FlagName kTreeFlags[] = {
    {u"KV_Tree_AlwaysShowSelection", 0x20},
    {u"KV_Tree_NoLines", 0x2},
    {u"KV_Tree_NoButtons", 0x1},
    {u"KV_Tree_CheckBoxes", 0x100},
    {u"KV_Tree_ThreeState", 0x10000},
};
constexpr FlagName kContainerFlags[] = {
    {u"KV_Container_BorderLess", 0x0},
    {u"KV_Container_Flat", 0x1},
    {u"KV_Container_Raised", 0x2},
    {u"KV_Container_Single", 0x4},
    {u"KV_Container_Double", 0x8},
};
constexpr FlagName kComboBoxFlags[] = {
    {u"KV_ComboBox_Editable", 0x42},
    {u"KV_ComboBox_LowerCase", 0x4000},
    {u"KV_ComboBox_UpperCase", 0x2000},
    {u"KV_ComboBox_Image", 0x10000000},
};
constexpr FlagName kTextFlags[] = {
    {u"KV_Text_Center", Bits(KV_Text_Center)},
    {u"KV_Text_Right", Bits(KV_Text_Right)},
    {u"KV_Text_Border", Bits(KV_Text_Border)},
};
constexpr FlagName kStringFlags[] = {
    {u"KV_String_Password", Bits(KV_String_Password)},
    {u"KV_String_ReadOnly", Bits(KV_String_ReadOnly)},
    {u"KV_String_Numeric", Bits(KV_String_Numeric)},
    {u"KV_String_LowerCase", Bits(KV_String_LowerCase)},
    {u"KV_String_UpperCase", Bits(KV_String_UpperCase)},
    {u"KV_String_BorderLess", Bits(KV_String_BorderLess)},
    {u"KV_String_AutoComplete", 0x10000000},
    {u"KV_String_AutoInsert", 0x40000000},
};
constexpr FlagName kScrollAreaFlags[] = {
    {u"KV_ScrollArea_Flat", 0x1},
    {u"KV_ScrollArea_Raised", 0x2},
    {u"KV_ScrollArea_Single", 0x4},
    {u"KV_ScrollArea_BorderLess", 0x8},
    {u"KV_ScrollArea_Center", 0x10},
};
constexpr FlagName kFrameFlags[] = {
    {u"KV_Frame_Double", 0x1},
    {u"KV_Frame_Single", 0x2},
    {u"KV_Frame_Flat", 0x3},
};
constexpr FlagName kEditorFlags[] = {
    {u"KV_Editor_ReadOnly", Bits(KV_Editor_ReadOnly)},
    {u"KV_Editor_WordWrap", Bits(KV_Editor_WordWrap)},
};
constexpr FlagName kScrollBarFlags[] = {
    {u"KV_ScrollBar_Vertical", 0x1},
};
constexpr FlagName kProgressBarFlags[] = {
    {u"KV_ProgressBar_Smooth", 0x1},
    {u"KV_ProgressBar_Vertical", 0x4},
};
constexpr FlagName kExplorerListFlags[] = {
    {u"KV_Explorer_NoMyDocuments", 0x200},
    {u"KV_Explorer_NoFiles", 0x1},
    {u"KV_Explorer_NoDriveRequester", 0x10},
    {u"KV_Explorer_AutoSort", 0x40},
    {u"KV_Explorer_BorderLess", 0x100000},
    {u"KV_Explorer_AlwaysShowSelection", 0x1000000},
    {u"KV_Explorer_NoParentFolder", 0x2},
    {u"KV_Explorer_NoFolders", 0x4},
    {u"KV_Explorer_NoDirectoryChange", 0x8},
    {u"KV_Explorer_NoSort", 0x20},
    {u"KV_Explorer_MultiSelect", 0x200000},
    {u"KV_Explorer_GridLines", 0x400000},
    {u"KV_Explorer_HeaderDragDrop", 0x800000},
    {u"KV_Explorer_FullRowSelect", 0x2000000},
};
constexpr FlagName kExplorerTreeFlags[] = {
    {u"KV_Explorer_BorderLess", 0x100000},
    {u"KV_Explorer_AlwaysShowSelection", 0x1000000},
    {u"KV_Explorer_NoLines", 0x4000000},
    {u"KV_Explorer_NoButtons", 0x8000000},
    {u"KV_Explorer_NoMyDocuments", 0x200},
    {u"KV_Explorer_NoFiles", 0x1},
    {u"KV_Explorer_NoDriveRequester", 0x10},
    {u"KV_Explorer_AutoSort", 0x40},
};
constexpr FlagName kExplorerComboFlags[] = {
    {u"KV_Explorer_NoMyDocuments", 0x200},
    {u"KV_Explorer_DrivesOnly", 0x80},
    {u"KV_Explorer_Editable", 0x100},
};
constexpr FlagName kSplitterFlags[] = {
    {u"KV_Splitter_Vertical", 0x1},
    {u"KV_Splitter_Separator", 0x2},
    {u"KV_Splitter_FirstFixed", 0x4},
    {u"KV_Splitter_SecondFixed", 0x8},
};
constexpr FlagName kTrackBarFlags[] = {
    {u"KV_TrackBar_Ticks", 0x1},
    {u"KV_TrackBar_Vertical", 0x2},
};
constexpr FlagName kCanvasFlags[] = {
    {u"KV_Canvas_ClipMouse", 0x2},
    {u"KV_Canvas_Border", 0x1},
    {u"KV_Canvas_Keyboard", 0x4},
    {u"KV_Canvas_DrawFocus", 0x8},
    {u"KV_Canvas_Container", 0x20},
};
constexpr FlagName kCalendarFlags[] = {
    {u"KV_Calendar_Borderless", 0x800000},
};
constexpr FlagName kDateFlags[] = {
    {u"KV_Date_UpDown", 0x1},
    {u"KV_Date_CheckBox", 0x2},
};
constexpr FlagName kSpinFlags[] = {
    {u"KV_Spin_ReadOnly", 0x1},
    {u"KV_Spin_Numeric", 0x2},
};
constexpr FlagName kHyperLinkFlags[] = {
    {u"KV_HyperLink_Underline", 0x1},
};

// ---- Events ----------------------------------------------------------------------

constexpr EventAttribute kEventAttributes[] = {
    {u"ONEVENT", -1, 0},
    {u"ONLEFTCLICK", ET_LEFT_CLICK, kOnLeftClick},
    {u"ONRIGHTCLICK", ET_RIGHT_CLICK, kOnRightClick},
    {u"ONLEFTDOUBLECLICK", ET_LEFT_DOUBLE_CLICK, kOnLeftDoubleClick},
    {u"ONRIGHTDOUBLECLICK", ET_RIGHT_DOUBLE_CLICK, kOnRightDoubleClick},
    {u"ONCHANGE", ET_CHANGE, kOnChange},
    {u"ONFOCUS", ET_FOCUS, kOnFocus},
    {u"ONLOSTFOCUS", ET_LOST_FOCUS, kOnLostFocus},
    {u"ONDRAGSTART", ET_DRAG_START, kOnDragStart},
};

constexpr unsigned kClicks = kOnLeftClick | kOnRightClick | kOnLeftDoubleClick |
                             kOnRightDoubleClick;
constexpr unsigned kListEvents = kClicks | kOnChange | kOnDragStart;
constexpr unsigned kFieldEvents = kOnChange | kOnFocus | kOnLostFocus;

// ---- Elements, in the order of ElementKind ------------------------------------------

using K = ElementKind;
constexpr std::span<const FlagName> kNone;

constexpr ElementType kElements[] = {
    {u"window", K::Window, kWindowFlags, 0, nullptr},
    {u"hbox", K::HBox, kNone, 0, CreateBox},
    {u"vbox", K::VBox, kNone, 0, CreateBox},
    {u"gridbox", K::GridBox, kNone, 0, CreateGrid},
    {u"singlebox", K::SingleBox, kNone, 0, CreateSingleBox},
    {u"multibox", K::MultiBox, kNone, 0, CreateMultiBox},
    {u"empty", K::Empty, kNone, 0, CreateEmpty},
    {u"checkbox", K::CheckBox, kCheckBoxFlags, 0, CreateGadget},
    {u"button", K::Button, kButtonFlags, 0, CreateGadget},
    {u"text", K::Text, kTextFlags, 0, CreateGadget},
    {u"option", K::Option, kNone, 0, CreateOption},
    {u"string", K::String, kStringFlags, kFieldEvents, CreateGadget},
    {u"shortcut", K::Shortcut, kNone, 0, CreateGadget},
    {u"image", K::Image, kImageFlags, kClicks | kOnDragStart, CreateGadget},
    {u"buttonimage", K::ButtonImage, kButtonImageFlags, 0, CreateGadget},
    {u"listview", K::ListView, kListViewFlags, kOnLeftClick | kOnLeftDoubleClick, CreateGadget},
    {u"listicon", K::ListIcon, kListIconFlags, kListEvents, CreateGadget},
    {u"tree", K::Tree, kTreeFlags, kListEvents, CreateGadget},
    {u"combobox", K::ComboBox, kComboBoxFlags, kFieldEvents, CreateGadget},
    {u"calendar", K::Calendar, kCalendarFlags, 0, CreateGadget},
    {u"date", K::Date, kDateFlags, kOnChange, CreateGadget},
    {u"explorercombo", K::ExplorerCombo, kExplorerComboFlags, 0, CreateGadget},
    {u"explorerlist", K::ExplorerList, kExplorerListFlags, kListEvents, CreateGadget},
    {u"explorertree", K::ExplorerTree, kExplorerTreeFlags, kListEvents, CreateGadget},
    {u"editor", K::Editor, kEditorFlags, 0, CreateGadget},
    {u"hyperlink", K::HyperLink, kHyperLinkFlags, 0, CreateGadget},
    {u"ipaddress", K::IpAddress, kNone, 0, CreateGadget},
    {u"scintilla", K::Scintilla, kNone, 0, RefuseElement},
    {u"scrollbar", K::ScrollBar, kScrollBarFlags, 0, CreateGadget},
    {u"progressbar", K::ProgressBar, kProgressBarFlags, 0, CreateGadget},
    {u"trackbar", K::TrackBar, kTrackBarFlags, 0, CreateGadget},
    {u"spin", K::Spin, kSpinFlags, kOnChange, CreateGadget},
    {u"web", K::Web, kNone, 0, RefuseElement},
    {u"canvas", K::Canvas, kCanvasFlags, kClicks | kOnFocus | kOnLostFocus, CreateCanvas},
    {u"container", K::Container, kContainerFlags, 0, CreateContainer},
    {u"frame", K::Frame, kFrameFlags, 0, CreateFrame},
    {u"panel", K::Panel, kNone, kOnChange, CreatePanel},
    {u"tab", K::Tab, kNone, 0, CreateTab},
    {u"scrollarea", K::ScrollArea, kScrollAreaFlags, 0, CreateScrollArea},
    {u"splitter", K::Splitter, kSplitterFlags, 0, CreateSplitter},
};

constexpr bool InKindOrder() {
  for (size_t i = 0; i < std::size(kElements); ++i) {
    if (kElements[i].kind != static_cast<K>(i)) return false;
  }
  return std::size(kElements) == static_cast<size_t>(K::Splitter) + 1;
}
static_assert(InKindOrder());

}  // namespace

std::span<const EventAttribute> EventAttributes() { return kEventAttributes; }

const ElementType* FindElementType(TextView name) {
  for (const ElementType& type : kElements) {
    if (type.kind != K::Window && EqualNoCase(type.name, name)) return &type;
  }
  return nullptr;
}

const ElementType& ElementTypeOf(ElementKind kind) {
  return kElements[static_cast<size_t>(kind)];
}

}  // namespace kv::dialog
