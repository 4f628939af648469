// Scroll areas on the platform: an outer fixed container with the border and
// two scroll bars, and a clipping window in it through which the inner fixed
// container, which holds the gadgets, shows as it moves.
#include <cmath>

#include "gtk.h"

namespace kv {

namespace gtk {

namespace {

constexpr char kPartsKey[] = "kv-scroll-parts";
constexpr int kWheelLines = 3;

struct ScrollParts {
  GtkWidget* clip = nullptr;
  GtkWidget* inner = nullptr;
  GtkWidget* bars[2] = {nullptr, nullptr};  // horizontal, vertical
};

ScrollParts& PartsOf(GtkWidget* area) {
  return *static_cast<ScrollParts*>(g_object_get_data(G_OBJECT(area), kPartsKey));
}

// The bar leaves the move to the core, whose view it then shows.
gboolean OnBarMove(GtkRange* bar, GtkScrollType type, double value, gpointer data) {
  GadgetObject* area = GadgetOfData(data);
  if (!area) return FALSE;
  bool vertical = gtk_orientable_get_orientation(GTK_ORIENTABLE(bar)) == GTK_ORIENTATION_VERTICAL;
  OnScrollAreaScrolled(*area, vertical, MoveOf(type), static_cast<int>(std::lround(value)));
  return TRUE;
}

// A value set on the bar other than by the view shown.
void OnBarValue(GtkRange* bar, gpointer data) {
  GadgetObject* area = GadgetOfData(data);
  if (!area || Quiet::Active(*area)) return;
  bool vertical = gtk_orientable_get_orientation(GTK_ORIENTABLE(bar)) == GTK_ORIENTATION_VERTICAL;
  auto position = static_cast<int>(std::lround(gtk_range_get_value(bar)));
  OnScrollAreaScrolled(*area, vertical, ScrollMove::To, position);
}

// A wheel turn moves three lines.
gboolean OnWheel(GtkWidget*, GdkEventScroll* event, gpointer data) {
  GadgetObject* area = GadgetOfData(data);
  if (!area) return FALSE;
  double dx = 0;
  double dy = 0;
  if (!gdk_event_get_scroll_deltas(reinterpret_cast<GdkEvent*>(event), &dx, &dy)) {
    dx = event->direction == GDK_SCROLL_LEFT ? -1 : event->direction == GDK_SCROLL_RIGHT;
    dy = event->direction == GDK_SCROLL_UP ? -1 : event->direction == GDK_SCROLL_DOWN;
  }
  bool vertical = dy != 0;
  if (!vertical && dx == 0) return FALSE;
  ScrollMove move = (vertical ? dy : dx) < 0 ? ScrollMove::LineBack : ScrollMove::LineForward;
  for (int i = 0; i < kWheelLines; ++i) OnScrollAreaScrolled(*area, vertical, move);
  return TRUE;
}

Border AreaBorder(int flags) {
  if (flags & KV_ScrollArea_BorderLess) return {};
  if (flags & KV_ScrollArea_Flat) return {BorderStyle::Flat, 1};
  if (flags & KV_ScrollArea_Single) return {BorderStyle::Sunken, 1};
  if (flags & KV_ScrollArea_Raised) return {BorderStyle::Raised, 2};
  return {BorderStyle::Sunken, 2};
}

GtkWidget* NewBar(GtkWidget* area, GtkOrientation orientation) {
  GtkWidget* bar = gtk_scrollbar_new(orientation, nullptr);
  PutChild(area, bar, {});  // hidden until a view needs it
  return bar;
}

void UntrackInner(GtkWidget* inner, gpointer) {
  Untrack(inner);
}

// The inner container holds gadgets, so handles to it are checked as the
// gadgets' are.
GtkWidget* MakeScrollArea(const ControlParams& params) {
  GtkWidget* area = NewFixed();
  AddBorder(area, AreaBorder(params.flags));
  auto* parts = new ScrollParts;
  parts->clip = NewFixed();
  gtk_widget_set_has_window(parts->clip, TRUE);
  gtk_widget_add_events(parts->clip, GDK_SCROLL_MASK);
  PutChild(area, parts->clip, {});
  parts->inner = NewFixed();
  PutChild(parts->clip, parts->inner, {});
  Track(parts->inner);
  g_signal_connect(parts->inner, "destroy", G_CALLBACK(UntrackInner), nullptr);
  parts->bars[0] = NewBar(area, GTK_ORIENTATION_HORIZONTAL);
  parts->bars[1] = NewBar(area, GTK_ORIENTATION_VERTICAL);
  g_object_set_data_full(G_OBJECT(area), kPartsKey, parts,
                         [](gpointer data) { delete static_cast<ScrollParts*>(data); });
  return area;
}

void AttachScrollArea(GadgetObject& g) {
  ScrollParts& parts = PartsOf(WidgetOf(g));
  for (GtkWidget* bar : parts.bars) {
    Connect(bar, "change-value", OnBarMove, g);
    Connect(bar, "value-changed", OnBarValue, g);
  }
  Connect(parts.clip, "scroll-event", OnWheel, g);
}

PixelSize LeastSize(GtkWidget* widget) {
  GtkRequisition least;
  gtk_widget_get_preferred_size(widget, &least, nullptr);
  return {least.width, least.height};
}

// A bar squeezed below its own least size would not work; it stays hidden.
void ShowBar(GtkWidget* bar, bool shown, const PixelRect& rect, int inner, int page, int position) {
  PixelSize least = LeastSize(bar);
  shown = shown && rect.width >= least.width && rect.height >= least.height;
  gtk_widget_set_visible(bar, shown);
  if (!shown) return;
  MoveChild(bar, rect);
  GtkAdjustment* adjustment = gtk_range_get_adjustment(GTK_RANGE(bar));
  gtk_adjustment_configure(adjustment, position, 0, inner, 1, page, page);
}

}  // namespace

ScrollMove MoveOf(GtkScrollType type) {
  switch (type) {
    case GTK_SCROLL_STEP_BACKWARD:
    case GTK_SCROLL_STEP_UP:
    case GTK_SCROLL_STEP_LEFT:
      return ScrollMove::LineBack;
    case GTK_SCROLL_STEP_FORWARD:
    case GTK_SCROLL_STEP_DOWN:
    case GTK_SCROLL_STEP_RIGHT:
      return ScrollMove::LineForward;
    case GTK_SCROLL_PAGE_BACKWARD:
    case GTK_SCROLL_PAGE_UP:
    case GTK_SCROLL_PAGE_LEFT:
      return ScrollMove::PageBack;
    case GTK_SCROLL_PAGE_FORWARD:
    case GTK_SCROLL_PAGE_DOWN:
    case GTK_SCROLL_PAGE_RIGHT:
      return ScrollMove::PageForward;
    default:
      return ScrollMove::To;
  }
}

}  // namespace gtk

namespace platform {

const KindRecord& ScrollAreaRecord() {
  static const KindRecord record{.make = gtk::MakeScrollArea, .attach = gtk::AttachScrollArea};
  return record;
}

Handle ScrollAreaInner(Handle area) {
  return gtk::HandleOf(gtk::PartsOf(gtk::Widget(area)).inner);
}

// A size below empty is empty.
PixelSize ScrollAreaRoom(Handle area) {
  GtkWidget* widget = gtk::Widget(area);
  PixelRect rect = gtk::ChildRect(widget);
  int border = gtk::BorderWidthOf(widget);
  return {std::max(0, std::max(0, rect.width) - 2 * border),
          std::max(0, std::max(0, rect.height) - 2 * border)};
}

// GTK's own measure of a scroll bar, taken once.
PixelSize ScrollBarSize() {
  static PixelSize size = [] {
    if (!gtk::Available()) return PixelSize{};
    GtkWidget* bar = g_object_ref_sink(gtk_scrollbar_new(GTK_ORIENTATION_VERTICAL, nullptr));
    int across = gtk::PreferredSize(bar).width;
    gtk_widget_destroy(bar);
    g_object_unref(bar);
    return PixelSize{across, across};
  }();
  return size;
}

void ShowScrollView(Handle area, const ScrollView& view) {
  GtkWidget* widget = gtk::Widget(area);
  gtk::ScrollParts& parts = gtk::PartsOf(widget);
  auto quiet = gtk::QuietFor(widget);
  int border = gtk::BorderWidthOf(widget);
  PixelSize bar = ScrollBarSize();
  PixelRect shown{border, border, view.shown.width, view.shown.height};
  gtk::MoveChild(parts.clip, shown);
  gtk::MoveChild(parts.inner, {-view.x, -view.y, view.inner.width, view.inner.height});
  gtk::ShowBar(parts.bars[0], view.horizontalBar,
               {shown.x, shown.y + shown.height, shown.width, bar.height}, view.inner.width,
               shown.width, view.x);
  gtk::ShowBar(parts.bars[1], view.verticalBar,
               {shown.x + shown.width, shown.y, bar.width, shown.height}, view.inner.height,
               shown.height, view.y);
}

}  // namespace platform
}  // namespace kv
