// The model behind list views: a count of rows that hold nothing, since the
// core keeps their texts. Thousands of rows go in by raising the count, where
// a list store would link and announce each one.
#include "gtk.h"

namespace kv::gtk {

namespace {

struct KvRows {
  GObject parent;
  gint count;
};
struct KvRowsClass {
  GObjectClass parent;
};

void ImplementTreeModel(GtkTreeModelIface* iface);

G_DEFINE_TYPE_WITH_CODE(KvRows, kv_rows, G_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(GTK_TYPE_TREE_MODEL, ImplementTreeModel))

KvRows* Rows(GtkTreeModel* model) { return reinterpret_cast<KvRows*>(model); }

// An iterator is the row's place, valid until the rows change.
constexpr gint kStamp = 1;
gint PlaceOf(GtkTreeIter* iter) { return GPOINTER_TO_INT(iter->user_data); }

gboolean Point(KvRows* rows, GtkTreeIter* iter, gint place) {
  if (place < 0 || place >= rows->count) {
    iter->stamp = 0;
    return FALSE;
  }
  iter->stamp = kStamp;
  iter->user_data = GINT_TO_POINTER(place);
  return TRUE;
}

GtkTreeModelFlags Flags(GtkTreeModel*) { return GTK_TREE_MODEL_LIST_ONLY; }
gint Columns(GtkTreeModel*) { return 1; }
GType ColumnType(GtkTreeModel*, gint) { return G_TYPE_BOOLEAN; }

gboolean IterAtPath(GtkTreeModel* model, GtkTreeIter* iter, GtkTreePath* path) {
  if (gtk_tree_path_get_depth(path) != 1) return FALSE;
  return Point(Rows(model), iter, gtk_tree_path_get_indices(path)[0]);
}

GtkTreePath* PathOf(GtkTreeModel*, GtkTreeIter* iter) {
  return gtk_tree_path_new_from_indices(PlaceOf(iter), -1);
}

void Value(GtkTreeModel*, GtkTreeIter*, gint, GValue* value) {
  g_value_init(value, G_TYPE_BOOLEAN);
}

gboolean Next(GtkTreeModel* model, GtkTreeIter* iter) {
  return Point(Rows(model), iter, PlaceOf(iter) + 1);
}

gboolean Previous(GtkTreeModel* model, GtkTreeIter* iter) {
  return Point(Rows(model), iter, PlaceOf(iter) - 1);
}

gboolean Children(GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent) {
  return Point(Rows(model), iter, parent ? -1 : 0);
}

gboolean HasChildren(GtkTreeModel*, GtkTreeIter*) { return FALSE; }

gint ChildCount(GtkTreeModel* model, GtkTreeIter* iter) { return iter ? 0 : Rows(model)->count; }

gboolean NthChild(GtkTreeModel* model, GtkTreeIter* iter, GtkTreeIter* parent, gint n) {
  return Point(Rows(model), iter, parent ? -1 : n);
}

gboolean Parent(GtkTreeModel*, GtkTreeIter* iter, GtkTreeIter*) {
  iter->stamp = 0;
  return FALSE;
}

void ImplementTreeModel(GtkTreeModelIface* iface) {
  iface->get_flags = Flags;
  iface->get_n_columns = Columns;
  iface->get_column_type = ColumnType;
  iface->get_iter = IterAtPath;
  iface->get_path = PathOf;
  iface->get_value = Value;
  iface->iter_next = Next;
  iface->iter_previous = Previous;
  iface->iter_children = Children;
  iface->iter_has_child = HasChildren;
  iface->iter_n_children = ChildCount;
  iface->iter_nth_child = NthChild;
  iface->iter_parent = Parent;
}

void kv_rows_class_init(KvRowsClass*) {}
void kv_rows_init(KvRows*) {}

}  // namespace

GtkTreeModel* NewRowModel() { return GTK_TREE_MODEL(g_object_new(kv_rows_get_type(), nullptr)); }

void InsertRow(GtkTreeModel* model, int place) {
  KvRows* rows = Rows(model);
  place = place < 0 || place > rows->count ? rows->count : place;
  ++rows->count;
  GtkTreeIter iter;
  Point(rows, &iter, place);
  GtkTreePath* path = gtk_tree_path_new_from_indices(place, -1);
  gtk_tree_model_row_inserted(model, path, &iter);
  gtk_tree_path_free(path);
}

void AddRowsUnseen(GtkTreeModel* model, int count) { Rows(model)->count += count; }

void RemoveRow(GtkTreeModel* model, int place) {
  KvRows* rows = Rows(model);
  if (place < 0 || place >= rows->count) return;
  --rows->count;
  GtkTreePath* path = gtk_tree_path_new_from_indices(place, -1);
  gtk_tree_model_row_deleted(model, path);
  gtk_tree_path_free(path);
}

}  // namespace kv::gtk
