// Every gadget kind once: its code, its backend's record and, where the core
// writes the kind's behaviour, the core's slots. A new kind is a row here,
// its record in one file of each backend, and its creation in the core.
#include "detail/core.h"
#include "toolkit/gadgets.h"

namespace kv::detail {

namespace {

struct KindRow {
  int code;
  const platform::KindRecord& (*record)();
  const GadgetKind& (*coreSlots)() = nullptr;  // null: the backend's own slots
};

constexpr KindRow kKinds[] = {
    {GK_BUTTON, platform::ButtonRecord},
    {GK_STRING, platform::StringRecord},
    {GK_TEXT, platform::TextRecord},
    {GK_LISTVIEW, platform::ListViewRecord, ListViewKind},
    {GK_EDITOR, platform::EditorRecord, EditorKind},
    {GK_PANEL, platform::PanelRecord, PanelKind},
    {GK_FRAME, platform::FrameRecord, FrameKind},
    {GK_CONTAINER, platform::ContainerRecord, ContainerKind},
    {GK_CANVAS, platform::CanvasRecord, CanvasKind},
    {GK_SCROLLAREA, platform::ScrollAreaRecord, ScrollAreaKind},
    {GK_SPLITTER, platform::SplitterRecord, SplitterKind},
    {GK_CHECKBOX, platform::CheckBoxRecord, CheckBoxKind},
    {GK_OPTION, platform::OptionRecord, OptionKind},
    {GK_PROGRESSBAR, platform::ProgressBarRecord, ProgressBarKind},
    {GK_TRACKBAR, platform::TrackBarRecord, TrackBarKind},
    {GK_SCROLLBAR, platform::ScrollBarRecord, ScrollBarKind},
    {GK_SPIN, platform::SpinRecord, SpinKind},
    {GK_COMBOBOX, platform::ComboBoxRecord},
    {GK_LISTICON, platform::ListIconRecord},
    {GK_TREE, platform::TreeRecord},
    {GK_DATE, platform::DateRecord},
    {GK_CALENDAR, platform::CalendarRecord},
    {GK_IPADDRESS, platform::IpAddressRecord},
    {GK_SHORTCUT, platform::ShortcutRecord},
    {GK_HYPERLINK, platform::HyperLinkRecord},
    {GK_IMAGE, platform::ImageRecord},
    {GK_BUTTONIMAGE, platform::ButtonImageRecord},
    {GK_EXPLORERLIST, platform::ExplorerListRecord, ExplorerListKind},
    {GK_EXPLORERTREE, platform::ExplorerTreeRecord, ExplorerTreeKind},
    {GK_EXPLORERCOMBO, platform::ExplorerComboRecord, ExplorerComboKind},
};

}  // namespace

Kind KindOf(int code) {
  for (const KindRow& row : kKinds) {
    if (row.code != code) continue;
    const platform::KindRecord& record = row.record();
    return {&record, row.coreSlots ? &row.coreSlots() : &platform::KindSlots(record)};
  }
  return KindOf(GK_TEXT);
}

}  // namespace kv::detail
