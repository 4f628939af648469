// Multi-column lists and trees on the platform's list and tree views. Tree
// items are addressed by their place in display order, all levels counted.
#include "win32.h"

#include <commctrl.h>

namespace kv::win32 {

namespace {

constexpr int kTextLimit = 4096;

LRESULT Send(GadgetObject& g, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(HwndOf(g), message, wParam, lParam);
}

// ---- Multi-column lists ------------------------------------------------------------

ControlStyle ListStyle(bool explorer, int flags) {
  int many = explorer ? KV_Explorer_MultiSelect : KV_ListIcon_MultiSelect;
  int always = explorer ? KV_Explorer_AlwaysShowSelection : KV_ListIcon_AlwaysShowSelection;
  return {WC_LISTVIEWW,
          kTabbed | LVS_REPORT | (HasFlag(flags, many) ? 0u : LVS_SINGLESEL) |
              (HasFlag(flags, always) ? LVS_SHOWSELALWAYS : 0u),
          WS_EX_CLIENTEDGE, false};
}

int ListCount(GadgetObject& g) { return static_cast<int>(Send(g, LVM_GETITEMCOUNT)); }
bool ListExists(GadgetObject& g, int item) { return item >= 0 && item < ListCount(g); }

void AttachList(GadgetObject& g) {
  bool explorer = g.kind->code == GK_EXPLORERLIST;
  int f = g.flags;
  DWORD extended =
      (!explorer && HasFlag(f, KV_ListIcon_CheckBoxes) ? LVS_EX_CHECKBOXES : 0u) |
      (HasFlag(f, explorer ? KV_Explorer_GridLines : KV_ListIcon_GridLines) ? LVS_EX_GRIDLINES
                                                                              : 0u) |
      (HasFlag(f, explorer ? KV_Explorer_FullRowSelect : KV_ListIcon_FullRowSelect)
           ? LVS_EX_FULLROWSELECT
           : 0u) |
      (HasFlag(f, explorer ? KV_Explorer_HeaderDragDrop : KV_ListIcon_HeaderDragDrop)
           ? LVS_EX_HEADERDRAGDROP
           : 0u);
  Send(g, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
}

int ListState(GadgetObject& g) {
  return static_cast<int>(Send(g, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SetItemState(GadgetObject& g, int item, UINT state, UINT mask) {
  LVITEMW row{};
  row.state = state;
  row.stateMask = mask;
  Send(g, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&row));
}

void ListSelect(GadgetObject& g, int item) {
  SetItemState(g, -1, 0, LVIS_SELECTED);
  if (ListExists(g, item)) {
    SetItemState(g, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
}

Text ListItemText(GadgetObject& g, int item, int column) {
  if (!ListExists(g, item) || column < 0) return {};
  std::wstring buffer(kTextLimit, L'\0');
  LVITEMW row{};
  row.iSubItem = column;
  row.pszText = buffer.data();
  row.cchTextMax = kTextLimit;
  LRESULT length = Send(g, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                        reinterpret_cast<LPARAM>(&row));
  return FromWide(buffer.data(), static_cast<size_t>(length > 0 ? length : 0));
}

Text ListText(GadgetObject& g) { return ListItemText(g, ListState(g), 0); }

void ListWriteText(GadgetObject& g, TextView text) {
  for (int i = 0; i < ListCount(g); ++i) {
    if (EqualNoCase(ListItemText(g, i, 0), text)) return ListSelect(g, i);
  }
}

int ListInsert(GadgetObject& g, int position, TextView text, int) {
  std::wstring wide = Wide(text);
  LVITEMW row{};
  row.mask = LVIF_TEXT | LVIF_PARAM;
  row.iItem = position < 0 ? ListCount(g) : position;
  row.pszText = wide.data();
  Send(g, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&row));
  return 0;
}

void ListDelete(GadgetObject& g, int item) {
  if (ListExists(g, item)) Send(g, LVM_DELETEITEM, static_cast<WPARAM>(item));
}

void ListClear(GadgetObject& g) { Send(g, LVM_DELETEALLITEMS); }

int ListColumnCount(GadgetObject& g) {
  auto header = reinterpret_cast<HWND>(Send(g, LVM_GETHEADER));
  return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int ListWriteItemText(GadgetObject& g, int item, TextView text, int column) {
  if (!ListExists(g, item) || column < 0 || (column > 0 && column >= ListColumnCount(g))) {
    return -1;
  }
  std::wstring wide = Wide(text);
  LVITEMW row{};
  row.iSubItem = column;
  row.pszText = wide.data();
  Send(g, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&row));
  return 0;
}

int ListItemState(GadgetObject& g, int item) {
  if (!ListExists(g, item)) return 0;
  auto state = static_cast<UINT>(Send(g, LVM_GETITEMSTATE, static_cast<WPARAM>(item),
                                      LVIS_SELECTED | LVIS_STATEIMAGEMASK));
  return (state & LVIS_SELECTED ? KV_Item_Selected : 0) |
         ((state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2) ? KV_Item_Checked : 0);
}

void ListWriteItemState(GadgetObject& g, int item, int state) {
  if (!ListExists(g, item)) return;
  if (!(GetWindowLongW(HwndOf(g), GWL_STYLE) & LVS_SINGLESEL)) {
    SetItemState(g, item, state & KV_Item_Selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
  } else if (state & KV_Item_Selected) {
    ListSelect(g, item);
  } else if (ListState(g) == item) {
    ListSelect(g, -1);
  }
  if (Send(g, LVM_GETEXTENDEDLISTVIEWSTYLE) & LVS_EX_CHECKBOXES) {
    SetItemState(g, item, INDEXTOSTATEIMAGEMASK(state & KV_Item_Checked ? 2 : 1),
                 LVIS_STATEIMAGEMASK);
  }
}

std::intptr_t ListItemData(GadgetObject& g, int item) {
  LVITEMW row{};
  row.mask = LVIF_PARAM;
  row.iItem = item;
  if (!ListExists(g, item) || !Send(g, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&row))) return 0;
  return row.lParam;
}

void ListWriteItemData(GadgetObject& g, int item, std::intptr_t data) {
  LVITEMW row{};
  row.mask = LVIF_PARAM;
  row.iItem = item;
  row.lParam = data;
  if (ListExists(g, item)) Send(g, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&row));
}

void ListAddColumn(GadgetObject& g, int position, TextView title, int width) {
  std::wstring wide = Wide(title);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = wide.data();
  column.cx = width;
  int count = ListColumnCount(g);
  if (position < 0 || position > count) position = count;
  Send(g, LVM_INSERTCOLUMNW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&column));
}

bool ListHook(GadgetObject& g, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  if (message != WM_NOTIFY) return false;
  const auto& header = *reinterpret_cast<NMHDR*>(lParam);
  *result = 0;
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    bool selected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
    if ((change.uChanged & LVIF_STATE) && selected) QueueGadgetEvent(g, ET_CHANGE);
    return true;
  }
  if (header.code == LVN_BEGINDRAG) {
    QueueGadgetEvent(g, ET_DRAG_START);
    return true;
  }
  return ItemListNotification(g, header);
}

// ---- Trees -------------------------------------------------------------------------

ControlStyle TreeStyle(bool explorer, int flags) {
  bool lines = !HasFlag(flags, explorer ? KV_Explorer_NoLines : KV_Tree_NoLines);
  bool buttons = !HasFlag(flags, explorer ? KV_Explorer_NoButtons : KV_Tree_NoButtons);
  int always = explorer ? KV_Explorer_AlwaysShowSelection : KV_Tree_AlwaysShowSelection;
  return {WC_TREEVIEWW,
          kTabbed | (lines ? TVS_HASLINES | TVS_LINESATROOT : 0u) |
              (buttons ? TVS_HASBUTTONS : 0u) | (HasFlag(flags, always) ? TVS_SHOWSELALWAYS : 0u) |
              (!explorer && HasFlag(flags, KV_Tree_CheckBoxes) ? TVS_CHECKBOXES : 0u),
          WS_EX_CLIENTEDGE, false};
}

HTREEITEM Next(GadgetObject& g, HTREEITEM item, UINT relation) {
  return reinterpret_cast<HTREEITEM>(
      Send(g, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// The item after item in display order, all levels counted.
HTREEITEM Following(GadgetObject& g, HTREEITEM item) {
  if (HTREEITEM child = Next(g, item, TVGN_CHILD)) return child;
  for (; item; item = Next(g, item, TVGN_PARENT)) {
    if (HTREEITEM sibling = Next(g, item, TVGN_NEXT)) return sibling;
  }
  return nullptr;
}

HTREEITEM ItemAt(GadgetObject& g, int index) {
  if (index < 0) return nullptr;
  HTREEITEM item = Next(g, nullptr, TVGN_ROOT);
  for (int i = 0; item && i < index; ++i) item = Following(g, item);
  return item;
}

int IndexOf(GadgetObject& g, HTREEITEM wanted) {
  int index = 0;
  for (HTREEITEM item = Next(g, nullptr, TVGN_ROOT); item; item = Following(g, item), ++index) {
    if (item == wanted) return index;
  }
  return -1;
}

int LevelOf(GadgetObject& g, HTREEITEM item) {
  int level = 0;
  while ((item = Next(g, item, TVGN_PARENT)) != nullptr) ++level;
  return level;
}

int TreeCount(GadgetObject& g) { return static_cast<int>(Send(g, TVM_GETCOUNT)); }

// Appended: below the nearest item above one level up. Inserted: before the
// item at position, beside it.
int TreeInsert(GadgetObject& g, int position, TextView text, int level) {
  std::wstring wide = Wide(text);
  TVINSERTSTRUCTW insert{};
  insert.item.mask = TVIF_TEXT | TVIF_PARAM;
  insert.item.pszText = wide.data();
  if (HTREEITEM before = ItemAt(g, position)) {
    insert.hParent = Next(g, before, TVGN_PARENT);
    HTREEITEM previous = Next(g, before, TVGN_PREVIOUS);
    insert.hInsertAfter = previous ? previous : TVI_FIRST;
  } else {
    HTREEITEM parent = ItemAt(g, TreeCount(g) - 1);
    while (parent && LevelOf(g, parent) >= level) parent = Next(g, parent, TVGN_PARENT);
    insert.hParent = level > 0 ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
  }
  Send(g, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
  return 0;
}

void TreeDelete(GadgetObject& g, int index) {
  if (HTREEITEM item = ItemAt(g, index)) Send(g, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
}

void TreeClear(GadgetObject& g) {
  Send(g, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

int TreeState(GadgetObject& g) {
  HTREEITEM caret = Next(g, nullptr, TVGN_CARET);
  return caret ? IndexOf(g, caret) : -1;
}

void TreeSelect(GadgetObject& g, int index) {
  Send(g, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(ItemAt(g, index)));
}

Text TreeItemText(GadgetObject& g, int index, int) {
  HTREEITEM item = ItemAt(g, index);
  if (!item) return {};
  std::wstring buffer(kTextLimit, L'\0');
  TVITEMW node{};
  node.mask = TVIF_TEXT;
  node.hItem = item;
  node.pszText = buffer.data();
  node.cchTextMax = kTextLimit;
  Send(g, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&node));
  return FromWide(buffer.c_str(), wcslen(buffer.c_str()));
}

Text TreeText(GadgetObject& g) { return TreeItemText(g, TreeState(g), 0); }

void TreeWriteText(GadgetObject& g, TextView text) {
  int count = TreeCount(g);
  for (int i = 0; i < count; ++i) {
    if (EqualNoCase(TreeItemText(g, i, 0), text)) return TreeSelect(g, i);
  }
}

int TreeWriteItemText(GadgetObject& g, int index, TextView text, int column) {
  HTREEITEM item = ItemAt(g, index);
  if (!item || column != 0) return -1;
  std::wstring wide = Wide(text);
  TVITEMW node{};
  node.mask = TVIF_TEXT;
  node.hItem = item;
  node.pszText = wide.data();
  Send(g, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&node));
  return 0;
}

int TreeItemState(GadgetObject& g, int index) {
  HTREEITEM item = ItemAt(g, index);
  if (!item) return 0;
  auto state = static_cast<UINT>(Send(g, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item),
                                      TVIS_EXPANDED | TVIS_STATEIMAGEMASK));
  return (Next(g, nullptr, TVGN_CARET) == item ? KV_Item_Selected : 0) |
         (state & TVIS_EXPANDED ? KV_Item_Expanded : 0) |
         ((state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2) ? KV_Item_Checked : 0);
}

void TreeWriteItemState(GadgetObject& g, int index, int state) {
  HTREEITEM item = ItemAt(g, index);
  if (!item) return;
  auto handle = reinterpret_cast<LPARAM>(item);
  Send(g, TVM_EXPAND, state & KV_Item_Expanded ? TVE_EXPAND : TVE_COLLAPSE, handle);
  if (state & KV_Item_Selected) {
    Send(g, TVM_SELECTITEM, TVGN_CARET, handle);
  } else if (Next(g, nullptr, TVGN_CARET) == item) {
    Send(g, TVM_SELECTITEM, TVGN_CARET, 0);
  }
  if (GetWindowLongW(HwndOf(g), GWL_STYLE) & TVS_CHECKBOXES) {
    TVITEMW node{};
    node.mask = TVIF_STATE;
    node.hItem = item;
    node.stateMask = TVIS_STATEIMAGEMASK;
    node.state = INDEXTOSTATEIMAGEMASK(state & KV_Item_Checked ? 2 : 1);
    Send(g, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&node));
  }
}

std::intptr_t TreeItemData(GadgetObject& g, int index) {
  TVITEMW node{};
  node.mask = TVIF_PARAM;
  node.hItem = ItemAt(g, index);
  if (!node.hItem || !Send(g, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&node))) return 0;
  return node.lParam;
}

void TreeWriteItemData(GadgetObject& g, int index, std::intptr_t data) {
  TVITEMW node{};
  node.mask = TVIF_PARAM;
  node.hItem = ItemAt(g, index);
  node.lParam = data;
  if (node.hItem) Send(g, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&node));
}

bool TreeHook(GadgetObject& g, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  if (message != WM_NOTIFY) return false;
  const auto& header = *reinterpret_cast<NMHDR*>(lParam);
  *result = 0;
  switch (header.code) {
    case TVN_SELCHANGEDW: QueueGadgetEvent(g, ET_CHANGE); return true;
    case TVN_BEGINDRAGW: QueueGadgetEvent(g, ET_DRAG_START); return true;
    default: return ItemListNotification(g, header);
  }
}

}  // namespace

bool ItemListNotification(GadgetObject& g, const NMHDR& header) {
  switch (header.code) {
    case NM_CLICK: QueueGadgetEvent(g, ET_LEFT_CLICK); return true;
    case NM_RCLICK: QueueGadgetEvent(g, ET_RIGHT_CLICK); return true;
    case NM_DBLCLK: QueueGadgetEvent(g, ET_LEFT_DOUBLE_CLICK); return true;
    case NM_RDBLCLK: QueueGadgetEvent(g, ET_RIGHT_DOUBLE_CLICK); return true;
    default: return false;
  }
}

constexpr GadgetKind kListSlots{
    .code = GK_LISTICON,
    .readState = ListState,
    .writeState = ListSelect,
    .readText = ListText,
    .writeText = ListWriteText,
    .insertLevelItem = ListInsert,
    .deleteItem = ListDelete,
    .clearItems = ListClear,
    .itemCount = ListCount,
    .readItemState = ListItemState,
    .writeItemState = ListWriteItemState,
    .readItemText = ListItemText,
    .writeItemText = ListWriteItemText,
    .writeItemData = ListWriteItemData,
    .readItemData = ListItemData,
    .addColumn = ListAddColumn,
    .columnCount = ListColumnCount,
};

constexpr GadgetKind kTreeSlots{
    .code = GK_TREE,
    .readState = TreeState,
    .writeState = TreeSelect,
    .readText = TreeText,
    .writeText = TreeWriteText,
    .insertLevelItem = TreeInsert,
    .deleteItem = TreeDelete,
    .clearItems = TreeClear,
    .itemCount = TreeCount,
    .readItemState = TreeItemState,
    .writeItemState = TreeWriteItemState,
    .readItemText = TreeItemText,
    .writeItemText = TreeWriteItemText,
    .writeItemData = TreeWriteItemData,
    .readItemData = TreeItemData,
};

}  // namespace kv::win32

namespace kv::platform {

const KindRecord& ListIconRecord() {
  static const KindRecord record{
      .style = [](int flags) { return win32::ListStyle(false, flags); },
      .attach = win32::AttachList,
      .hook = win32::ListHook,
      .slots = win32::kListSlots,
  };
  return record;
}

const KindRecord& TreeRecord() {
  static const KindRecord record{
      .style = [](int flags) { return win32::TreeStyle(false, flags); },
      .hook = win32::TreeHook,
      .slots = win32::kTreeSlots,
  };
  return record;
}

// The folder-browsing list and tree: the list and tree with their own flags.
const KindRecord& ExplorerListRecord() {
  static const KindRecord record{
      .style = [](int flags) { return win32::ListStyle(true, flags); },
      .attach = win32::AttachList,
      .hook = win32::ListHook,
      .slots = win32::kListSlots,
  };
  return record;
}

const KindRecord& ExplorerTreeRecord() {
  static const KindRecord record{
      .style = [](int flags) { return win32::TreeStyle(true, flags); },
      .hook = win32::TreeHook,
      .slots = win32::kTreeSlots,
  };
  return record;
}

}  // namespace kv::platform
