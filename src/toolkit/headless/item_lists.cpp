// Multi-column lists and trees: rows with cells or levels, a current item,
// and check marks.
#include <algorithm>

#include "kinds.h"
#include "metrics.h"
#include "toolkit/dpi.h"

namespace kv::headless {

namespace {

std::vector<ListRow>& Rows(GadgetObject& g) {
  return ControlOf(g).rows;
}
int Count(GadgetObject& g) {
  return static_cast<int>(Rows(g).size());
}
bool Exists(GadgetObject& g, int item) {
  return item >= 0 && item < Count(g);
}
ListRow& Row(GadgetObject& g, int item) {
  return Rows(g)[static_cast<size_t>(item)];
}

bool SelectsMany(GadgetObject& g) {
  return g.kind->code == GK_LISTICON && (ControlOf(g).flags & KV_ListIcon_MultiSelect);
}

int FirstSelected(GadgetObject& g) {
  for (int i = 0; i < Count(g); ++i) {
    if (Row(g, i).selected) return i;
  }
  return -1;
}

void SelectOnly(GadgetObject& g, int item) {
  for (ListRow& row : Rows(g)) row.selected = false;
  if (Exists(g, item)) Row(g, item).selected = true;
  ControlOf(g).caret = Exists(g, item) ? item : -1;
}

int ReadState(GadgetObject& g) {
  return FirstSelected(g);
}
void WriteState(GadgetObject& g, int item) {
  SelectOnly(g, item);
}

Text ReadText(GadgetObject& g) {
  int item = FirstSelected(g);
  return Exists(g, item) ? Row(g, item).text : Text{};
}

void WriteText(GadgetObject& g, TextView text) {
  for (int i = 0; i < Count(g); ++i) {
    if (EqualNoCase(Row(g, i).text, text)) return SelectOnly(g, i);
  }
}

// A tree item is at most one level below the item before it.
int InsertLevelItem(GadgetObject& g, int position, TextView text, int level) {
  if (position < -1 || position > Count(g)) return 0;
  if (position == -1) position = Count(g);
  int deepest = position == 0 ? 0 : Row(g, position - 1).level + 1;
  ListRow row{Text(text)};
  row.level = g.kind->code == GK_TREE || g.kind->code == GK_EXPLORERTREE
                  ? std::clamp(level, 0, deepest)
                  : 0;
  Rows(g).insert(Rows(g).begin() + position, std::move(row));
  return 0;
}

// A tree item goes with the items below it.
void DeleteItem(GadgetObject& g, int item) {
  if (!Exists(g, item)) return;
  int end = item + 1;
  while (end < Count(g) && Row(g, end).level > Row(g, item).level) ++end;
  Rows(g).erase(Rows(g).begin() + item, Rows(g).begin() + end);
}

void ClearItems(GadgetObject& g) {
  Rows(g).clear();
}

int ReadItemState(GadgetObject& g, int item) {
  if (!Exists(g, item)) return 0;
  const ListRow& row = Row(g, item);
  return (row.selected ? KV_Item_Selected : 0) | (row.checked ? KV_Item_Checked : 0) |
         (row.expanded ? KV_Item_Expanded : 0);
}

void WriteItemState(GadgetObject& g, int item, int state) {
  if (!Exists(g, item)) return;
  if (SelectsMany(g)) {
    Row(g, item).selected = state & KV_Item_Selected;
  } else if (state & KV_Item_Selected) {
    SelectOnly(g, item);
  } else if (Row(g, item).selected) {
    SelectOnly(g, -1);
  }
  Row(g, item).checked = state & KV_Item_Checked;
  Row(g, item).expanded = state & KV_Item_Expanded;
}

Text ReadItemText(GadgetObject& g, int item, int column) {
  if (!Exists(g, item) || column < 0) return {};
  const ListRow& row = Row(g, item);
  if (column == 0) return row.text;
  size_t cell = static_cast<size_t>(column) - 1;
  return cell < row.cells.size() ? row.cells[cell] : Text{};
}

int WriteItemText(GadgetObject& g, int item, TextView text, int column) {
  if (!Exists(g, item) || column < 0) return -1;
  ListRow& row = Row(g, item);
  if (column == 0) {
    row.text = Text(text);
    return 0;
  }
  if (column >= static_cast<int>(ControlOf(g).columns.size())) return -1;
  size_t cell = static_cast<size_t>(column) - 1;
  if (row.cells.size() <= cell) row.cells.resize(cell + 1);
  row.cells[cell] = Text(text);
  return 0;
}

std::intptr_t ReadItemData(GadgetObject& g, int item) {
  return Exists(g, item) ? Row(g, item).data : 0;
}

void WriteItemData(GadgetObject& g, int item, std::intptr_t data) {
  if (Exists(g, item)) Row(g, item).data = data;
}

void AddColumn(GadgetObject& g, int position, TextView title, int) {
  std::vector<Text>& columns = ControlOf(g).columns;
  if (position < 0 || position > static_cast<int>(columns.size())) {
    position = static_cast<int>(columns.size());
  }
  columns.insert(columns.begin() + position, Text(title));
}

int ColumnCount(GadgetObject& g) {
  return static_cast<int>(ControlOf(g).columns.size());
}

// Multi-column lists and trees share one model of rows; only the list has
// columns.
constexpr KindRecord ItemListRecord(ControlClass cls, int code, bool columns) {
  return {
      .cls = cls,
      .slots = {
          .code = code,
          .readState = ReadState,
          .writeState = WriteState,
          .readText = ReadText,
          .writeText = WriteText,
          .insertLevelItem = InsertLevelItem,
          .deleteItem = DeleteItem,
          .clearItems = ClearItems,
          .itemCount = Count,
          .readItemState = ReadItemState,
          .writeItemState = WriteItemState,
          .readItemText = ReadItemText,
          .writeItemText = WriteItemText,
          .showColor = ShowColor,
          .writeItemData = WriteItemData,
          .readItemData = ReadItemData,
          .addColumn = columns ? AddColumn : nullptr,
          .columnCount = columns ? ColumnCount : nullptr,
      },
  };
}

}  // namespace

// A click makes the item current; a change of the current item is reported
// after the click.
void ClickItem(GadgetObject& g, int item) {
  if (!Exists(g, item)) return;
  bool changed = FirstSelected(g) != item;
  if (SelectsMany(g)) {
    Row(g, item).selected = true;
  } else {
    SelectOnly(g, item);
  }
  QueueGadgetEvent(g, ET_LEFT_CLICK);
  if (changed) QueueGadgetEvent(g, ET_CHANGE);
}

}  // namespace kv::headless

namespace kv::platform {

const KindRecord& ListIconRecord() {
  static const KindRecord record =
      headless::ItemListRecord(headless::ControlClass::ListIcon, GK_LISTICON, true);
  return record;
}

const KindRecord& TreeRecord() {
  static const KindRecord record =
      headless::ItemListRecord(headless::ControlClass::Tree, GK_TREE, false);
  return record;
}

// The folder-browsing list and tree are the list and tree themselves.
const KindRecord& ExplorerListRecord() { return ListIconRecord(); }
const KindRecord& ExplorerTreeRecord() { return TreeRecord(); }

}  // namespace kv::platform
