// Top-level windows: each a GtkWindow holding one fixed container, their
// signals turned into the core's reports, placement and timers.
#include <map>
#include <unordered_set>

#include "gtk.h"

namespace kv {

namespace gtk {

namespace {

constexpr char kNumberKey[] = "kv-window";
constexpr char kFixedKey[] = "kv-fixed";
constexpr int kStyleCaption = 0xC00000;
constexpr int kStylePopup = static_cast<int>(0x80000000u);

// What a window last reported, so that only changes become events.
struct WindowState {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  GdkWindowState state{};
  bool configured = false;  // the first configuration is where it starts
};

std::unordered_set<GtkWidget*>& Widgets() {
  static std::unordered_set<GtkWidget*> widgets;
  return widgets;
}

struct TimerKey {
  GtkWidget* window;
  int id;
  bool operator<(const TimerKey& other) const {
    return window != other.window ? window < other.window : id < other.id;
  }
};

std::map<TimerKey, guint>& Timers() {
  static std::map<TimerKey, guint> timers;
  return timers;
}

int NumberOf(gpointer data) { return GPOINTER_TO_INT(data); }

void ForgetTimers(GtkWidget* window) {
  auto& timers = Timers();
  for (auto it = timers.begin(); it != timers.end();) {
    if (it->first.window != window) {
      ++it;
      continue;
    }
    g_source_remove(it->second);
    it = timers.erase(it);
  }
}

// The number the window holding widget is marked with, -1 if none.
int WindowNumberOfWidget(GtkWidget* widget) {
  for (; widget; widget = gtk_widget_get_parent(widget)) {
    gpointer mark = g_object_get_data(G_OBJECT(widget), kNumberKey);
    if (mark) return GPOINTER_TO_INT(mark) - 1;
  }
  return -1;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer number) {
  OnWindowClose(NumberOf(number));
  return TRUE;  // the program decides
}

gboolean OnConfigure(GtkWidget* window, GdkEventConfigure* event, gpointer number) {
  auto* last = static_cast<WindowState*>(g_object_get_data(G_OBJECT(window), "kv-state"));
  if (!last) return FALSE;
  bool moved = last->configured && (event->x != last->x || event->y != last->y);
  bool sized = last->configured && (event->width != last->width || event->height != last->height);
  last->configured = true;
  last->x = event->x;
  last->y = event->y;
  last->width = event->width;
  last->height = event->height;
  if (moved) OnWindowMoved(NumberOf(number));
  if (sized) {
    bool maximized = last->state & GDK_WINDOW_STATE_MAXIMIZED;
    OnWindowSized(NumberOf(number), maximized ? SizeChange::Maximized : SizeChange::Restored);
  }
  return FALSE;
}

gboolean OnState(GtkWidget* window, GdkEventWindowState* event, gpointer number) {
  auto* last = static_cast<WindowState*>(g_object_get_data(G_OBJECT(window), "kv-state"));
  constexpr auto kShown = GdkWindowState(GDK_WINDOW_STATE_ICONIFIED | GDK_WINDOW_STATE_MAXIMIZED);
  if (!last || !(event->changed_mask & kShown)) return FALSE;
  last->state = event->new_window_state;
  if (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) {
    OnWindowSized(NumberOf(number), SizeChange::Minimized);
  } else if (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) {
    OnWindowSized(NumberOf(number), SizeChange::Maximized);
  } else {
    OnWindowSized(NumberOf(number), SizeChange::Restored);
  }
  return FALSE;
}

void OnActive(GObject* window, GParamSpec*, gpointer number) {
  OnWindowActivated(NumberOf(number), gtk_window_is_active(GTK_WINDOW(window)));
}

void OnDestroyed(GtkWidget* window, gpointer number) {
  ForgetTimers(window);
  Widgets().erase(window);
  OnWindowDestroyed(NumberOf(number), HandleOf(window));
}

void ConnectWindow(GtkWidget* window, int number) {
  gpointer data = GINT_TO_POINTER(number);
  g_object_set_data_full(G_OBJECT(window), "kv-state", new WindowState,
                         [](gpointer state) { delete static_cast<WindowState*>(state); });
  g_signal_connect(window, "delete-event", G_CALLBACK(OnDelete), data);
  g_signal_connect(window, "configure-event", G_CALLBACK(OnConfigure), data);
  g_signal_connect(window, "window-state-event", G_CALLBACK(OnState), data);
  g_signal_connect(window, "notify::is-active", G_CALLBACK(OnActive), data);
  // After the class handler: the gadgets inside have gone first.
  g_signal_connect_after(window, "destroy", G_CALLBACK(OnDestroyed), data);
}

GtkWindow* Window(Handle handle) { return GTK_WINDOW(Widget(handle)); }

// A window that cannot be resized takes the size its content asks for.
void SetInnerSize(GtkWindow* window, int width, int height) {
  if (gtk_window_get_resizable(window)) {
    gtk_window_resize(window, std::max(width, 1), std::max(height, 1));
  } else {
    auto* fixed = static_cast<GtkWidget*>(g_object_get_data(G_OBJECT(window), kFixedKey));
    gtk_widget_set_size_request(fixed, width, height);
  }
}

}  // namespace

void Track(GtkWidget* widget) { Widgets().insert(widget); }
void Untrack(GtkWidget* widget) { Widgets().erase(widget); }

bool Alive(Handle handle) { return handle && Widgets().contains(Widget(handle)); }

GtkWidget* WindowFixed(GtkWidget* window) {
  return static_cast<GtkWidget*>(g_object_get_data(G_OBJECT(window), kFixedKey));
}

}  // namespace gtk

namespace platform {

using gtk::Widget;

Handle OpenWindow(const WindowParams& params) {
  if (!gtk::Available()) return 0;
  if (params.owner && !gtk::Alive(params.owner)) return 0;
  GtkWidget* widget = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  GtkWindow* window = GTK_WINDOW(widget);
  std::string title = gtk::Utf8(params.title);
  gtk_window_set_title(window, title.c_str());
  gtk_window_set_decorated(window, (params.style & gtk::kStyleCaption) ||
                                       !(params.style & gtk::kStylePopup));
  gtk_window_set_resizable(window, (params.style & kStyleSizingBorder) != 0);
  if (params.tool) gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_UTILITY);
  if (params.owner) gtk_window_set_transient_for(window, GTK_WINDOW(Widget(params.owner)));
  GtkWidget* fixed = gtk::NewFixed();
  gtk_container_add(GTK_CONTAINER(widget), fixed);
  g_object_set_data(G_OBJECT(widget), gtk::kFixedKey, fixed);
  g_object_set_data(G_OBJECT(widget), gtk::kNumberKey, GINT_TO_POINTER(params.number + 1));
  gtk::SetInnerSize(window, params.rect.width, params.rect.height);
  if (!params.defaultPosition) gtk_window_move(window, params.rect.x, params.rect.y);
  gtk::ConnectWindow(widget, params.number);
  gtk::Track(widget);
  return gtk::HandleOf(widget);
}

void ShowTopWindow(Handle handle, ShowMode mode, bool activate) {
  GtkWindow* window = gtk::Window(handle);
  gtk_window_set_focus_on_map(window, activate);
  switch (mode) {
    case ShowMode::Maximized: gtk_window_maximize(window); break;
    case ShowMode::Minimized: gtk_window_iconify(window); break;
    case ShowMode::Normal:
      gtk_window_unmaximize(window);
      gtk_window_deiconify(window);
      break;
  }
  if (activate) {
    gtk_window_present(window);
  } else {
    gtk_widget_show(Widget(handle));
  }
}

void HideTopWindow(Handle handle) {
  GtkWindow* owner = gtk_window_get_transient_for(gtk::Window(handle));
  if (owner) gtk_window_present(owner);
  gtk_widget_hide(Widget(handle));
}

ShowMode TopWindowMode(Handle handle) {
  auto* last = static_cast<gtk::WindowState*>(g_object_get_data(G_OBJECT(Widget(handle)), "kv-state"));
  if (!last) return ShowMode::Normal;
  if (last->state & GDK_WINDOW_STATE_ICONIFIED) return ShowMode::Minimized;
  if (last->state & GDK_WINDOW_STATE_MAXIMIZED) return ShowMode::Maximized;
  return ShowMode::Normal;
}

void DestroyHandle(Handle handle) {
  if (!gtk::Alive(handle)) return;
  GtkWidget* widget = Widget(handle);
  if (GTK_IS_WINDOW(widget)) {
    if (GtkWindow* owner = gtk_window_get_transient_for(GTK_WINDOW(widget))) {
      gtk_window_present(owner);
    }
  }
  bool orphan = gtk::IsOrphanPage(widget);  // a page whose tab went, kept alive for this
  gtk_widget_destroy(widget);
  if (orphan) g_object_unref(widget);
}

void PlaceTopWindow(Handle handle, int x, int y, int innerWidth, int innerHeight) {
  GtkWindow* window = gtk::Window(handle);
  if (gtk_window_is_maximized(window)) gtk_window_unmaximize(window);
  PixelSize inner = InnerSize(handle);
  PixelRect outer = OuterRect(handle);
  if (x != KEEP_CURRENT || y != KEEP_CURRENT) {
    gtk_window_move(window, x == KEEP_CURRENT ? outer.x : x, y == KEEP_CURRENT ? outer.y : y);
  }
  gtk::SetInnerSize(window, innerWidth == KEEP_CURRENT ? inner.width : innerWidth,
                    innerHeight == KEEP_CURRENT ? inner.height : innerHeight);
}

PixelSize InnerSize(Handle handle) {
  GtkWindow* window = gtk::Window(handle);
  if (!gtk_window_get_resizable(window)) {
    int width = 0;
    int height = 0;
    gtk_widget_get_size_request(gtk::WindowFixed(Widget(handle)), &width, &height);
    return {width, height};
  }
  int width = 0;
  int height = 0;
  gtk_window_get_size(window, &width, &height);
  return {width, height};
}

PixelRect OuterRect(Handle handle) {
  GtkWidget* widget = Widget(handle);
  PixelSize inner = InnerSize(handle);
  int x = 0;
  int y = 0;
  gtk_window_get_position(GTK_WINDOW(widget), &x, &y);
  GdkWindow* surface = gtk_widget_get_window(widget);
  if (!surface || !gtk_widget_get_mapped(widget)) return {x, y, inner.width, inner.height};
  GdkRectangle frame;
  gdk_window_get_frame_extents(surface, &frame);
  return {frame.x, frame.y, frame.width, frame.height};
}

void MoveOuter(Handle handle, int x, int y) { gtk_window_move(gtk::Window(handle), x, y); }

int StartTimer(Handle handle, int timerId, int intervalMs) {
  GtkWidget* window = Widget(handle);
  gtk::TimerKey key{window, timerId};
  auto& timers = gtk::Timers();
  if (auto it = timers.find(key); it != timers.end()) g_source_remove(it->second);
  // The window number and the timer's id travel packed in the source's data.
  auto* tick = new std::pair<int, int>(gtk::WindowNumberOfWidget(window), timerId);
  timers[key] = g_timeout_add_full(
      G_PRIORITY_DEFAULT, static_cast<guint>(std::max(intervalMs, 1)),
      +[](gpointer data) -> gboolean {
        auto* ids = static_cast<std::pair<int, int>*>(data);
        OnTimer(ids->first, ids->second);
        return G_SOURCE_CONTINUE;
      },
      tick, +[](gpointer data) { delete static_cast<std::pair<int, int>*>(data); });
  return 1;
}

int WindowNumberOf(Handle handle) {
  return gtk::Alive(handle) ? gtk::WindowNumberOfWidget(Widget(handle)) : -1;
}

}  // namespace platform
}  // namespace kv
