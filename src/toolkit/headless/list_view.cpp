// List views: rows of text with item data and a selection that is single,
// multiple (each click toggles) or extended. The core writes the rules of
// rows over these slots (list_view.cpp there).
#include "kinds.h"
#include "metrics.h"
#include "toolkit/dpi.h"

namespace kv::headless {

namespace {

std::vector<ListRow>& Rows(GadgetObject& g) { return ControlOf(g).rows; }

bool Exists(GadgetObject& g, int item) {
  return item >= 0 && item < static_cast<int>(Rows(g).size());
}

bool SelectsMany(GadgetObject& g) {
  return ControlOf(g).flags & (KV_ListView_MultiSelect | KV_ListView_ClickSelect);
}

void SelectOnly(GadgetObject& g, int item) {
  for (ListRow& row : Rows(g)) row.selected = false;
  if (Exists(g, item)) {
    Rows(g)[item].selected = true;
    ControlOf(g).caret = item;
  }
}

int FirstSelected(GadgetObject& g) {
  for (int i = 0; i < static_cast<int>(Rows(g).size()); ++i) {
    if (Rows(g)[i].selected) return i;
  }
  return -1;
}

int ReadState(GadgetObject& g) { return FirstSelected(g); }

void WriteState(GadgetObject& g, int item) { SelectOnly(g, item); }

// The current item: the selected one, or the one with the focus when several
// may be selected.
Text ReadText(GadgetObject& g) {
  int item = SelectsMany(g) ? ControlOf(g).caret : FirstSelected(g);
  return Exists(g, item) ? Rows(g)[item].text : Text{};
}

// At a position the core has checked.
int InsertItem(GadgetObject& g, int position, TextView text) {
  std::vector<ListRow>& rows = Rows(g);
  rows.insert(rows.begin() + position, ListRow{Text(text)});
  int& caret = ControlOf(g).caret;
  if (caret >= position) ++caret;
  return 0;
}

void DeleteItem(GadgetObject& g, int item) {
  if (!Exists(g, item)) return;
  Rows(g).erase(Rows(g).begin() + item);
  int& caret = ControlOf(g).caret;
  if (caret == item) {
    caret = -1;
  } else if (caret > item) {
    --caret;
  }
}

void ClearItems(GadgetObject& g) {
  Rows(g).clear();
  ControlOf(g).caret = -1;
}

int ItemCount(GadgetObject& g) { return static_cast<int>(Rows(g).size()); }

int ReadItemState(GadgetObject& g, int item) {
  return Exists(g, item) && Rows(g)[item].selected ? 1 : 0;
}

void WriteItemState(GadgetObject& g, int item, int state) {
  if (!Exists(g, item)) return;
  if (!SelectsMany(g)) {
    SelectOnly(g, state ? item : -1);
  } else {
    Rows(g)[item].selected = state != 0;
  }
}

Text ReadItemText(GadgetObject& g, int item, int) {
  return Exists(g, item) ? Rows(g)[item].text : Text{};
}

std::intptr_t ReadItemData(GadgetObject& g, int item) {
  return Exists(g, item) ? Rows(g)[item].data : 0;
}

void WriteItemData(GadgetObject& g, int item, std::intptr_t data) {
  if (Exists(g, item)) Rows(g)[item].data = data;
}

int RowHeight(GadgetObject&) { return ToPixelsY(kListRowHeight); }

}  // namespace

// A press on a row starts a possible drag, except on a row that is not yet
// selected in an extended-selection list; the release of such a press is a
// click even when the selection did not change. An extended-selection list
// does not see a tracked press, so its selection stays.
void ClickRow(GadgetObject& g, int item) {
  if (!Exists(g, item)) return;
  Control& list = ControlOf(g);
  bool extended = list.flags & KV_ListView_MultiSelect;
  bool tracked = !extended || Rows(g)[item].selected;
  if (!(tracked && extended)) {
    std::vector<bool> before;
    for (const ListRow& row : Rows(g)) before.push_back(row.selected);
    if (list.flags & KV_ListView_ClickSelect) {
      Rows(g)[item].selected = !Rows(g)[item].selected;
      list.caret = item;
    } else {
      SelectOnly(g, item);
    }
    for (size_t i = 0; i < before.size(); ++i) {
      if (before[i] != Rows(g)[i].selected) {
        QueueGadgetEvent(g, ET_LEFT_CLICK);
        break;
      }
    }
  }
  if (tracked) QueueGadgetEvent(g, ET_LEFT_CLICK);
}

}  // namespace kv::headless

namespace kv::platform {

void FocusListRow(Handle list, int row) { headless::FindControl(list)->caret = row; }

const KindRecord& ListViewRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::ListBox,
      .slots = {
          .code = GK_LISTVIEW,
          .readState = headless::ReadState,
          .writeState = headless::WriteState,
          .readText = headless::ReadText,
          .insertItem = headless::InsertItem,
          .deleteItem = headless::DeleteItem,
          .clearItems = headless::ClearItems,
          .itemCount = headless::ItemCount,
          .readItemState = headless::ReadItemState,
          .writeItemState = headless::WriteItemState,
          .readItemText = headless::ReadItemText,
          .showColor = headless::ShowColor,
          .writeItemData = headless::WriteItemData,
          .readItemData = headless::ReadItemData,
          .rowHeight = headless::RowHeight,
      },
  };
  return record;
}

}  // namespace kv::platform
