// Splitters on the platform: a fixed container with a window of its own that
// holds both sides, draws the bar between them and lets the user drag it;
// where the bar may go is the core's.
#include <cmath>

#include "gtk.h"

namespace kv::gtk {

namespace {

// The drag under way: the splitter's gadget and where on the bar it was
// taken.
struct Drag {
  int gadget = -1;
  int grip = 0;
};

Drag& TheDrag() {
  static Drag drag;
  return drag;
}

int Along(const SplitterBar& bar, double x, double y) {
  return static_cast<int>(std::lround(bar.vertical ? x : y));
}

bool OnBar(const SplitterBar& bar, double x, double y) {
  const PixelRect& r = bar.rect;
  return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

gboolean OnDraw(GtkWidget* splitter, cairo_t* cr, gpointer data) {
  GadgetObject* gadget = GadgetOfData(data);
  if (gadget && (gadget->flags & KV_Splitter_Separator)) {
    DrawBorder(splitter, cr, SplitterBarOf(*gadget).rect, {BorderStyle::Raised, 2});
  }
  return FALSE;
}

gboolean OnPress(GtkWidget*, GdkEventButton* event, gpointer data) {
  GadgetObject* gadget = GadgetOfData(data);
  if (!gadget || event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY) {
    return FALSE;
  }
  SplitterBar bar = SplitterBarOf(*gadget);
  if (!OnBar(bar, event->x, event->y)) return FALSE;
  int start = bar.vertical ? bar.rect.x : bar.rect.y;
  TheDrag() = {gadget->number, Along(bar, event->x, event->y) - start};
  return TRUE;
}

// Over the bar the pointer shows which way it moves.
void ShowCursor(GtkWidget* splitter, const SplitterBar& bar, bool over) {
  GdkWindow* window = gtk_widget_get_window(splitter);
  if (!over) {
    gdk_window_set_cursor(window, nullptr);
    return;
  }
  GdkCursor* cursor = gdk_cursor_new_from_name(gtk_widget_get_display(splitter),
                                               bar.vertical ? "col-resize" : "row-resize");
  gdk_window_set_cursor(window, cursor);
  if (cursor) g_object_unref(cursor);
}

gboolean OnMotion(GtkWidget* splitter, GdkEventMotion* event, gpointer data) {
  GadgetObject* gadget = GadgetOfData(data);
  if (!gadget) return FALSE;
  SplitterBar bar = SplitterBarOf(*gadget);
  Drag& drag = TheDrag();
  if (drag.gadget != gadget->number) {
    ShowCursor(splitter, bar, OnBar(bar, event->x, event->y));
    return FALSE;
  }
  OnSplitterDragged(*gadget, Along(bar, event->x, event->y) - drag.grip);
  return TRUE;
}

// The button let go, or the drag taken away.
gboolean OnRelease(GtkWidget*, GdkEvent*, gpointer data) {
  GadgetObject* gadget = GadgetOfData(data);
  if (!gadget || TheDrag().gadget != gadget->number) return FALSE;
  TheDrag() = {};
  return TRUE;
}

GtkWidget* MakeSplitter(const ControlParams&) {
  GtkWidget* splitter = NewFixed();
  gtk_widget_set_has_window(splitter, TRUE);
  gtk_widget_add_events(splitter,
                        GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK);
  return splitter;
}

void AttachSplitter(GadgetObject& gadget) {
  GtkWidget* splitter = WidgetOf(gadget);
  Connect(splitter, "draw", OnDraw, gadget);
  Connect(splitter, "button-press-event", OnPress, gadget);
  Connect(splitter, "motion-notify-event", OnMotion, gadget);
  Connect(splitter, "button-release-event", OnRelease, gadget);
  Connect(splitter, "grab-broken-event", OnRelease, gadget);
}

}  // namespace

}  // namespace kv::gtk

namespace kv::platform {

const KindRecord& SplitterRecord() {
  static const KindRecord record{.make = gtk::MakeSplitter, .attach = gtk::AttachSplitter};
  return record;
}

}  // namespace kv::platform
