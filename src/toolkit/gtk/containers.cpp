// The platform's side of the gadgets that hold gadgets: fixed containers for
// containers and canvases, a frame drawn around what lies beside it, and the
// borders this backend draws itself. What they do is the core's; here they
// draw and report a canvas's clicks.
#include "gtk.h"

namespace kv::gtk {

namespace {

constexpr char kBorderKey[] = "kv-border";

GdkRGBA ThemeColor(GtkWidget* widget, const char* name, GdkRGBA fallback) {
  GdkRGBA color;
  GtkStyleContext* style = gtk_widget_get_style_context(widget);
  return gtk_style_context_lookup_color(style, name, &color) ? color : fallback;
}

// One ring of a border: the top and left sides in one colour, the bottom
// and right ones in another.
void DrawRing(cairo_t* cr, const PixelRect& r, const GdkRGBA& topLeft, const GdkRGBA& bottomRight) {
  gdk_cairo_set_source_rgba(cr, &topLeft);
  cairo_rectangle(cr, r.x, r.y, r.width, 1);
  cairo_rectangle(cr, r.x, r.y, 1, r.height);
  cairo_fill(cr);
  gdk_cairo_set_source_rgba(cr, &bottomRight);
  cairo_rectangle(cr, r.x, r.y + r.height - 1, r.width, 1);
  cairo_rectangle(cr, r.x + r.width - 1, r.y, 1, r.height);
  cairo_fill(cr);
}

gboolean OnDrawBorder(GtkWidget* widget, cairo_t* cr, gpointer) {
  auto* border = static_cast<Border*>(g_object_get_data(G_OBJECT(widget), kBorderKey));
  if (border) {
    DrawBorder(
        widget, cr,
        {0, 0, gtk_widget_get_allocated_width(widget), gtk_widget_get_allocated_height(widget)},
        *border);
  }
  return FALSE;  // the children are drawn over it
}

int ClickType(const GdkEventButton* event) {
  bool left = event->button == GDK_BUTTON_PRIMARY;
  if (!left && event->button != GDK_BUTTON_SECONDARY) return -1;
  if (event->type == GDK_BUTTON_RELEASE) return left ? ET_LEFT_CLICK : ET_RIGHT_CLICK;
  if (event->type == GDK_2BUTTON_PRESS) return left ? ET_LEFT_DOUBLE_CLICK : ET_RIGHT_DOUBLE_CLICK;
  return -1;
}

// Clicks on a canvas are its own events; a keyboard canvas takes the focus.
gboolean OnCanvasButton(GtkWidget* canvas, GdkEventButton* event, gpointer data) {
  GadgetObject* gadget = GadgetOfData(data);
  if (!gadget) return FALSE;
  if (event->type == GDK_BUTTON_PRESS && gtk_widget_get_can_focus(canvas)) {
    gtk_widget_grab_focus(canvas);
  }
  int type = ClickType(event);
  if (type != -1) QueueGadgetEvent(*gadget, type);
  return type != -1;
}

Border ContainerBorder(int flags) {
  if (flags & KV_Container_Flat) return {BorderStyle::Flat, 1};
  if (flags & KV_Container_Raised) return {BorderStyle::Raised, 1};
  if (flags & (KV_Container_Single | KV_Container_Double)) return {BorderStyle::Sunken, 1};
  return {};
}

GtkWidget* MakeContainer(const ControlParams& params) {
  GtkWidget* container = NewFixed();
  AddBorder(container, ContainerBorder(params.flags));
  return container;
}

// A canvas has a window of its own, to receive the mouse.
GtkWidget* MakeCanvas(const ControlParams& params) {
  GtkWidget* canvas = NewFixed();
  gtk_widget_set_has_window(canvas, TRUE);
  gtk_widget_add_events(canvas, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK);
  gtk_widget_set_can_focus(canvas, (params.flags & KV_Canvas_Keyboard) != 0);
  if (params.flags & KV_Canvas_Border) AddBorder(canvas, {BorderStyle::Flat, 1});
  return canvas;
}

void AttachCanvas(GadgetObject& gadget) {
  GtkWidget* canvas = WidgetOf(gadget);
  Connect(canvas, "button-press-event", OnCanvasButton, gadget);
  Connect(canvas, "button-release-event", OnCanvasButton, gadget);
  if (gtk_widget_get_can_focus(canvas)) ConnectFocus(canvas, gadget);
}

// The frame holds nothing of its own; the fixed container inside keeps it
// from asking for room.
GtkWidget* MakeFrame(const ControlParams& params) {
  std::string caption = Utf8(params.text);
  GtkWidget* frame = gtk_frame_new(params.text.empty() ? nullptr : caption.c_str());
  gtk_container_add(GTK_CONTAINER(frame), NewFixed());
  return frame;
}

GtkWidget* FrameHolder(GtkWidget* frame) {
  return gtk_bin_get_child(GTK_BIN(frame));
}

}  // namespace

void AddBorder(GtkWidget* widget, Border border) {
  if (border.style == BorderStyle::None || border.width <= 0) return;
  g_object_set_data_full(G_OBJECT(widget), kBorderKey, new Border(border),
                         [](gpointer data) { delete static_cast<Border*>(data); });
  g_signal_connect(widget, "draw", G_CALLBACK(OnDrawBorder), nullptr);
}

int BorderWidthOf(GtkWidget* widget) {
  auto* border = static_cast<Border*>(g_object_get_data(G_OBJECT(widget), kBorderKey));
  return border ? border->width : 0;
}

void DrawBorder(GtkWidget* widget, cairo_t* cr, const PixelRect& rect, Border border) {
  GdkRGBA dark = ThemeColor(widget, "borders", {0.6, 0.6, 0.6, 1});
  GdkRGBA light = ThemeColor(widget, "theme_base_color", {1, 1, 1, 1});
  PixelRect ring = rect;
  for (int i = 0; i < border.width && ring.width > 0 && ring.height > 0; ++i) {
    switch (border.style) {
      case BorderStyle::Flat:
        DrawRing(cr, ring, dark, dark);
        break;
      case BorderStyle::Sunken:
        DrawRing(cr, ring, dark, light);
        break;
      case BorderStyle::Raised:
        DrawRing(cr, ring, light, dark);
        break;
      case BorderStyle::None:
        return;
    }
    ring = {ring.x + 1, ring.y + 1, ring.width - 2, ring.height - 2};
  }
}

}  // namespace kv::gtk

namespace kv::platform {

const KindRecord& FrameRecord() {
  static const KindRecord record{.make = gtk::MakeFrame, .holder = gtk::FrameHolder};
  return record;
}

const KindRecord& ContainerRecord() {
  static const KindRecord record{.make = gtk::MakeContainer};
  return record;
}

// A keyboard canvas reports its focus as fields do.
const KindRecord& CanvasRecord() {
  static const KindRecord record{.make = gtk::MakeCanvas, .attach = gtk::AttachCanvas};
  return record;
}

}  // namespace kv::platform
