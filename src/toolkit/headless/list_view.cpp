// List views: rows with a selection that is single, multiple (each click
// toggles) or extended. The core keeps the rows' texts and data and writes
// the rules of rows over these slots (list_view.cpp there).
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

// At a position the core has checked.
int InsertItem(GadgetObject& g, int position, TextView) {
  std::vector<ListRow>& rows = Rows(g);
  rows.insert(rows.begin() + position, ListRow{});
  int& caret = ControlOf(g).caret;
  if (caret >= position) ++caret;
  return 0;
}

void AppendItems(GadgetObject& g, std::span<const Text> texts) {
  Rows(g).resize(Rows(g).size() + texts.size());
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

int CurrentListRow(Handle list) {
  const headless::Control& control = *headless::FindControl(list);
  if (control.flags & (KV_ListView_MultiSelect | KV_ListView_ClickSelect)) return control.caret;
  for (int row = 0; row < static_cast<int>(control.rows.size()); ++row) {
    if (control.rows[static_cast<size_t>(row)].selected) return row;
  }
  return -1;
}

const KindRecord& ListViewRecord() {
  static const KindRecord record{
      .cls = headless::ControlClass::ListBox,
      .slots = {
          .code = GK_LISTVIEW,
          .readState = headless::ReadState,
          .writeState = headless::WriteState,
          .insertItem = headless::InsertItem,
          .appendItems = headless::AppendItems,
          .deleteItem = headless::DeleteItem,
          .clearItems = headless::ClearItems,
          .itemCount = headless::ItemCount,
          .readItemState = headless::ReadItemState,
          .writeItemState = headless::WriteItemState,
          .showColor = headless::ShowColor,
          .rowHeight = headless::RowHeight,
      },
  };
  return record;
}

}  // namespace kv::platform
