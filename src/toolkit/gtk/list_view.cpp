// List views: a tree view over a model of rows that hold no text. The core
// keeps the rows' texts (ListRowText) and the one column draws them as it
// shows each row, so a fill of thousands of rows converts only what shows.
#include "gtk.h"

namespace kv::gtk {

namespace {

GtkTreeView* View(const GadgetObject& g) { return GTK_TREE_VIEW(ScrolledChild(g)); }
GtkTreeView* View(Handle list) {
  return GTK_TREE_VIEW(gtk_bin_get_child(GTK_BIN(Widget(list))));
}
GtkTreeModel* Model(const GadgetObject& g) { return gtk_tree_view_get_model(View(g)); }
bool IterOf(const GadgetObject& g, int row, GtkTreeIter* iter) {
  return row >= 0 && gtk_tree_model_iter_nth_child(Model(g), iter, nullptr, row);
}
GtkTreeSelection* Selection(const GadgetObject& g) { return gtk_tree_view_get_selection(View(g)); }

std::vector<int> SelectedRows(GadgetObject& g) {
  std::vector<int> rows;
  GList* paths = gtk_tree_selection_get_selected_rows(Selection(g), nullptr);
  for (GList* path = paths; path; path = path->next) {
    rows.push_back(gtk_tree_path_get_indices(static_cast<GtkTreePath*>(path->data))[0]);
  }
  g_list_free_full(paths, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
  return rows;
}

int RowOf(GtkTreeModel* model, GtkTreeIter* iter) {
  GtkTreePath* path = gtk_tree_model_get_path(model, iter);
  int row = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  return row;
}

void DrawRow(GtkTreeViewColumn*, GtkCellRenderer* cell, GtkTreeModel* model, GtkTreeIter* iter,
             gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  std::string text = g ? Utf8(ListRowText(*g, RowOf(model, iter))) : std::string();
  g_object_set(cell, "text", text.c_str(), nullptr);
}

GtkWidget* Make(const ControlParams& params) {
  GtkTreeModel* rows = NewRowModel();
  GtkWidget* view = gtk_tree_view_new_with_model(rows);
  g_object_unref(rows);
  GtkTreeView* tree = GTK_TREE_VIEW(view);
  gtk_tree_view_set_headers_visible(tree, FALSE);
  gtk_tree_view_set_enable_search(tree, FALSE);
  GtkTreeSelection* selection = gtk_tree_view_get_selection(tree);
  bool many = params.flags & (KV_ListView_MultiSelect | KV_ListView_ClickSelect);
  gtk_tree_selection_set_mode(selection, many ? GTK_SELECTION_MULTIPLE : GTK_SELECTION_SINGLE);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC,
                                 GTK_POLICY_AUTOMATIC);
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  gtk_widget_show(view);
  return scrolled;
}

void OnSelectionChanged(GtkTreeSelection*, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (g && !Quiet::Active(*g)) QueueGadgetEvent(*g, ET_LEFT_CLICK);
}

void OnActivated(GtkTreeView*, GtkTreePath*, GtkTreeViewColumn*, gpointer data) {
  if (GadgetObject* g = GadgetOfData(data)) QueueGadgetEvent(*g, ET_LEFT_DOUBLE_CLICK);
}

// A click that leaves the selection as it was is still a click, as it is on
// the platform's other list boxes; a right click is reported too. Clicks on
// a list whose every click toggles its row are made here.
gboolean OnPress(GtkWidget* view, GdkEventButton* event, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (!g || event->type != GDK_BUTTON_PRESS) return FALSE;
  GtkTreePath* path = nullptr;
  if (!gtk_tree_view_get_path_at_pos(GTK_TREE_VIEW(view), static_cast<int>(event->x),
                                     static_cast<int>(event->y), &path, nullptr, nullptr,
                                     nullptr)) {
    return FALSE;
  }
  GtkTreeSelection* selection = Selection(*g);
  bool selected = gtk_tree_selection_path_is_selected(selection, path);
  bool handled = false;
  if (event->button == GDK_BUTTON_SECONDARY) {
    QueueGadgetEvent(*g, ET_RIGHT_CLICK);
  } else if (event->button == GDK_BUTTON_PRIMARY && (g->flags & KV_ListView_ClickSelect)) {
    gtk_tree_view_set_cursor(GTK_TREE_VIEW(view), path, nullptr, FALSE);
    {
      Quiet quiet(*g);
      if (selected) {
        gtk_tree_selection_unselect_path(selection, path);
      } else {
        gtk_tree_selection_select_path(selection, path);
      }
    }
    QueueGadgetEvent(*g, ET_LEFT_CLICK);
    handled = true;
  } else if (event->button == GDK_BUTTON_PRIMARY && selected) {
    QueueGadgetEvent(*g, ET_LEFT_CLICK);
  }
  gtk_tree_path_free(path);
  return handled;
}

void Attach(GadgetObject& g) {
  GtkTreeView* view = View(g);
  GtkCellRenderer* cell = gtk_cell_renderer_text_new();
  GtkTreeViewColumn* column = gtk_tree_view_column_new();
  gtk_tree_view_column_pack_start(column, cell, TRUE);
  gtk_tree_view_column_set_cell_data_func(column, cell, DrawRow, GINT_TO_POINTER(g.number),
                                          nullptr);
  gtk_tree_view_column_set_sizing(column, GTK_TREE_VIEW_COLUMN_FIXED);
  gtk_tree_view_column_set_expand(column, TRUE);
  gtk_tree_view_append_column(view, column);
  // Rows are all one height: only the rows in view are measured.
  gtk_tree_view_set_fixed_height_mode(view, TRUE);
  Connect(Selection(g), "changed", OnSelectionChanged, g);
  Connect(view, "row-activated", OnActivated, g);
  Connect(view, "button-press-event", OnPress, g);
}


int ReadState(GadgetObject& g) {
  std::vector<int> rows = SelectedRows(g);
  return rows.empty() ? -1 : rows.front();
}

void WriteState(GadgetObject& g, int item) {
  Quiet quiet(g);
  GtkTreeSelection* selection = Selection(g);
  gtk_tree_selection_unselect_all(selection);
  GtkTreeIter iter;
  if (!IterOf(g, item, &iter)) return;
  gtk_tree_selection_select_iter(selection, &iter);
  platform::FocusListRow(g.handle, item);
}

int InsertItem(GadgetObject& g, int position, TextView) {
  Quiet quiet(g);
  InsertRow(Model(g), position);
  return 0;
}

// Off the view while it grows, so the view sees one change.
void AppendItems(GadgetObject& g, std::span<const Text> texts) {
  Quiet quiet(g);
  GtkTreeView* view = View(g);
  GtkTreeModel* rows = Model(g);
  g_object_ref(rows);
  gtk_tree_view_set_model(view, nullptr);
  AddRowsUnseen(rows, static_cast<int>(texts.size()));
  gtk_tree_view_set_model(view, rows);
  g_object_unref(rows);
}

// The view selects a neighbour of a removed row that held the cursor; the
// platform's list leaves the other rows' selection as it was.
void DeleteItem(GadgetObject& g, int item) {
  Quiet quiet(g);
  GtkTreeIter iter;
  if (!IterOf(g, item, &iter)) return;
  std::vector<int> selected = SelectedRows(g);
  RemoveRow(Model(g), item);
  GtkTreeSelection* selection = Selection(g);
  gtk_tree_selection_unselect_all(selection);
  for (int row : selected) {
    if (row == item) continue;
    GtkTreePath* path = gtk_tree_path_new_from_indices(row > item ? row - 1 : row, -1);
    gtk_tree_selection_select_path(selection, path);
    gtk_tree_path_free(path);
  }
}

// An empty model in place of the full one, which the view lets go at once
// rather than row by row.
void ClearItems(GadgetObject& g) {
  Quiet quiet(g);
  GtkTreeModel* empty = NewRowModel();
  gtk_tree_view_set_model(View(g), empty);
  g_object_unref(empty);
}

int ItemCount(GadgetObject& g) { return gtk_tree_model_iter_n_children(Model(g), nullptr); }

int ReadItemState(GadgetObject& g, int item) {
  GtkTreeIter iter;
  return IterOf(g, item, &iter) && gtk_tree_selection_iter_is_selected(Selection(g), &iter);
}

void WriteItemState(GadgetObject& g, int item, int state) {
  GtkTreeIter iter;
  if (!IterOf(g, item, &iter)) return;
  Quiet quiet(g);
  if (state) {
    gtk_tree_selection_select_iter(Selection(g), &iter);
  } else {
    gtk_tree_selection_unselect_iter(Selection(g), &iter);
  }
}

int RowHeight(GadgetObject& g) {
  GtkTreeViewColumn* column = gtk_tree_view_get_column(View(g), 0);
  int height = 0;
  gtk_tree_view_column_cell_get_size(column, nullptr, nullptr, nullptr, nullptr, &height);
  return std::max(height, MeasureText(WidgetOf(g), u"Hg").height);
}

}  // namespace

}  // namespace kv::gtk

namespace kv::platform {

// Moves the cursor without touching the selection, as the platform's list
// box moves its caret.
void FocusListRow(Handle list, int row) {
  GtkTreeView* view = gtk::View(list);
  GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
  GtkTreeSelection* selection = gtk_tree_view_get_selection(view);
  GtkSelectionMode mode = gtk_tree_selection_get_mode(selection);
  GadgetObject* g = gtk::GadgetOfWidget(gtk::Widget(list));
  if (g) {
    gtk::Quiet quiet(*g);
    // Setting the cursor selects its row unless the selection is free.
    GList* kept = gtk_tree_selection_get_selected_rows(selection, nullptr);
    gtk_tree_selection_set_mode(selection, GTK_SELECTION_MULTIPLE);
    gtk_tree_view_set_cursor(view, path, nullptr, FALSE);
    gtk_tree_selection_unselect_all(selection);
    for (GList* item = kept; item; item = item->next) {
      gtk_tree_selection_select_path(selection, static_cast<GtkTreePath*>(item->data));
    }
    gtk_tree_selection_set_mode(selection, mode);
    g_list_free_full(kept, reinterpret_cast<GDestroyNotify>(gtk_tree_path_free));
  }
  gtk_tree_path_free(path);
}

int CurrentListRow(Handle list) {
  GtkTreeView* view = gtk::View(list);
  GtkTreeSelection* selection = gtk_tree_view_get_selection(view);
  if (gtk_tree_selection_get_mode(selection) != GTK_SELECTION_MULTIPLE) {
    GtkTreeModel* model = nullptr;
    GtkTreeIter iter;
    if (!gtk_tree_selection_get_selected(selection, &model, &iter)) return -1;
    return gtk::RowOf(model, &iter);
  }
  GtkTreePath* path = nullptr;
  gtk_tree_view_get_cursor(view, &path, nullptr);
  if (!path) return -1;
  int row = gtk_tree_path_get_indices(path)[0];
  gtk_tree_path_free(path);
  return row;
}

const KindRecord& ListViewRecord() {
  static const KindRecord record{
      .make = gtk::Make,
      .attach = gtk::Attach,
      .slots = {
          .code = GK_LISTVIEW,
          .readState = gtk::ReadState,
          .writeState = gtk::WriteState,
          .insertItem = gtk::InsertItem,
          .appendItems = gtk::AppendItems,
          .deleteItem = gtk::DeleteItem,
          .clearItems = gtk::ClearItems,
          .itemCount = gtk::ItemCount,
          .readItemState = gtk::ReadItemState,
          .writeItemState = gtk::WriteItemState,
          .showColor = gtk::ShowColor,
          .rowHeight = gtk::RowHeight,
      },
  };
  return record;
}

}  // namespace kv::platform
