// Combo boxes, multi-column lists and trees on GTK's combo box and tree view.
// A list or tree is a scrolled window around a tree view over one tree store
// whose rows hold their cells, data and check mark; items are addressed by
// their place in display order, all levels counted.
#include <algorithm>
#include <string>
#include <vector>

#include "gtk.h"

namespace kv::gtk {

namespace {

// ---- Combo boxes -------------------------------------------------------------------

enum ComboColumn { kComboText, kComboData };

GtkComboBox* Combo(GadgetObject& g) {
  return GTK_COMBO_BOX(WidgetOf(g));
}
GtkListStore* ComboStore(GadgetObject& g) {
  return GTK_LIST_STORE(gtk_combo_box_get_model(Combo(g)));
}
GtkEntry* ComboEntry(GadgetObject& g) {
  GtkWidget* child = gtk_bin_get_child(GTK_BIN(WidgetOf(g)));
  return GTK_IS_ENTRY(child) ? GTK_ENTRY(child) : nullptr;
}

int ComboCount(GadgetObject& g) {
  return gtk_tree_model_iter_n_children(GTK_TREE_MODEL(ComboStore(g)), nullptr);
}

bool ComboItem(GadgetObject& g, int item, GtkTreeIter* iter) {
  return item >= 0 &&
         gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(ComboStore(g)), iter, nullptr, item);
}

GtkWidget* MakeCombo(bool editable) {
  GtkListStore* store = gtk_list_store_new(2, G_TYPE_STRING, G_TYPE_INT64);
  GtkWidget* combo = editable ? gtk_combo_box_new_with_model_and_entry(GTK_TREE_MODEL(store))
                              : gtk_combo_box_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  if (editable) {
    gtk_combo_box_set_entry_text_column(GTK_COMBO_BOX(combo), kComboText);
    gtk_entry_set_width_chars(GTK_ENTRY(gtk_bin_get_child(GTK_BIN(combo))), 1);
  } else {
    GtkCellRenderer* text = gtk_cell_renderer_text_new();
    gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(combo), text, TRUE);
    gtk_cell_layout_add_attribute(GTK_CELL_LAYOUT(combo), text, "text", kComboText);
  }
  return combo;
}

int ComboState(GadgetObject& g) {
  return gtk_combo_box_get_active(Combo(g));
}

// No item chosen leaves an editable field empty, as choosing one fills it.
void ComboSelect(GadgetObject& g, int item) {
  Quiet quiet(g);
  GtkTreeIter iter;
  bool exists = ComboItem(g, item, &iter);
  gtk_combo_box_set_active(Combo(g), exists ? item : -1);
  if (!exists && ComboEntry(g)) gtk_entry_set_text(ComboEntry(g), "");
}

Text ComboItemText(GadgetObject& g, int item, int) {
  GtkTreeIter iter;
  if (!ComboItem(g, item, &iter)) return {};
  gchar* text = nullptr;
  gtk_tree_model_get(GTK_TREE_MODEL(ComboStore(g)), &iter, kComboText, &text, -1);
  Text result = FromUtf8(text);
  g_free(text);
  return result;
}

Text ComboText(GadgetObject& g) {
  if (GtkEntry* entry = ComboEntry(g)) return FromUtf8(gtk_entry_get_text(entry));
  return ComboItemText(g, ComboState(g), 0);
}

void ComboWriteText(GadgetObject& g, TextView text) {
  int count = ComboCount(g);
  for (int i = 0; i < count; ++i) {
    if (EqualNoCase(ComboItemText(g, i, 0), text)) return ComboSelect(g, i);
  }
  if (GtkEntry* entry = ComboEntry(g)) {
    Quiet quiet(g);
    gtk_combo_box_set_active(Combo(g), -1);
    gtk_entry_set_text(entry, Utf8(text).c_str());
  }
}

int ComboInsert(GadgetObject& g, int position, TextView text) {
  if (position < -1 || position > ComboCount(g)) return 0;
  Quiet quiet(g);
  gtk_list_store_insert_with_values(ComboStore(g), nullptr, position, kComboText,
                                    Utf8(text).c_str(), kComboData, gint64{0}, -1);
  return 0;
}

void ComboDelete(GadgetObject& g, int item) {
  GtkTreeIter iter;
  if (!ComboItem(g, item, &iter)) return;
  Quiet quiet(g);
  gtk_list_store_remove(ComboStore(g), &iter);
}

void ComboClear(GadgetObject& g) {
  Quiet quiet(g);
  gtk_list_store_clear(ComboStore(g));
  if (GtkEntry* entry = ComboEntry(g)) gtk_entry_set_text(entry, "");
}

// The chosen item's new text shows in an editable field too.
int ComboWriteItemText(GadgetObject& g, int item, TextView text, int) {
  GtkTreeIter iter;
  if (!ComboItem(g, item, &iter)) return -1;
  Quiet quiet(g);
  std::string bytes = Utf8(text);
  gtk_list_store_set(ComboStore(g), &iter, kComboText, bytes.c_str(), -1);
  if (ComboState(g) == item && ComboEntry(g)) gtk_entry_set_text(ComboEntry(g), bytes.c_str());
  return 0;
}

std::intptr_t ComboItemData(GadgetObject& g, int item) {
  GtkTreeIter iter;
  gint64 data = 0;
  if (ComboItem(g, item, &iter)) {
    gtk_tree_model_get(GTK_TREE_MODEL(ComboStore(g)), &iter, kComboData, &data, -1);
  }
  return static_cast<std::intptr_t>(data);
}

void ComboWriteItemData(GadgetObject& g, int item, std::intptr_t data) {
  GtkTreeIter iter;
  if (!ComboItem(g, item, &iter)) return;
  gtk_list_store_set(ComboStore(g), &iter, kComboData, static_cast<gint64>(data), -1);
}

PixelSize ComboSize(GadgetObject& g) {
  PixelSize field = FieldRequiredSize({0, MeasureText(WidgetOf(g), u"Hg").height},
                                      platform::EdgeSize(), platform::ScrollBarSize().width);
  PixelSize least = PreferredSize(WidgetOf(g));
  return {std::max(field.width, least.width), std::max(field.height, least.height)};
}

// A choice is a change; so is typing in the field, which GTK reports on the
// field once the choice is gone.
void OnComboChanged(GtkComboBox* combo, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (g && !Quiet::Active(*g) && gtk_combo_box_get_active(combo) != -1) {
    QueueGadgetEvent(*g, ET_CHANGE);
  }
}

void OnComboTyped(GtkEditable*, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (g && !Quiet::Active(*g) && ComboState(*g) == -1) QueueGadgetEvent(*g, ET_CHANGE);
}

// The focus goes to the field, or to the button of a combo box without one.
void ConnectComboFocus(GtkWidget* part, gpointer data) {
  if (GTK_IS_ENTRY(part) || GTK_IS_TOGGLE_BUTTON(part)) {
    ConnectFocus(part, *static_cast<const GadgetObject*>(data));
  }
}

void AttachCombo(GadgetObject& g) {
  Connect(WidgetOf(g), "changed", OnComboChanged, g);
  if (GtkEntry* entry = ComboEntry(g)) Connect(entry, "changed", OnComboTyped, g);
  gtk_container_forall(GTK_CONTAINER(WidgetOf(g)), ConnectComboFocus, &g);
}

// ---- Lists and trees ---------------------------------------------------------------

enum RowColumn { kCells, kData, kChecked };
constexpr char kColumnKey[] = "kv-column";  // which cell a view column shows

GtkTreeView* View(GadgetObject& g) {
  return GTK_TREE_VIEW(ScrolledChild(g));
}
GtkTreeModel* Model(GadgetObject& g) {
  return gtk_tree_view_get_model(View(g));
}
GtkTreeStore* Store(GadgetObject& g) {
  return GTK_TREE_STORE(Model(g));
}

bool IsTree(const GadgetObject& g) {
  return g.kind->code == GK_TREE || g.kind->code == GK_EXPLORERTREE;
}

// The item after iter in display order, all levels counted.
bool Following(GtkTreeModel* model, GtkTreeIter* iter) {
  GtkTreeIter next;
  if (gtk_tree_model_iter_children(model, &next, iter)) {
    *iter = next;
    return true;
  }
  for (GtkTreeIter at = *iter;;) {
    next = at;
    if (gtk_tree_model_iter_next(model, &next)) {
      *iter = next;
      return true;
    }
    if (!gtk_tree_model_iter_parent(model, &next, &at)) return false;
    at = next;
  }
}

bool ItemAt(GadgetObject& g, int index, GtkTreeIter* iter) {
  if (index < 0) return false;
  GtkTreeModel* model = Model(g);
  if (!IsTree(g)) return gtk_tree_model_iter_nth_child(model, iter, nullptr, index);
  if (!gtk_tree_model_get_iter_first(model, iter)) return false;
  for (int i = 0; i < index; ++i) {
    if (!Following(model, iter)) return false;
  }
  return true;
}

int IndexOf(GadgetObject& g, GtkTreePath* wanted) {
  if (!IsTree(g)) return gtk_tree_path_get_indices(wanted)[0];
  GtkTreeModel* model = Model(g);
  GtkTreeIter iter;
  if (!gtk_tree_model_get_iter_first(model, &iter)) return -1;
  int index = 0;
  do {
    GtkTreePath* path = gtk_tree_model_get_path(model, &iter);
    bool found = gtk_tree_path_compare(path, wanted) == 0;
    gtk_tree_path_free(path);
    if (found) return index;
    ++index;
  } while (Following(model, &iter));
  return -1;
}

int Count(GadgetObject& g) {
  GtkTreeModel* model = Model(g);
  if (!IsTree(g)) return gtk_tree_model_iter_n_children(model, nullptr);
  GtkTreeIter iter;
  int count = 0;
  for (bool more = gtk_tree_model_get_iter_first(model, &iter); more;
       more = Following(model, &iter)) {
    ++count;
  }
  return count;
}

std::vector<std::string> Cells(GtkTreeModel* model, GtkTreeIter* iter) {
  gchar** cells = nullptr;
  gtk_tree_model_get(model, iter, kCells, &cells, -1);
  std::vector<std::string> copy;
  for (gchar** cell = cells; cell && *cell; ++cell) copy.emplace_back(*cell);
  g_strfreev(cells);
  return copy;
}

void WriteCells(GtkTreeStore* store, GtkTreeIter* iter, const std::vector<std::string>& cells) {
  std::vector<const gchar*> strings;
  for (const std::string& cell : cells) strings.push_back(cell.c_str());
  strings.push_back(nullptr);
  gtk_tree_store_set(store, iter, kCells, strings.data(), -1);
}

// The first selected item, or -1.
int ItemState(GadgetObject& g) {
  GList* rows = gtk_tree_selection_get_selected_rows(gtk_tree_view_get_selection(View(g)), nullptr);
  int first = -1;
  for (GList* row = rows; row; row = row->next) {
    int index = IndexOf(g, static_cast<GtkTreePath*>(row->data));
    if (first == -1 || index < first) first = index;
  }
  g_list_free_full(rows, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
  return first;
}

// An item under a closed one cannot be selected: its parents open first.
void SelectOnly(GadgetObject& g, GtkTreeIter* iter) {
  GtkTreePath* path = gtk_tree_model_get_path(Model(g), iter);
  GtkTreePath* parent = gtk_tree_path_copy(path);
  if (gtk_tree_path_up(parent) && gtk_tree_path_get_depth(parent) > 0) {
    gtk_tree_view_expand_to_path(View(g), parent);
  }
  gtk_tree_view_set_cursor(View(g), path, nullptr, FALSE);
  gtk_tree_path_free(parent);
  gtk_tree_path_free(path);
}

void ItemSelect(GadgetObject& g, int item) {
  Quiet quiet(g);
  GtkTreeIter iter;
  gtk_tree_selection_unselect_all(gtk_tree_view_get_selection(View(g)));
  if (ItemAt(g, item, &iter)) SelectOnly(g, &iter);
}

Text ItemText(GadgetObject& g, int item, int column) {
  GtkTreeIter iter;
  if (column < 0 || !ItemAt(g, item, &iter)) return {};
  std::vector<std::string> cells = Cells(Model(g), &iter);
  auto cell = static_cast<size_t>(column);
  return cell < cells.size() ? FromUtf8(cells[cell].c_str()) : Text();
}

Text ItemListText(GadgetObject& g) {
  return ItemText(g, ItemState(g), 0);
}

void ItemWriteText(GadgetObject& g, TextView text) {
  int count = Count(g);
  for (int i = 0; i < count; ++i) {
    if (EqualNoCase(ItemText(g, i, 0), text)) return ItemSelect(g, i);
  }
}

// The last item in display order.
bool LastItem(GtkTreeModel* model, GtkTreeIter* iter) {
  int count = gtk_tree_model_iter_n_children(model, nullptr);
  if (count == 0 || !gtk_tree_model_iter_nth_child(model, iter, nullptr, count - 1)) return false;
  for (GtkTreeIter child; (count = gtk_tree_model_iter_n_children(model, iter)) > 0;) {
    gtk_tree_model_iter_nth_child(model, &child, iter, count - 1);
    *iter = child;
  }
  return true;
}

// Appended: below the nearest item above one level up. Inserted: before the
// item at position, beside it. A list has one level.
int ItemInsert(GadgetObject& g, int position, TextView text, int level) {
  Quiet quiet(g);
  GtkTreeStore* store = Store(g);
  GtkTreeModel* model = Model(g);
  GtkTreeIter row;
  GtkTreeIter before;
  GtkTreeIter parent;
  if (ItemAt(g, position, &before)) {
    bool nested = gtk_tree_model_iter_parent(model, &parent, &before);
    gtk_tree_store_insert_before(store, &row, nested ? &parent : nullptr, &before);
  } else {
    bool nested = IsTree(g) && level > 0 && LastItem(model, &parent);
    while (nested && gtk_tree_store_iter_depth(store, &parent) >= level) {
      GtkTreeIter up;
      nested = gtk_tree_model_iter_parent(model, &up, &parent);
      parent = up;
    }
    gtk_tree_store_append(store, &row, nested ? &parent : nullptr);
  }
  WriteCells(store, &row, {Utf8(text)});
  return 0;
}

// A tree item goes with the items below it.
void ItemDelete(GadgetObject& g, int item) {
  GtkTreeIter iter;
  if (!ItemAt(g, item, &iter)) return;
  Quiet quiet(g);
  gtk_tree_store_remove(Store(g), &iter);
}

void ItemClear(GadgetObject& g) {
  Quiet quiet(g);
  gtk_tree_store_clear(Store(g));
}

int ColumnCount(GadgetObject& g) {
  return static_cast<int>(gtk_tree_view_get_n_columns(View(g)));
}

// A tree has its item's column only; a list as many as it was given.
int ItemWriteText(GadgetObject& g, int item, TextView text, int column) {
  GtkTreeIter iter;
  if (!ItemAt(g, item, &iter) || column < 0 || (column > 0 && column >= ColumnCount(g))) {
    return -1;
  }
  std::vector<std::string> cells = Cells(Model(g), &iter);
  auto cell = static_cast<size_t>(column);
  if (cells.size() <= cell) cells.resize(cell + 1);
  cells[cell] = Utf8(text);
  WriteCells(Store(g), &iter, cells);
  return 0;
}

int ItemStateOf(GadgetObject& g, int item) {
  GtkTreeIter iter;
  if (!ItemAt(g, item, &iter)) return 0;
  gboolean checked = FALSE;
  gtk_tree_model_get(Model(g), &iter, kChecked, &checked, -1);
  GtkTreePath* path = gtk_tree_model_get_path(Model(g), &iter);
  bool expanded = gtk_tree_view_row_expanded(View(g), path);
  gtk_tree_path_free(path);
  bool selected = gtk_tree_selection_iter_is_selected(gtk_tree_view_get_selection(View(g)), &iter);
  return (selected ? KV_Item_Selected : 0) | (checked ? KV_Item_Checked : 0) |
         (expanded ? KV_Item_Expanded : 0);
}

void ItemWriteState(GadgetObject& g, int item, int state) {
  GtkTreeIter iter;
  if (!ItemAt(g, item, &iter)) return;
  Quiet quiet(g);
  GtkTreeSelection* selection = gtk_tree_view_get_selection(View(g));
  if (IsTree(g)) {
    GtkTreePath* path = gtk_tree_model_get_path(Model(g), &iter);
    if (state & KV_Item_Expanded) {
      gtk_tree_view_expand_row(View(g), path, FALSE);
    } else {
      gtk_tree_view_collapse_row(View(g), path);
    }
    gtk_tree_path_free(path);
  }
  bool selected = gtk_tree_selection_iter_is_selected(selection, &iter);
  if (gtk_tree_selection_get_mode(selection) == GTK_SELECTION_MULTIPLE) {
    if (state & KV_Item_Selected) gtk_tree_selection_select_iter(selection, &iter);
    if (!(state & KV_Item_Selected)) gtk_tree_selection_unselect_iter(selection, &iter);
  } else if (state & KV_Item_Selected) {
    SelectOnly(g, &iter);
  } else if (selected) {
    gtk_tree_selection_unselect_all(selection);
  }
  gtk_tree_store_set(Store(g), &iter, kChecked, (state & KV_Item_Checked) != 0, -1);
}

std::intptr_t ItemData(GadgetObject& g, int item) {
  GtkTreeIter iter;
  gint64 data = 0;
  if (ItemAt(g, item, &iter)) gtk_tree_model_get(Model(g), &iter, kData, &data, -1);
  return static_cast<std::intptr_t>(data);
}

void ItemWriteData(GadgetObject& g, int item, std::intptr_t data) {
  GtkTreeIter iter;
  if (ItemAt(g, item, &iter)) {
    gtk_tree_store_set(Store(g), &iter, kData, static_cast<gint64>(data), -1);
  }
}

// ---- Columns -----------------------------------------------------------------------

void ShowCell(GtkTreeViewColumn* column, GtkCellRenderer* renderer, GtkTreeModel* model,
              GtkTreeIter* iter, gpointer) {
  auto cell = static_cast<size_t>(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(column), kColumnKey)));
  std::vector<std::string> cells = Cells(model, iter);
  g_object_set(renderer, "text", cell < cells.size() ? cells[cell].c_str() : "", nullptr);
}

// The user's check mark is the item's own; the click reports itself.
void OnToggled(GtkCellRendererToggle*, gchar* path, gpointer model) {
  GtkTreeIter iter;
  if (!gtk_tree_model_get_iter_from_string(GTK_TREE_MODEL(model), &iter, path)) return;
  gboolean checked = FALSE;
  gtk_tree_model_get(GTK_TREE_MODEL(model), &iter, kChecked, &checked, -1);
  gtk_tree_store_set(GTK_TREE_STORE(model), &iter, kChecked, !checked, -1);
}

GtkTreeViewColumn* NewColumn(GtkTreeView* view, int cell, bool checks) {
  GtkTreeViewColumn* column = gtk_tree_view_column_new();
  g_object_set_data(G_OBJECT(column), kColumnKey, GINT_TO_POINTER(cell));
  if (checks) {
    GtkCellRenderer* mark = gtk_cell_renderer_toggle_new();
    gtk_tree_view_column_pack_start(column, mark, FALSE);
    gtk_tree_view_column_add_attribute(column, mark, "active", kChecked);
    g_signal_connect(mark, "toggled", G_CALLBACK(OnToggled), gtk_tree_view_get_model(view));
  }
  GtkCellRenderer* text = gtk_cell_renderer_text_new();
  gtk_tree_view_column_pack_start(column, text, TRUE);
  gtk_tree_view_column_set_cell_data_func(column, text, ShowCell, nullptr, nullptr);
  return column;
}

// A new column takes the cells at its place from every item; the cells
// after it move on with their columns.
void MoveCellsOn(GadgetObject& g, size_t from) {
  GtkTreeModel* model = Model(g);
  GtkTreeIter iter;
  for (bool more = gtk_tree_model_get_iter_first(model, &iter); more;
       more = gtk_tree_model_iter_next(model, &iter)) {
    std::vector<std::string> cells = Cells(model, &iter);
    if (cells.size() <= from) continue;
    cells.insert(cells.begin() + static_cast<std::ptrdiff_t>(from), std::string());
    WriteCells(Store(g), &iter, cells);
  }
  GList* columns = gtk_tree_view_get_columns(View(g));
  for (GList* item = columns; item; item = item->next) {
    int cell = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item->data), kColumnKey));
    if (cell >= static_cast<int>(from)) {
      g_object_set_data(G_OBJECT(item->data), kColumnKey, GINT_TO_POINTER(cell + 1));
    }
  }
  g_list_free(columns);
}

// The check boxes go in the first column.
void AddColumn(GadgetObject& g, int position, TextView title, int width) {
  int count = ColumnCount(g);
  if (position < 0 || position > count) position = count;
  bool explorer = g.kind->code == GK_EXPLORERLIST;
  bool checks = count == 0 && !explorer && (g.flags & KV_ListIcon_CheckBoxes);
  int reorder = explorer ? KV_Explorer_HeaderDragDrop : KV_ListIcon_HeaderDragDrop;
  MoveCellsOn(g, static_cast<size_t>(position));
  GtkTreeViewColumn* column = NewColumn(View(g), position, checks);
  gtk_tree_view_column_set_title(column, Utf8(title).c_str());
  gtk_tree_view_column_set_resizable(column, TRUE);
  gtk_tree_view_column_set_reorderable(column, (g.flags & reorder) == reorder);
  if (width > 0) {
    gtk_tree_view_column_set_sizing(column, GTK_TREE_VIEW_COLUMN_FIXED);
    gtk_tree_view_column_set_fixed_width(column, width);
  }
  gtk_tree_view_insert_column(View(g), column, position);
}

// ---- Making and events -------------------------------------------------------------

bool Has(int flags, int flag) {
  return (flags & flag) == flag;
}

GtkWidget* InScrolledWindow(GtkWidget* view, bool border) {
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled),
                                      border ? GTK_SHADOW_IN : GTK_SHADOW_NONE);
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  gtk_widget_show(view);
  return scrolled;
}

GtkWidget* NewView() {
  GtkTreeStore* store = gtk_tree_store_new(3, G_TYPE_STRV, G_TYPE_INT64, G_TYPE_BOOLEAN);
  GtkWidget* view = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store));
  g_object_unref(store);
  return view;
}

GtkWidget* MakeList(bool explorer, int flags) {
  GtkWidget* view = NewView();
  int many = explorer ? KV_Explorer_MultiSelect : KV_ListIcon_MultiSelect;
  int grid = explorer ? KV_Explorer_GridLines : KV_ListIcon_GridLines;
  gtk_tree_selection_set_mode(gtk_tree_view_get_selection(GTK_TREE_VIEW(view)),
                              Has(flags, many) ? GTK_SELECTION_MULTIPLE : GTK_SELECTION_SINGLE);
  if (Has(flags, grid)) {
    gtk_tree_view_set_grid_lines(GTK_TREE_VIEW(view), GTK_TREE_VIEW_GRID_LINES_BOTH);
  }
  return InScrolledWindow(view, !(explorer && Has(flags, KV_Explorer_BorderLess)));
}

// A tree shows its items in one column without a header.
GtkWidget* MakeTree(bool explorer, int flags) {
  GtkWidget* view = NewView();
  GtkTreeView* tree = GTK_TREE_VIEW(view);
  bool lines = !Has(flags, explorer ? KV_Explorer_NoLines : KV_Tree_NoLines);
  bool buttons = !Has(flags, explorer ? KV_Explorer_NoButtons : KV_Tree_NoButtons);
  gtk_tree_view_set_headers_visible(tree, FALSE);
  gtk_tree_view_set_enable_tree_lines(tree, lines);
  gtk_tree_view_set_show_expanders(tree, buttons);
  gtk_tree_view_append_column(tree,
                              NewColumn(tree, 0, !explorer && Has(flags, KV_Tree_CheckBoxes)));
  return InScrolledWindow(view, !(explorer && Has(flags, KV_Explorer_BorderLess)));
}

void OnSelectionChanged(GtkTreeSelection* selection, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (!g || Quiet::Active(*g)) return;
  // A list reports an item chosen, a tree any move of its choice.
  if (IsTree(*g) || gtk_tree_selection_count_selected_rows(selection) > 0) {
    QueueGadgetEvent(*g, ET_CHANGE);
  }
}

// Clicks on the items' area; GTK reports a left double-click on an item as
// its activation.
gboolean OnButton(GtkWidget* view, GdkEventButton* event, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (!g || event->window != gtk_tree_view_get_bin_window(GTK_TREE_VIEW(view))) return FALSE;
  bool left = event->button == GDK_BUTTON_PRIMARY;
  if (event->type == GDK_BUTTON_RELEASE && (left || event->button == GDK_BUTTON_SECONDARY)) {
    QueueGadgetEvent(*g, left ? ET_LEFT_CLICK : ET_RIGHT_CLICK);
  } else if (event->type == GDK_2BUTTON_PRESS && event->button == GDK_BUTTON_SECONDARY) {
    QueueGadgetEvent(*g, ET_RIGHT_DOUBLE_CLICK);
  }
  return FALSE;
}

void OnActivated(GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, gpointer data) {
  if (GadgetObject* g = GadgetOfData(data)) QueueGadgetEvent(*g, ET_LEFT_DOUBLE_CLICK);
}

void AttachItemList(GadgetObject& g) {
  GtkTreeView* view = View(g);
  Connect(gtk_tree_view_get_selection(view), "changed", OnSelectionChanged, g);
  Connect(view, "button-press-event", OnButton, g);
  Connect(view, "button-release-event", OnButton, g);
  Connect(view, "row-activated", OnActivated, g);
}

constexpr GadgetKind ItemSlots(int code, bool columns) {
  return {
      .code = code,
      .readState = ItemState,
      .writeState = ItemSelect,
      .readText = ItemListText,
      .writeText = ItemWriteText,
      .insertLevelItem = ItemInsert,
      .deleteItem = ItemDelete,
      .clearItems = ItemClear,
      .itemCount = Count,
      .readItemState = ItemStateOf,
      .writeItemState = ItemWriteState,
      .readItemText = ItemText,
      .writeItemText = ItemWriteText,
      .writeItemData = ItemWriteData,
      .readItemData = ItemData,
      .addColumn = columns ? AddColumn : nullptr,
      .columnCount = columns ? ColumnCount : nullptr,
  };
}

constexpr GadgetKind kComboSlots{
    .code = GK_COMBOBOX,
    .readState = ComboState,
    .writeState = ComboSelect,
    .readText = ComboText,
    .writeText = ComboWriteText,
    .insertItem = ComboInsert,
    .deleteItem = ComboDelete,
    .clearItems = ComboClear,
    .itemCount = ComboCount,
    .readItemText = ComboItemText,
    .writeItemText = ComboWriteItemText,
    .writeItemData = ComboWriteItemData,
    .readItemData = ComboItemData,
    .requiredSize = ComboSize,
};

}  // namespace

}  // namespace kv::gtk

namespace kv::platform {

const KindRecord& ComboBoxRecord() {
  static const KindRecord record{
      .make =
          [](const ControlParams& p) {
            return gtk::MakeCombo(gtk::Has(p.flags, KV_ComboBox_Editable));
          },
      .attach = gtk::AttachCombo,
      .slots = gtk::kComboSlots,
  };
  return record;
}

// The folder-browsing combo box: the combo box with its own flags.
const KindRecord& ExplorerComboRecord() {
  static const KindRecord record{
      .make =
          [](const ControlParams& p) {
            return gtk::MakeCombo(gtk::Has(p.flags, KV_Explorer_Editable));
          },
      .attach = gtk::AttachCombo,
      .slots = gtk::kComboSlots,
  };
  return record;
}

const KindRecord& ListIconRecord() {
  static const KindRecord record{
      .make = [](const ControlParams& p) { return gtk::MakeList(false, p.flags); },
      .attach = gtk::AttachItemList,
      .slots = gtk::ItemSlots(GK_LISTICON, true),
  };
  return record;
}

const KindRecord& TreeRecord() {
  static const KindRecord record{
      .make = [](const ControlParams& p) { return gtk::MakeTree(false, p.flags); },
      .attach = gtk::AttachItemList,
      .slots = gtk::ItemSlots(GK_TREE, false),
  };
  return record;
}

// The folder-browsing list and tree: the list and tree with their own flags.
const KindRecord& ExplorerListRecord() {
  static const KindRecord record{
      .make = [](const ControlParams& p) { return gtk::MakeList(true, p.flags); },
      .attach = gtk::AttachItemList,
      .slots = gtk::ItemSlots(GK_LISTICON, true),
  };
  return record;
}

const KindRecord& ExplorerTreeRecord() {
  static const KindRecord record{
      .make = [](const ControlParams& p) { return gtk::MakeTree(true, p.flags); },
      .attach = gtk::AttachItemList,
      .slots = gtk::ItemSlots(GK_TREE, false),
  };
  return record;
}

}  // namespace kv::platform
