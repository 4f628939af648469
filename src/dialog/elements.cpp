#include "dialog/detail/elements.h"

#include <iterator>

#include "dialog/detail/items.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/top_windows.h"

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
    {u"KV_CheckBox_Right", Bits(KV_CheckBox_Right)},
    {u"KV_CheckBox_Center", Bits(KV_CheckBox_Center)},
    {u"KV_CheckBox_ThreeState", Bits(KV_CheckBox_ThreeState)},
};
constexpr FlagName kImageFlags[] = {
    {u"KV_Image_Raised", Bits(KV_Image_Raised)},
    {u"KV_Image_Border", Bits(KV_Image_Border)},
};
constexpr FlagName kListViewFlags[] = {
    {u"KV_ListView_MultiSelect", Bits(KV_ListView_MultiSelect)},
    {u"KV_ListView_ClickSelect", Bits(KV_ListView_ClickSelect)},
};
constexpr FlagName kListIconFlags[] = {
    {u"KV_ListIcon_CheckBoxes", Bits(KV_ListIcon_CheckBoxes)},
    {u"KV_ListIcon_MultiSelect", Bits(KV_ListIcon_MultiSelect)},
    {u"KV_ListIcon_GridLines", Bits(KV_ListIcon_GridLines)},
    {u"KV_ListIcon_FullRowSelect", Bits(KV_ListIcon_FullRowSelect)},
    {u"KV_ListIcon_HeaderDragDrop", Bits(KV_ListIcon_HeaderDragDrop)},
    {u"KV_ListIcon_AlwaysShowSelection", Bits(KV_ListIcon_AlwaysShowSelection)},
    {u"KV_ListIcon_ThreeState", Bits(KV_ListIcon_ThreeState)},
};
constexpr FlagName kTreeFlags[] = {
    {u"KV_Tree_AlwaysShowSelection", Bits(KV_Tree_AlwaysShowSelection)},
    {u"KV_Tree_NoLines", Bits(KV_Tree_NoLines)},
    {u"KV_Tree_NoButtons", Bits(KV_Tree_NoButtons)},
    {u"KV_Tree_CheckBoxes", Bits(KV_Tree_CheckBoxes)},
    {u"KV_Tree_ThreeState", Bits(KV_Tree_ThreeState)},
};
constexpr FlagName kContainerFlags[] = {
    {u"KV_Container_BorderLess", Bits(KV_Container_BorderLess)},
    {u"KV_Container_Flat", Bits(KV_Container_Flat)},
    {u"KV_Container_Raised", Bits(KV_Container_Raised)},
    {u"KV_Container_Single", Bits(KV_Container_Single)},
    {u"KV_Container_Double", Bits(KV_Container_Double)},
};
constexpr FlagName kComboBoxFlags[] = {
    {u"KV_ComboBox_Editable", Bits(KV_ComboBox_Editable)},
    {u"KV_ComboBox_LowerCase", Bits(KV_ComboBox_LowerCase)},
    {u"KV_ComboBox_UpperCase", Bits(KV_ComboBox_UpperCase)},
    {u"KV_ComboBox_Image", Bits(KV_ComboBox_Image)},
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
    {u"KV_String_AutoComplete", Bits(KV_String_AutoComplete)},
    {u"KV_String_AutoInsert", Bits(KV_String_AutoInsert)},
};
constexpr FlagName kScrollAreaFlags[] = {
    {u"KV_ScrollArea_Flat", Bits(KV_ScrollArea_Flat)},
    {u"KV_ScrollArea_Raised", Bits(KV_ScrollArea_Raised)},
    {u"KV_ScrollArea_Single", Bits(KV_ScrollArea_Single)},
    {u"KV_ScrollArea_BorderLess", Bits(KV_ScrollArea_BorderLess)},
    {u"KV_ScrollArea_Center", Bits(KV_ScrollArea_Center)},
};
constexpr FlagName kFrameFlags[] = {
    {u"KV_Frame_Double", Bits(KV_Frame_Double)},
    {u"KV_Frame_Single", Bits(KV_Frame_Single)},
    {u"KV_Frame_Flat", Bits(KV_Frame_Flat)},
};
constexpr FlagName kEditorFlags[] = {
    {u"KV_Editor_ReadOnly", Bits(KV_Editor_ReadOnly)},
    {u"KV_Editor_WordWrap", Bits(KV_Editor_WordWrap)},
};
constexpr FlagName kScrollBarFlags[] = {
    {u"KV_ScrollBar_Vertical", Bits(KV_ScrollBar_Vertical)},
};
constexpr FlagName kProgressBarFlags[] = {
    {u"KV_ProgressBar_Smooth", Bits(KV_ProgressBar_Smooth)},
    {u"KV_ProgressBar_Vertical", Bits(KV_ProgressBar_Vertical)},
};
constexpr FlagName kExplorerListFlags[] = {
    {u"KV_Explorer_NoMyDocuments", Bits(KV_Explorer_NoMyDocuments)},
    {u"KV_Explorer_NoFiles", Bits(KV_Explorer_NoFiles)},
    {u"KV_Explorer_NoDriveRequester", Bits(KV_Explorer_NoDriveRequester)},
    {u"KV_Explorer_AutoSort", Bits(KV_Explorer_AutoSort)},
    {u"KV_Explorer_BorderLess", Bits(KV_Explorer_BorderLess)},
    {u"KV_Explorer_AlwaysShowSelection", Bits(KV_Explorer_AlwaysShowSelection)},
    {u"KV_Explorer_NoParentFolder", Bits(KV_Explorer_NoParentFolder)},
    {u"KV_Explorer_NoFolders", Bits(KV_Explorer_NoFolders)},
    {u"KV_Explorer_NoDirectoryChange", Bits(KV_Explorer_NoDirectoryChange)},
    {u"KV_Explorer_NoSort", Bits(KV_Explorer_NoSort)},
    {u"KV_Explorer_MultiSelect", Bits(KV_Explorer_MultiSelect)},
    {u"KV_Explorer_GridLines", Bits(KV_Explorer_GridLines)},
    {u"KV_Explorer_HeaderDragDrop", Bits(KV_Explorer_HeaderDragDrop)},
    {u"KV_Explorer_FullRowSelect", Bits(KV_Explorer_FullRowSelect)},
};
constexpr FlagName kExplorerTreeFlags[] = {
    {u"KV_Explorer_BorderLess", Bits(KV_Explorer_BorderLess)},
    {u"KV_Explorer_AlwaysShowSelection", Bits(KV_Explorer_AlwaysShowSelection)},
    {u"KV_Explorer_NoLines", Bits(KV_Explorer_NoLines)},
    {u"KV_Explorer_NoButtons", Bits(KV_Explorer_NoButtons)},
    {u"KV_Explorer_NoMyDocuments", Bits(KV_Explorer_NoMyDocuments)},
    {u"KV_Explorer_NoFiles", Bits(KV_Explorer_NoFiles)},
    {u"KV_Explorer_NoDriveRequester", Bits(KV_Explorer_NoDriveRequester)},
    {u"KV_Explorer_AutoSort", Bits(KV_Explorer_AutoSort)},
};
constexpr FlagName kExplorerComboFlags[] = {
    {u"KV_Explorer_NoMyDocuments", Bits(KV_Explorer_NoMyDocuments)},
    {u"KV_Explorer_DrivesOnly", Bits(KV_Explorer_DrivesOnly)},
    {u"KV_Explorer_Editable", Bits(KV_Explorer_Editable)},
};
constexpr FlagName kSplitterFlags[] = {
    {u"KV_Splitter_Vertical", Bits(KV_Splitter_Vertical)},
    {u"KV_Splitter_Separator", Bits(KV_Splitter_Separator)},
    {u"KV_Splitter_FirstFixed", Bits(KV_Splitter_FirstFixed)},
    {u"KV_Splitter_SecondFixed", Bits(KV_Splitter_SecondFixed)},
};
constexpr FlagName kTrackBarFlags[] = {
    {u"KV_TrackBar_Ticks", Bits(KV_TrackBar_Ticks)},
    {u"KV_TrackBar_Vertical", Bits(KV_TrackBar_Vertical)},
};
constexpr FlagName kCanvasFlags[] = {
    {u"KV_Canvas_ClipMouse", Bits(KV_Canvas_ClipMouse)},
    {u"KV_Canvas_Border", Bits(KV_Canvas_Border)},
    {u"KV_Canvas_Keyboard", Bits(KV_Canvas_Keyboard)},
    {u"KV_Canvas_DrawFocus", Bits(KV_Canvas_DrawFocus)},
    {u"KV_Canvas_Container", Bits(KV_Canvas_Container)},
};
constexpr FlagName kCalendarFlags[] = {
    {u"KV_Calendar_Borderless", Bits(KV_Calendar_Borderless)},
};
constexpr FlagName kDateFlags[] = {
    {u"KV_Date_UpDown", Bits(KV_Date_UpDown)},
    {u"KV_Date_CheckBox", Bits(KV_Date_CheckBox)},
};
constexpr FlagName kSpinFlags[] = {
    {u"KV_Spin_ReadOnly", Bits(KV_Spin_ReadOnly)},
    {u"KV_Spin_Numeric", Bits(KV_Spin_Numeric)},
};
constexpr FlagName kHyperLinkFlags[] = {
    {u"KV_HyperLink_Underline", Bits(KV_HyperLink_Underline)},
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
