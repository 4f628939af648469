// Set-up of the GTK backend, the wait for one platform event, the screen and
// the clipboard.
#include <mutex>

#include "gtk.h"

namespace kv {

namespace gtk {

namespace {

// GTK needs its display before any widget; a program without one gets no
// windows, and says so where it opens them.
bool EnsureGtk() {
  static bool ready = gtk_init_check(nullptr, nullptr);
  return ready;
}

GdkRectangle PrimaryMonitor() {
  GdkRectangle area{0, 0, 1024, 768};
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
  if (!monitor && display) monitor = gdk_display_get_monitor(display, 0);
  if (monitor) gdk_monitor_get_geometry(monitor, &area);
  return area;
}

// Widgets of a style the theme does not give: the read-only look of fields,
// the border of labels, buttons and fields as tight as the layout's rules
// make them.
void AddOwnStyles() {
  GdkScreen* screen = gdk_screen_get_default();
  if (!screen) return;
  GtkCssProvider* styles = gtk_css_provider_new();
  gtk_css_provider_load_from_data(styles,
                                  "entry.kv-read-only { background-color: @theme_bg_color; }\n"
                                  "label.kv-border { border: 1px solid @borders; }\n"
                                  "kvfixed button { padding: 0 4px; min-height: 0; min-width: 0; }\n"
                                  "kvfixed entry { padding: 0 4px; min-height: 0; }\n",
                                  -1, nullptr);
  gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(styles),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(styles);
}

}  // namespace

bool Available() { return EnsureGtk(); }

}  // namespace gtk

namespace platform {

PixelSize ScreenDpi() {
  GdkScreen* screen = gtk::Available() ? gdk_screen_get_default() : nullptr;
  double dpi = screen ? gdk_screen_get_resolution(screen) : -1;
  int value = dpi > 0 ? static_cast<int>(dpi + 0.5) : 96;
  return {value, value};
}

void InitEvents() { gtk::Available(); }
void EndEvents() {}

void InitWindows() {
  static std::once_flag styled;
  if (gtk::Available()) std::call_once(styled, gtk::AddOwnStyles);
}

void EndWindows() {}

// One iteration of the main context: at once when something is pending,
// else waiting for at most timeoutMs (< 0: for ever).
int PumpMessage(int timeoutMs) {
  if (!gtk::Available()) return 0;
  GMainContext* context = g_main_context_default();
  if (g_main_context_pending(context)) {
    g_main_context_iteration(context, FALSE);
    return 1;
  }
  if (timeoutMs == 0) return 0;
  if (timeoutMs < 0) {
    g_main_context_iteration(context, TRUE);
    return 1;
  }
  bool expired = false;
  guint timer = g_timeout_add(static_cast<guint>(timeoutMs), +[](gpointer flag) -> gboolean {
    *static_cast<bool*>(flag) = true;
    return G_SOURCE_REMOVE;
  }, &expired);
  g_main_context_iteration(context, TRUE);
  if (!expired) g_source_remove(timer);
  return expired ? 0 : 1;
}

void WakeMessageWait() { g_main_context_wakeup(g_main_context_default()); }

PixelSize ScreenSize() {
  GdkRectangle area = gtk::PrimaryMonitor();
  return {area.width, area.height};
}

bool DesktopComposition() {
  GdkScreen* screen = gtk::Available() ? gdk_screen_get_default() : nullptr;
  return screen && gdk_screen_is_composited(screen);
}

PixelSize EdgeSize() { return {2, 2}; }
int BorderWidth() { return 1; }

// ---- Clipboard ----------------------------------------------------------------

int ClearClipboard() {
  if (!gtk::Available()) return 0;
  gtk_clipboard_clear(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
  return 1;
}

int PutClipboard(TextView text) {
  if (!gtk::Available()) return 0;
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  std::string bytes = gtk::Utf8(text);
  gtk_clipboard_set_text(clipboard, bytes.c_str(), static_cast<gint>(bytes.size()));
  // What was put stays after the program has gone.
  gtk_clipboard_set_can_store(clipboard, nullptr, 0);
  return 1;
}

}  // namespace platform
}  // namespace kv
