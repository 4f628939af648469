// List views: the rules every platform's list box follows, written over the
// backend's own operations on its rows.
#include "detail/core.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

const GadgetKind& Rows(GadgetObject& g) { return detail::PlatformSlots(g); }

bool Exists(GadgetObject& g, int item) { return item >= 0 && item < Rows(g).itemCount(g); }

bool SelectsMany(const GadgetObject& g) {
  return g.flags & (KV_ListView_MultiSelect | KV_ListView_ClickSelect);
}

// A row goes in before one that exists, or at the end (-1 or the count);
// anywhere else nothing happens.
int InsertItem(GadgetObject& g, int position, TextView text) {
  int count = Rows(g).itemCount(g);
  if (position < -1 || position > count) return 0;
  return Rows(g).insertItem(g, position == -1 ? count : position, text);
}

// Rewriting a row replaces it: its data stays, its selection does not.
int WriteItemText(GadgetObject& g, int item, TextView text, int) {
  if (!Exists(g, item)) return -1;
  const GadgetKind& rows = Rows(g);
  std::intptr_t data = rows.readItemData(g, item);
  rows.deleteItem(g, item);
  rows.insertItem(g, item, text);
  rows.writeItemData(g, item, data);
  return 0;
}

// The first row whose whole text matches, ignoring case, is selected: alone,
// or beside the others as the current row when several may be selected.
void WriteText(GadgetObject& g, TextView text) {
  const GadgetKind& rows = Rows(g);
  int count = rows.itemCount(g);
  for (int item = 0; item < count; ++item) {
    if (!EqualNoCase(rows.readItemText(g, item, 0), text)) continue;
    if (SelectsMany(g)) {
      rows.writeItemState(g, item, 1);
      platform::FocusListRow(g.handle, item);
    } else {
      rows.writeState(g, item);
    }
    return;
  }
}

}  // namespace

const GadgetKind& detail::ListViewKind() {
  static const GadgetKind kind = [] {
    GadgetKind list = platform::KindSlots(platform::ListViewRecord());
    list.writeText = WriteText;
    list.insertItem = InsertItem;
    list.writeItemText = WriteItemText;
    return list;
  }();
  return kind;
}

}  // namespace kv
