// Plays the user on the GTK backend: clicks on rows as the display server
// would deliver them, and otherwise the signals GTK itself emits for the
// user's input, each dispatched before the action returns. Like the real
// user, it cannot reach a widget that is insensitive or not on screen.
// Requesters are answered from the main loop once they are on screen.
#include <gtk/gtk.h>

#include <deque>
#include <string>

#include "toolkit/gadgets.h"
#include "toolkit/reports.h"
#include "toolkit/top_windows.h"
#include "user.h"

namespace kv::user {

namespace {

// Clicks are sent through the display server as its core events, which GTK
// reads only when told before it starts.
const bool kCoreEvents = g_setenv("GDK_CORE_DEVICE_EVENTS", "1", TRUE);

constexpr gint64 kPatienceUs = 5'000'000;

GtkWidget* Widget(int gadget) { return reinterpret_cast<GtkWidget*>(GetGadgetHandle(gadget)); }

bool Reachable(GtkWidget* widget) {
  return widget && gtk_widget_is_sensitive(widget) && gtk_widget_is_drawable(widget);
}

// GDK holds the display's events back from the start of a frame until its
// paint, which waits for the frame's time: only a loop that stayed quiet for
// longer than that has no event held back.
constexpr gint64 kQuietUs = 20'000;

// The display server reports late (maps, sizes, focus): an action starts
// once earlier events are done with and returns once its own are.
void Settle() {
  GdkDisplay* display = gdk_display_get_default();
  gint64 quietSince = g_get_monotonic_time();
  while (g_get_monotonic_time() - quietSince < kQuietUs) {
    if (display) gdk_display_sync(display);
    if (!g_main_context_pending(nullptr)) {
      g_usleep(2000);
      continue;
    }
    while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
    quietSince = g_get_monotonic_time();
  }
}

// A new window is laid out a little after the display server maps it.
void AwaitLayout(GtkWidget* widget) {
  gint64 end = g_get_monotonic_time() + kPatienceUs;
  while (gtk_widget_get_allocated_width(widget) <= 1 && g_get_monotonic_time() < end) {
    g_main_context_iteration(nullptr, FALSE);
    g_usleep(1000);
  }
}

template <typename Action>
void Act(Action action) {
  Settle();
  action();
  Settle();
}

GtkTreeView* TreeViewOf(GtkWidget* widget) {
  if (GTK_IS_SCROLLED_WINDOW(widget)) widget = gtk_bin_get_child(GTK_BIN(widget));
  return GTK_IS_TREE_VIEW(widget) ? GTK_TREE_VIEW(widget) : nullptr;
}

// The item'th row in display order: rows inside collapsed ones do not count.
GtkTreePath* ShownRow(GtkTreeView* view, int item) {
  GtkTreeModel* model = gtk_tree_view_get_model(view);
  GtkTreeIter iter;
  if (!model || !gtk_tree_model_get_iter_first(model, &iter)) return nullptr;
  GtkTreePath* path = gtk_tree_model_get_path(model, &iter);
  for (int row = 0; row < item;) {
    GtkTreeIter child;
    if (gtk_tree_view_row_expanded(view, path) && gtk_tree_model_iter_children(model, &child, &iter)) {
      iter = child;
    } else {
      GtkTreeIter next = iter;
      while (!gtk_tree_model_iter_next(model, &next)) {
        GtkTreeIter parent;
        if (!gtk_tree_model_iter_parent(model, &parent, &iter)) {
          gtk_tree_path_free(path);
          return nullptr;
        }
        iter = next = parent;
      }
      iter = next;
    }
    gtk_tree_path_free(path);
    path = gtk_tree_model_get_path(model, &iter);
    ++row;
  }
  return path;
}

// A press and release of the first button at x, y of the view's rows, sent
// through the display server as its own clicks come.
void ClickAt(GtkTreeView* view, int x, int y) {
  GdkWindow* rows = gtk_tree_view_get_bin_window(view);
  gdk_test_simulate_button(rows, x, y, GDK_BUTTON_PRIMARY, GdkModifierType(0), GDK_BUTTON_PRESS);
  Settle();
  gdk_test_simulate_button(rows, x, y, GDK_BUTTON_PRIMARY, GDK_BUTTON1_MASK, GDK_BUTTON_RELEASE);
}

void ClickRow(int gadget, int item, bool twice) {
  Act([gadget, item, twice] {
    GtkWidget* widget = Widget(gadget);
    GtkTreeView* view = TreeViewOf(widget);
    if (!Reachable(widget) || !view) return;
    GtkTreePath* path = ShownRow(view, item);
    if (!path) return;
    AwaitLayout(GTK_WIDGET(view));
    gtk_tree_view_scroll_to_cell(view, path, nullptr, FALSE, 0, 0);
    Settle();
    GdkRectangle cell;
    gtk_tree_view_get_cell_area(view, path, gtk_tree_view_get_column(view, 0), &cell);
    ClickAt(view, cell.x + cell.width / 2, cell.y + cell.height / 2);
    if (twice) gtk_tree_view_row_activated(view, path, gtk_tree_view_get_column(view, 0));
    gtk_tree_path_free(path);
  });
}

// ---- Requesters -------------------------------------------------------------------

struct Answer {
  bool file = false;
  int code = 0;
  std::string path;
  int ticks = 0;  // of the answer's timer since the path was entered
};

constexpr int kTicksToLoadAFolder = 250;

std::deque<Answer>& Answers() {
  static std::deque<Answer> answers;
  return answers;
}

GtkWidget* ShownDialog(bool file) {
  GtkWidget* found = nullptr;
  GList* toplevels = gtk_window_list_toplevels();
  for (GList* item = toplevels; item; item = item->next) {
    auto* window = static_cast<GtkWidget*>(item->data);
    bool kind = file ? GTK_IS_FILE_CHOOSER_DIALOG(window) : GTK_IS_MESSAGE_DIALOG(window);
    if (kind && gtk_widget_get_mapped(window)) found = window;
  }
  g_list_free(toplevels);
  return found;
}

// True once the dialog is answered. A chosen file to open is picked once
// the chooser has loaded its folder, which takes a few of the timer's ticks.
bool Respond(GtkWidget* dialog, Answer& answer) {
  if (!answer.file || answer.path.empty()) {
    gtk_dialog_response(GTK_DIALOG(dialog), answer.file ? GTK_RESPONSE_CANCEL : answer.code);
    return true;
  }
  auto* chooser = GTK_FILE_CHOOSER(dialog);
  if (gtk_file_chooser_get_action(chooser) == GTK_FILE_CHOOSER_ACTION_SAVE) {
    gchar* folder = g_path_get_dirname(answer.path.c_str());
    gchar* name = g_path_get_basename(answer.path.c_str());
    gtk_file_chooser_set_current_folder(chooser, folder);
    gtk_file_chooser_set_current_name(chooser, name);
    g_free(folder);
    g_free(name);
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    return true;
  }
  if (answer.ticks++ == 0) gtk_file_chooser_set_filename(chooser, answer.path.c_str());
  gchar* picked = gtk_file_chooser_get_filename(chooser);
  bool ready = picked && answer.path == picked;
  g_free(picked);
  if (ready) {
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  } else if (answer.ticks > kTicksToLoadAFolder) {
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_CANCEL);
  }
  return ready || answer.ticks > kTicksToLoadAFolder;
}

// Runs inside the requester's own loop: answers the first answer's kind of
// requester once it is on screen.
gboolean AnswerShown(gpointer) {
  if (Answers().empty()) return G_SOURCE_REMOVE;
  GtkWidget* dialog = ShownDialog(Answers().front().file);
  if (!dialog || !Respond(dialog, Answers().front())) return G_SOURCE_CONTINUE;
  Answers().pop_front();
  return Answers().empty() ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

void Expect(Answer answer) {
  Answers().push_back(std::move(answer));
  if (Answers().size() == 1) g_timeout_add(20, AnswerShown, nullptr);
}

}  // namespace

void ClickButton(int gadget) {
  Act([gadget] {
    GtkWidget* widget = Widget(gadget);
    if (Reachable(widget) && GTK_IS_BUTTON(widget)) gtk_button_clicked(GTK_BUTTON(widget));
  });
}

void ClickListItem(int gadget, int item) { ClickRow(gadget, item, false); }
void DoubleClickListItem(int gadget, int item) { ClickRow(gadget, item, true); }

void ChooseItem(int gadget, int item) {
  Act([gadget, item] {
    GtkWidget* widget = Widget(gadget);
    if (Reachable(widget) && GTK_IS_COMBO_BOX(widget)) {
      gtk_combo_box_set_active(GTK_COMBO_BOX(widget), item);
    }
  });
}

// What the arrow keys do to a range or spin field.
void StepValue(int gadget, int steps) {
  Act([gadget, steps] {
    GtkWidget* widget = Widget(gadget);
    if (!Reachable(widget)) return;
    for (int i = 0; i < (steps > 0 ? steps : -steps); ++i) {
      if (GTK_IS_SPIN_BUTTON(widget)) {
        g_signal_emit_by_name(widget, "change-value",
                              steps > 0 ? GTK_SCROLL_STEP_UP : GTK_SCROLL_STEP_DOWN);
      } else if (GTK_IS_RANGE(widget)) {
        gboolean ignored = FALSE;
        g_signal_emit_by_name(widget, "move-slider",
                              steps > 0 ? GTK_SCROLL_STEP_FORWARD : GTK_SCROLL_STEP_BACKWARD,
                              &ignored);
      }
    }
  });
}

void TypeText(int gadget, TextView text) {
  Act([gadget, text] {
    GtkWidget* widget = Widget(gadget);
    if (GTK_IS_SCROLLED_WINDOW(widget)) widget = gtk_bin_get_child(GTK_BIN(widget));
    if (!Reachable(widget)) return;
    gtk_widget_grab_focus(widget);
    if (GTK_IS_EDITABLE(widget) && !gtk_editable_get_editable(GTK_EDITABLE(widget))) return;
    std::string bytes = EncodeUtf8(text);
    if (GTK_IS_EDITABLE(widget)) {
      gint end = -1;
      gtk_editable_set_position(GTK_EDITABLE(widget), -1);
      end = gtk_editable_get_position(GTK_EDITABLE(widget));
      gtk_editable_insert_text(GTK_EDITABLE(widget), bytes.c_str(),
                               static_cast<gint>(bytes.size()), &end);
    } else if (GTK_IS_TEXT_VIEW(widget)) {
      GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(widget));
      GtkTextIter end;
      gtk_text_buffer_get_end_iter(buffer, &end);
      gtk_text_buffer_insert_interactive(buffer, &end, bytes.c_str(),
                                         static_cast<gint>(bytes.size()), TRUE);
    }
  });
}

void ChooseTab(int gadget, int index) {
  Act([gadget, index] {
    GtkWidget* widget = Widget(gadget);
    if (Reachable(widget) && GTK_IS_NOTEBOOK(widget)) {
      gtk_notebook_set_current_page(GTK_NOTEBOOK(widget), index);
    }
  });
}

// The splitter reports the drag the backend saw.
void DragSplitter(int gadget, int dx, int dy) {
  Act([gadget, dx, dy] {
    GadgetObject* g = FindGadgetObject(gadget);
    if (!g || !Reachable(Widget(gadget))) return;
    SplitterBar bar = SplitterBarOf(*g);
    OnSplitterDragged(*g, bar.vertical ? bar.rect.x + dx : bar.rect.y + dy);
  });
}

void ScrollLines(int gadget, bool vertical, int lines) {
  Act([gadget, vertical, lines] {
    GadgetObject* g = FindGadgetObject(gadget);
    if (!g || !Reachable(Widget(gadget))) return;
    ScrollMove move = lines > 0 ? ScrollMove::LineForward : ScrollMove::LineBack;
    for (int i = 0; i < (lines > 0 ? lines : -lines); ++i) OnScrollAreaScrolled(*g, vertical, move);
  });
}

int ScreenTop(int gadget) {
  Settle();
  GtkWidget* widget = Widget(gadget);
  GtkWidget* toplevel = gtk_widget_get_toplevel(widget);
  int x = 0;
  int y = 0;
  gtk_widget_translate_coordinates(widget, toplevel, 0, 0, &x, &y);
  int originX = 0;
  int originY = 0;
  if (GdkWindow* window = gtk_widget_get_window(toplevel)) {
    gdk_window_get_origin(window, &originX, &originY);
  }
  return originY + y;
}

int FirstShownLine(int gadget) {
  Settle();
  GtkWidget* widget = gtk_bin_get_child(GTK_BIN(Widget(gadget)));
  GtkTextView* view = GTK_TEXT_VIEW(widget);
  GdkRectangle shown;
  gtk_text_view_get_visible_rect(view, &shown);
  GtkTextIter line;
  gtk_text_view_get_line_at_y(view, &line, shown.y, nullptr);
  return gtk_text_iter_get_line(&line);
}

// What the window manager's close button does.
void RequestClose(int window) {
  Act([window] {
    auto* widget = reinterpret_cast<GtkWidget*>(GetWindowHandle(window));
    if (widget) gtk_window_close(GTK_WINDOW(widget));
  });
}

// One expiry as the backend reports it.
void FireTimer(int window, int timerId) {
  Settle();
  OnTimer(window, timerId);
  Settle();
}

void AnswerNextMessageBox(int code) { Expect({false, code, {}}); }

void AnswerNextFileRequester(TextView path) { Expect({true, 0, EncodeUtf8(path)}); }

void ForgetRequesters() { Answers().clear(); }

// The bytes another program would be handed: asking GTK for text would turn
// line breaks into "\n".
Text ClipboardText() {
  GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  GtkSelectionData* data =
      gtk_clipboard_wait_for_contents(clipboard, gdk_atom_intern_static_string("UTF8_STRING"));
  if (!data) return {};
  const guchar* bytes = gtk_selection_data_get_data(data);
  gint length = gtk_selection_data_get_length(data);
  Text copied = length > 0 ? DecodeUtf8({reinterpret_cast<const char*>(bytes), size_t(length)})
                           : Text();
  gtk_selection_data_free(data);
  return copied;
}

}  // namespace kv::user
