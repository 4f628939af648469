// Panels: a notebook whose every tab holds a slot, a fixed container the
// notebook places; the tab's page is a fixed container inside the slot that
// the core shows and hides. So a page can hide without its tab.
#include "gtk.h"
#include "toolkit/dpi.h"

namespace kv::gtk {

namespace {

constexpr char kOrphanKey[] = "kv-orphan";  // a page whose tab has gone

GtkNotebook* Notebook(Handle panel) { return GTK_NOTEBOOK(Widget(panel)); }

GtkWidget* Slot(Handle panel, int tab) {
  return tab < 0 ? nullptr : gtk_notebook_get_nth_page(Notebook(panel), tab);
}

GtkWidget* PageIn(GtkWidget* slot) {
  if (!slot) return nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(slot));
  auto* page = children ? static_cast<GtkWidget*>(children->data) : nullptr;
  g_list_free(children);
  return page;
}

GtkWidget* ShownPage(Handle panel) {
  return PageIn(Slot(panel, gtk_notebook_get_current_page(Notebook(panel))));
}

// The tab row and the frame: what the notebook asks for around empty slots.
PixelSize Surround(Handle panel) {
  int height = 0;
  gtk_widget_get_preferred_height(Widget(panel), &height, nullptr);
  return {2, height};
}

// Where the notebook puts a slot: where it did, or, before it has placed
// one, the panel less its tab row and frame.
PixelRect PageRect(Handle panel, GtkWidget* slot) {
  GtkAllocation allocation;
  gtk_widget_get_allocation(slot, &allocation);
  if (gtk_widget_get_mapped(slot) && allocation.width > 1) {
    return {0, 0, allocation.width, allocation.height};
  }
  PixelRect outer = ChildRect(Widget(panel));
  PixelSize surround = Surround(panel);
  return {0, 0, std::max(0, outer.width - surround.width),
          std::max(0, outer.height - surround.height)};
}

// The page fills its slot when the notebook has placed the slot at last.
void OnSlotPlaced(GtkWidget* slot, GdkRectangle* allocation, gpointer data) {
  GadgetObject* panel = GadgetOfData(data);
  GtkWidget* page = PageIn(slot);
  if (!panel || !page) return;
  PixelRect rect = ChildRect(page);
  if (rect.width == allocation->width && rect.height == allocation->height) return;
  MoveChild(page, {0, 0, allocation->width, allocation->height});
  if (gtk_widget_get_visible(page)) OnPanelPageResized(*panel);
}

void OnSwitching(GtkNotebook*, GtkWidget*, guint, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (g && !Quiet::Active(*g)) platform::ShowTabPage(g->handle, false);
}

void OnSwitched(GtkNotebook*, GtkWidget*, guint, gpointer data) {
  GadgetObject* g = GadgetOfData(data);
  if (!g || Quiet::Active(*g)) return;
  platform::ShowTabPage(g->handle, true);
  QueueGadgetEvent(*g, ET_CHANGE);
}

GtkWidget* Make(const ControlParams&) {
  GtkWidget* notebook = gtk_notebook_new();
  gtk_notebook_set_scrollable(GTK_NOTEBOOK(notebook), TRUE);
  return notebook;
}

void Attach(GadgetObject& g) {
  Connect(WidgetOf(g), "switch-page", OnSwitching, g);
  g_signal_connect_after(WidgetOf(g), "switch-page", G_CALLBACK(OnSwitched),
                         GINT_TO_POINTER(g.number));
}

int ReadAttribute(GadgetObject& g, int attribute) {
  GtkWidget* page = ShownPage(g.handle);
  if (!page) return 0;
  PixelRect rect = ChildRect(page);
  switch (attribute) {
    case KV_Panel_ItemWidth: return FromPixelsX(rect.width);
    case KV_Panel_ItemHeight: return FromPixelsY(rect.height);
    case KV_Panel_TabHeight: return FromPixelsY(Surround(g.handle).height);
    default: return 0;
  }
}

}  // namespace

bool IsOrphanPage(GtkWidget* widget) {
  return g_object_get_data(G_OBJECT(widget), kOrphanKey) != nullptr;
}

}  // namespace kv::gtk

namespace kv::platform {

using gtk::Notebook;

const KindRecord& PanelRecord() {
  static const KindRecord record{
      .make = gtk::Make,
      .attach = gtk::Attach,
      .slots = {.code = GK_PANEL, .readAttribute = gtk::ReadAttribute},
  };
  return record;
}

int TabCount(Handle panel) { return gtk_notebook_get_n_pages(Notebook(panel)); }

int SelectedTab(Handle panel) { return gtk_notebook_get_current_page(Notebook(panel)); }

void SelectTab(Handle panel, int tab) {
  GadgetObject* g = gtk::GadgetOfWidget(gtk::Widget(panel));
  if (!g || tab < 0) return;
  gtk::Quiet quiet(*g);
  gtk_notebook_set_current_page(Notebook(panel), tab);
}

void ShowTabPage(Handle panel, bool shown) {
  GtkWidget* slot = gtk::Slot(panel, SelectedTab(panel));
  GtkWidget* page = gtk::PageIn(slot);
  if (!page) return;
  gtk_widget_set_sensitive(page, shown);
  if (!shown) {
    gtk_widget_hide(page);
    return;
  }
  PixelRect rect = gtk::PageRect(panel, slot);
  PixelRect was = gtk::ChildRect(page);
  gtk::MoveChild(page, rect);
  gtk_widget_show(page);
  GadgetObject* g = gtk::GadgetOfWidget(gtk::Widget(panel));
  if (g && (rect.width != was.width || rect.height != was.height)) OnPanelPageResized(*g);
}

Handle TabPage(Handle panel, int tab) { return gtk::HandleOf(gtk::PageIn(gtk::Slot(panel, tab))); }

Handle InsertTab(Handle panel, int position, TextView title) {
  GadgetObject* g = gtk::GadgetOfWidget(gtk::Widget(panel));
  if (!g) return 0;
  GtkWidget* slot = gtk::NewFixed();
  GtkWidget* page = gtk::NewFixed();
  gtk::PutChild(slot, page, {});
  gtk_widget_hide(page);
  gtk::Track(page);
  g_signal_connect_after(page, "destroy", G_CALLBACK(+[](GtkWidget* w, gpointer) {
                           gtk::Untrack(w);
                         }), nullptr);
  g_signal_connect(slot, "size-allocate", G_CALLBACK(gtk::OnSlotPlaced),
                   GINT_TO_POINTER(g->number));
  std::string text = gtk::Utf8(title);
  gtk::Quiet quiet(*g);
  int selected = SelectedTab(panel);
  gtk_notebook_insert_page(Notebook(panel), slot, gtk_label_new(text.c_str()), position);
  // The notebook selects a first tab itself; the core selects.
  if (selected >= 0 && position <= selected) selected++;
  if (selected >= 0) gtk_notebook_set_current_page(Notebook(panel), selected);
  return gtk::HandleOf(page);
}

// The page outlives its tab until the core destroys it.
void RemoveTab(Handle panel, int tab) {
  GadgetObject* g = gtk::GadgetOfWidget(gtk::Widget(panel));
  GtkWidget* slot = gtk::Slot(panel, tab);
  if (!g || !slot) return;
  if (GtkWidget* page = gtk::PageIn(slot)) {
    g_object_ref(page);
    g_object_set_data(G_OBJECT(page), gtk::kOrphanKey, GINT_TO_POINTER(1));
    gtk_container_remove(GTK_CONTAINER(slot), page);
  }
  gtk::Quiet quiet(*g);
  gtk_notebook_remove_page(Notebook(panel), tab);
}

Text TabTitle(Handle panel, int tab) {
  GtkWidget* slot = gtk::Slot(panel, tab);
  return slot ? gtk::FromUtf8(gtk_notebook_get_tab_label_text(Notebook(panel), slot)) : Text();
}

void WriteTabTitle(Handle panel, int tab, TextView title) {
  GtkWidget* slot = gtk::Slot(panel, tab);
  std::string text = gtk::Utf8(title);
  if (slot) gtk_notebook_set_tab_label_text(Notebook(panel), slot, text.c_str());
}

}  // namespace kv::platform
