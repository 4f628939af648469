// List views: the rows' texts and data live here, and the rules every
// platform's list box follows are written over the backend's operations on
// its rows, which hold only what the platform keeps of a row (its
// selection). So a list takes thousands of rows in one change of the control,
// and reading a row back never asks the platform.
#include "detail/core.h"
#include "toolkit/gadgets.h"
#include "toolkit/reports.h"

namespace kv {

namespace {

struct ListRows : GadgetData {
  std::vector<Text> texts;
  std::vector<std::intptr_t> data;
};

ListRows& RowsOf(GadgetObject& g) {
  if (!g.state) g.state = std::make_unique<ListRows>();
  return static_cast<ListRows&>(*g.state);
}

const GadgetKind& Platform(GadgetObject& g) { return detail::PlatformSlots(g); }

int Count(GadgetObject& g) { return static_cast<int>(RowsOf(g).texts.size()); }
bool Exists(GadgetObject& g, int item) { return item >= 0 && item < Count(g); }

bool SelectsMany(const GadgetObject& g) {
  return g.flags & (KV_ListView_MultiSelect | KV_ListView_ClickSelect);
}

// A row goes in before one that exists, or at the end (-1 or the count);
// anywhere else nothing happens.
int InsertItem(GadgetObject& g, int position, TextView text) {
  int count = Count(g);
  if (position < -1 || position > count) return 0;
  if (position == -1) position = count;
  ListRows& rows = RowsOf(g);
  rows.texts.insert(rows.texts.begin() + position, Text(text));
  rows.data.insert(rows.data.begin() + position, 0);
  return Platform(g).insertItem(g, position, text);
}

void AppendItems(GadgetObject& g, std::span<const Text> texts) {
  ListRows& rows = RowsOf(g);
  rows.texts.insert(rows.texts.end(), texts.begin(), texts.end());
  rows.data.resize(rows.texts.size());
  Platform(g).appendItems(g, texts);
}

void DeleteItem(GadgetObject& g, int item) {
  if (!Exists(g, item)) return;
  ListRows& rows = RowsOf(g);
  rows.texts.erase(rows.texts.begin() + item);
  rows.data.erase(rows.data.begin() + item);
  Platform(g).deleteItem(g, item);
}

void ClearItems(GadgetObject& g) {
  RowsOf(g) = {};
  Platform(g).clearItems(g);
}

Text ReadItemText(GadgetObject& g, int item, int) {
  return Exists(g, item) ? RowsOf(g).texts[static_cast<size_t>(item)] : Text{};
}

std::intptr_t ReadItemData(GadgetObject& g, int item) {
  return Exists(g, item) ? RowsOf(g).data[static_cast<size_t>(item)] : 0;
}

void WriteItemData(GadgetObject& g, int item, std::intptr_t data) {
  if (Exists(g, item)) RowsOf(g).data[static_cast<size_t>(item)] = data;
}

// Rewriting a row replaces it: its data stays, its selection does not.
int WriteItemText(GadgetObject& g, int item, TextView text, int) {
  if (!Exists(g, item)) return -1;
  RowsOf(g).texts[static_cast<size_t>(item)] = Text(text);
  Platform(g).deleteItem(g, item);
  Platform(g).insertItem(g, item, text);
  return 0;
}

// The current row: the selected one, or the one with the focus when several
// may be selected.
Text ReadText(GadgetObject& g) {
  return ReadItemText(g, platform::CurrentListRow(g.handle), 0);
}

// The first row whose whole text matches, ignoring case, is selected: alone,
// or beside the others as the current row when several may be selected.
void WriteText(GadgetObject& g, TextView text) {
  const std::vector<Text>& texts = RowsOf(g).texts;
  for (int item = 0; item < Count(g); ++item) {
    if (!EqualNoCase(texts[static_cast<size_t>(item)], text)) continue;
    if (SelectsMany(g)) {
      Platform(g).writeItemState(g, item, 1);
      platform::FocusListRow(g.handle, item);
    } else {
      Platform(g).writeState(g, item);
    }
    return;
  }
}

}  // namespace

const Text& ListRowText(GadgetObject& list, int row) {
  static const Text none;
  return Exists(list, row) ? RowsOf(list).texts[static_cast<size_t>(row)] : none;
}

const GadgetKind& detail::ListViewKind() {
  static const GadgetKind kind = [] {
    GadgetKind list = platform::KindSlots(platform::ListViewRecord());
    list.readText = ReadText;
    list.writeText = WriteText;
    list.insertItem = InsertItem;
    list.appendItems = AppendItems;
    list.deleteItem = DeleteItem;
    list.clearItems = ClearItems;
    list.itemCount = Count;
    list.readItemText = ReadItemText;
    list.writeItemText = WriteItemText;
    list.readItemData = ReadItemData;
    list.writeItemData = WriteItemData;
    return list;
  }();
  return kind;
}

}  // namespace kv
