// The fixed-position container: GtkFixed places a child at its position but
// at no less than the size the child asks for, and asks for the room of all
// its children itself. Here the dialog engine's rectangle is final.
#include "gtk.h"

namespace kv::gtk {

namespace {

constexpr char kRectKey[] = "kv-rect";

// As the platform makes them, a control given a size below zero is empty.
PixelRect NotNegative(PixelRect rect) {
  rect.width = std::max(0, rect.width);
  rect.height = std::max(0, rect.height);
  return rect;
}

struct KvFixed {
  GtkFixed parent;
};
struct KvFixedClass {
  GtkFixedClass parent;
};

G_DEFINE_TYPE(KvFixed, kv_fixed, GTK_TYPE_FIXED)

void NoRoom(GtkWidget*, gint* minimum, gint* natural) { *minimum = *natural = 0; }

void Allocate(GtkWidget* fixed, GtkAllocation* allocation) {
  gtk_widget_set_allocation(fixed, allocation);
  if (gtk_widget_get_has_window(fixed) && gtk_widget_get_realized(fixed)) {
    gdk_window_move_resize(gtk_widget_get_window(fixed), allocation->x, allocation->y,
                           allocation->width, allocation->height);
  }
  bool ownWindow = gtk_widget_get_has_window(fixed);
  GList* children = gtk_container_get_children(GTK_CONTAINER(fixed));
  for (GList* item = children; item; item = item->next) {
    auto* child = static_cast<GtkWidget*>(item->data);
    if (!gtk_widget_get_visible(child)) continue;
    PixelRect rect = ChildRect(child);
    GtkRequisition ignored;
    gtk_widget_get_preferred_size(child, &ignored, nullptr);  // GTK wants it asked first
    GtkAllocation place{rect.x, rect.y, rect.width, rect.height};
    if (!ownWindow) {
      place.x += allocation->x;
      place.y += allocation->y;
    }
    gtk_widget_size_allocate(child, &place);
  }
  g_list_free(children);
}

void kv_fixed_class_init(KvFixedClass* type) {
  GtkWidgetClass* widget = GTK_WIDGET_CLASS(type);
  widget->get_preferred_width = NoRoom;
  widget->get_preferred_height = NoRoom;
  widget->size_allocate = Allocate;
  // The program's style rules name it, so they reach only its gadgets.
  gtk_widget_class_set_css_name(widget, "kvfixed");
}

void kv_fixed_init(KvFixed*) {}

// An empty control shows nothing, and GTK is not asked to draw it.
void ShowIfNotEmpty(GtkWidget* child, const PixelRect& rect) {
  gtk_widget_set_child_visible(child, rect.width > 0 && rect.height > 0);
}

}  // namespace

GtkWidget* NewFixed() {
  GtkWidget* fixed = GTK_WIDGET(g_object_new(kv_fixed_get_type(), nullptr));
  gtk_widget_show(fixed);
  return fixed;
}

bool IsFixed(GtkWidget* widget) {
  return widget && G_TYPE_CHECK_INSTANCE_TYPE(widget, kv_fixed_get_type());
}

void PutChild(GtkWidget* fixed, GtkWidget* child, const PixelRect& rect) {
  g_object_set_data_full(G_OBJECT(child), kRectKey, new PixelRect(NotNegative(rect)),
                         [](gpointer data) { delete static_cast<PixelRect*>(data); });
  gtk_fixed_put(GTK_FIXED(fixed), child, rect.x, rect.y);
  ShowIfNotEmpty(child, rect);
}

void MoveChild(GtkWidget* child, const PixelRect& rect) {
  auto* stored = static_cast<PixelRect*>(g_object_get_data(G_OBJECT(child), kRectKey));
  if (!stored) return;
  *stored = NotNegative(rect);
  ShowIfNotEmpty(child, rect);
  gtk_widget_queue_resize(child);
}

PixelRect ChildRect(GtkWidget* child) {
  if (auto* stored = static_cast<PixelRect*>(g_object_get_data(G_OBJECT(child), kRectKey))) {
    return *stored;
  }
  GtkAllocation allocation;
  gtk_widget_get_allocation(child, &allocation);
  return {allocation.x, allocation.y, allocation.width, allocation.height};
}

}  // namespace kv::gtk
