// Gadget controls: creation inside the fixed container of their parent,
// the mark that leads from a widget to its gadget, and the generic control
// operations.
#include "gtk.h"

namespace kv {

namespace gtk {

namespace {

constexpr char kGadgetKey[] = "kv-gadget";

void OnControlDestroyed(GtkWidget* widget, gpointer) {
  GadgetObject* gadget = GadgetOfWidget(widget);
  int number = gadget ? gadget->number : -1;
  g_object_set_data(G_OBJECT(widget), kGadgetKey, nullptr);
  Untrack(widget);
  if (number >= 0) OnGadgetDestroyed(number, HandleOf(widget));
}

}  // namespace

ControlData::~ControlData() {
  if (colors) g_object_unref(colors);
}

GadgetObject* GadgetOfWidget(GtkWidget* widget) {
  auto mark = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), kGadgetKey));
  if (!mark) return nullptr;
  GadgetObject* gadget = FindGadgetObject(mark - 1);
  return gadget && WidgetOf(*gadget) == widget ? gadget : nullptr;
}

GtkWidget* HolderOf(Handle handle) {
  if (!Alive(handle)) return nullptr;
  GtkWidget* widget = Widget(handle);
  if (GTK_IS_WINDOW(widget)) return WindowFixed(widget);
  if (IsFixed(widget)) return widget;
  GadgetObject* gadget = GadgetOfWidget(widget);
  if (gadget && gadget->record->holder) return gadget->record->holder(widget);
  return nullptr;
}

PixelSize MeasureText(GtkWidget* widget, TextView text) {
  std::string bytes = Utf8(text);
  PangoLayout* layout = gtk_widget_create_pango_layout(widget, bytes.c_str());
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  return {width, height};
}

PixelSize PreferredSize(GtkWidget* widget) {
  GtkRequisition minimum;
  GtkRequisition natural;
  gtk_widget_get_preferred_size(widget, &minimum, &natural);
  return {natural.width, natural.height};
}

void ConnectFocus(GtkWidget* widget, const GadgetObject& gadget) {
  auto focusIn = +[](GtkWidget*, GdkEvent*, gpointer data) -> gboolean {
    if (GadgetObject* g = GadgetOfData(data)) QueueGadgetEvent(*g, ET_FOCUS);
    return FALSE;
  };
  auto focusOut = +[](GtkWidget*, GdkEvent*, gpointer data) -> gboolean {
    if (GadgetObject* g = GadgetOfData(data)) QueueGadgetEvent(*g, ET_LOST_FOCUS);
    return FALSE;
  };
  Connect(widget, "focus-in-event", focusIn, gadget);
  Connect(widget, "focus-out-event", focusOut, gadget);
}

namespace {
int quietGadget = -1;
}  // namespace

Quiet::Quiet(const GadgetObject& gadget) : number_(gadget.number), previous_(quietGadget) {
  quietGadget = number_;
}
Quiet::~Quiet() { quietGadget = previous_; }
bool Quiet::Active(const GadgetObject& gadget) { return quietGadget == gadget.number; }

}  // namespace gtk

namespace platform {

using gtk::Widget;

void InitGadgets() { gtk::Available(); }
void EndGadgets() {}

const GadgetKind& KindSlots(const KindRecord& record) { return record.slots; }

Handle CreateControl(const ControlParams& params) {
  GtkWidget* holder = gtk::HolderOf(params.parent);
  if (!holder) return 0;
  GtkWidget* widget = params.record->make ? params.record->make(params) : nullptr;
  if (!widget) return 0;
  gtk::PutChild(holder, widget, params.rect);
  gtk_widget_show(widget);
  gtk::Track(widget);
  g_signal_connect_after(widget, "destroy", G_CALLBACK(gtk::OnControlDestroyed), nullptr);
  return gtk::HandleOf(widget);
}

void AttachGadget(GadgetObject& gadget) {
  gadget.data = std::make_unique<gtk::ControlData>();
  g_object_set_data(G_OBJECT(gtk::WidgetOf(gadget)), gtk::kGadgetKey,
                    GINT_TO_POINTER(gadget.number + 1));
  if (gadget.record->attach) gadget.record->attach(gadget);
}

PixelRect ControlRect(Handle control) { return gtk::ChildRect(Widget(control)); }

void MoveControl(Handle control, const PixelRect& rect) { gtk::MoveChild(Widget(control), rect); }

void ShowControl(Handle handle, bool visible) { gtk_widget_set_visible(Widget(handle), visible); }

void EnableHandle(Handle handle, bool enabled) { gtk_widget_set_sensitive(Widget(handle), enabled); }

// GTK draws once a frame whatever changed in between.
void SetRedraw(Handle, bool) {}

void SetTip(Handle control, TextView text) {
  std::string tip = gtk::Utf8(text);
  gtk_widget_set_tooltip_text(Widget(control), text.empty() ? nullptr : tip.c_str());
}

PixelSize TextExtent(Handle control, TextView text) {
  return gtk::MeasureText(Widget(control), text);
}

void AdoptControl(Handle parent, Handle control) {
  GtkWidget* holder = gtk::HolderOf(parent);
  GtkWidget* widget = Widget(control);
  GtkWidget* old = gtk_widget_get_parent(widget);
  if (!holder || old == holder) return;
  PixelRect rect = gtk::ChildRect(widget);
  g_object_ref(widget);
  if (old) gtk_container_remove(GTK_CONTAINER(old), widget);
  gtk::PutChild(holder, widget, rect);
  g_object_unref(widget);
}

void RepaintControl(Handle control) { gtk_widget_queue_draw(Widget(control)); }

// The text a widget shows as its own: a window's title, a button's or
// label's text, an entry's content.
Text ReadText(Handle handle) {
  GtkWidget* widget = Widget(handle);
  if (GTK_IS_WINDOW(widget)) return gtk::FromUtf8(gtk_window_get_title(GTK_WINDOW(widget)));
  if (GTK_IS_BUTTON(widget)) return gtk::FromUtf8(gtk_button_get_label(GTK_BUTTON(widget)));
  if (GTK_IS_LABEL(widget)) return gtk::FromUtf8(gtk_label_get_text(GTK_LABEL(widget)));
  if (GTK_IS_ENTRY(widget)) return gtk::FromUtf8(gtk_entry_get_text(GTK_ENTRY(widget)));
  if (GTK_IS_FRAME(widget)) return gtk::FromUtf8(gtk_frame_get_label(GTK_FRAME(widget)));
  return {};
}

void WriteText(Handle handle, TextView text) {
  GtkWidget* widget = Widget(handle);
  std::string bytes = gtk::Utf8(text);
  if (GTK_IS_WINDOW(widget)) gtk_window_set_title(GTK_WINDOW(widget), bytes.c_str());
  if (GTK_IS_BUTTON(widget)) gtk_button_set_label(GTK_BUTTON(widget), bytes.c_str());
  if (GTK_IS_LABEL(widget)) gtk_label_set_text(GTK_LABEL(widget), bytes.c_str());
  if (GTK_IS_ENTRY(widget)) gtk_entry_set_text(GTK_ENTRY(widget), bytes.c_str());
  if (GTK_IS_FRAME(widget)) gtk_frame_set_label(GTK_FRAME(widget), bytes.c_str());
}

}  // namespace platform
}  // namespace kv
