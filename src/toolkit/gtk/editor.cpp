// Editors: a text view in a scrolled window. The core reads and writes
// lines over the primitives here with "\r" between lines, as the platform's
// rich edit control keeps them; the buffer keeps "\n", one character too.
#include "gtk.h"
#include "toolkit/detail/rtf.h"

namespace kv::gtk {

namespace {

// A text view lays out all of its buffer in the background, on screen or
// not: an editor on a hidden page spent 7 ms of each Reload of a phone-sized
// device so. While unmapped the view holds an empty stand-in instead; the
// text's buffer is kept on the view, with a mark at the line shown on top,
// where the view goes back to when it is mapped again. Neither buffer goes
// before the view does, as its layout may still point into either.
constexpr char kBufferKey[] = "kv-buffer";
constexpr char kStandInKey[] = "kv-stand-in";
constexpr char kTopMark[] = "kv-top";

GtkTextBuffer* Kept(GtkTextView* view, const char* key) {
  return GTK_TEXT_BUFFER(g_object_get_data(G_OBJECT(view), key));
}

void PutTopMark(GtkTextBuffer* buffer, const GtkTextIter& top) {
  if (GtkTextMark* mark = gtk_text_buffer_get_mark(buffer, kTopMark)) {
    gtk_text_buffer_move_mark(buffer, mark, &top);
  } else {
    gtk_text_buffer_create_mark(buffer, kTopMark, &top, TRUE);
  }
}

// Runs once the view has laid its text out again: a scroll asked for when it
// is mapped is lost when the view settles on its first paragraph.
gboolean ScrollToTopMark(gpointer data) {
  GtkTextView* view = GTK_TEXT_VIEW(data);
  if (!gtk_widget_get_mapped(GTK_WIDGET(view))) return G_SOURCE_REMOVE;
  GtkTextBuffer* buffer = Kept(view, kBufferKey);
  GtkTextMark* mark = gtk_text_buffer_get_mark(buffer, kTopMark);
  if (!mark) return G_SOURCE_REMOVE;
  GtkTextIter top;
  gtk_text_buffer_get_iter_at_mark(buffer, &top, mark);
  gint y = 0;
  gint height = 0;
  gtk_text_view_get_line_yrange(view, &top, &y, &height);
  gtk_adjustment_set_value(gtk_scrollable_get_vadjustment(GTK_SCROLLABLE(view)), y);
  return G_SOURCE_REMOVE;
}

void OnMap(GtkWidget* widget, gpointer) {
  GtkTextView* view = GTK_TEXT_VIEW(widget);
  GtkTextBuffer* buffer = Kept(view, kBufferKey);
  if (gtk_text_view_get_buffer(view) == buffer) return;
  gtk_text_view_set_buffer(view, buffer);
  g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, ScrollToTopMark, g_object_ref(view), g_object_unref);
}

void OnUnmap(GtkWidget* widget, gpointer) {
  if (gtk_widget_in_destruction(widget)) return;
  GtkTextView* view = GTK_TEXT_VIEW(widget);
  GdkRectangle shown;
  gtk_text_view_get_visible_rect(view, &shown);
  GtkTextIter top;
  gtk_text_view_get_line_at_y(view, &top, shown.y, nullptr);
  PutTopMark(Kept(view, kBufferKey), top);
  gtk_text_view_set_buffer(view, Kept(view, kStandInKey));
}

GtkTextView* ViewOf(Handle editor) {
  return GTK_TEXT_VIEW(gtk_bin_get_child(GTK_BIN(Widget(editor))));
}
GtkTextBuffer* BufferOf(Handle editor) { return Kept(ViewOf(editor), kBufferKey); }
GtkTextBuffer* BufferOf(const GadgetObject& g) { return BufferOf(g.handle); }

// Line breaks as the buffer keeps them.
std::string BufferText(TextView text) {
  Text out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    out.push_back(text[i] == u'\r' ? u'\n' : text[i]);
  }
  return Utf8(out);
}

Text AllText(GtkTextBuffer* buffer) {
  GtkTextIter start;
  GtkTextIter end;
  gtk_text_buffer_get_bounds(buffer, &start, &end);
  gchar* bytes = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
  Text text = FromUtf8(bytes);
  g_free(bytes);
  return text;
}

GtkWidget* Make(const ControlParams& params) {
  GtkTextBuffer* standIn = gtk_text_buffer_new(nullptr);
  GtkWidget* view = gtk_text_view_new_with_buffer(standIn);
  g_object_set_data_full(G_OBJECT(view), kStandInKey, standIn, g_object_unref);
  g_object_set_data_full(G_OBJECT(view), kBufferKey, gtk_text_buffer_new(nullptr),
                         g_object_unref);
  g_signal_connect(view, "map", G_CALLBACK(OnMap), nullptr);
  g_signal_connect(view, "unmap", G_CALLBACK(OnUnmap), nullptr);
  GtkTextView* text = GTK_TEXT_VIEW(view);
  gtk_text_view_set_editable(text, !(params.flags & KV_Editor_ReadOnly));
  gtk_text_view_set_wrap_mode(text, params.flags & KV_Editor_WordWrap ? GTK_WRAP_WORD_CHAR
                                                                       : GTK_WRAP_NONE);
  gtk_text_view_set_left_margin(text, 2);
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(scrolled), view);
  gtk_widget_show(view);
  return scrolled;
}

// Every change of the text is reported, the program's too, as the
// platform's editor does.
void OnChanged(GtkTextBuffer*, gpointer data) {
  if (GadgetObject* g = GadgetOfData(data)) QueueGadgetEvent(*g, ET_CHANGE);
}

void Attach(GadgetObject& g) {
  Connect(BufferOf(g), "changed", OnChanged, g);
  ConnectFocus(ScrolledChild(g), g);
}

Text ReadText(GadgetObject& g) {
  Text text;
  for (char16_t c : AllText(BufferOf(g))) {
    if (c == u'\n') {
      text += u"\r\n";
    } else {
      text.push_back(c);
    }
  }
  return text;
}

void WriteText(GadgetObject& g, TextView text) {
  std::string bytes = BufferText(IsRtf(text) ? PlainTextFromRtf(text) : Text(text));
  gtk_text_buffer_set_text(BufferOf(g), bytes.c_str(), static_cast<gint>(bytes.size()));
}

void ClearItems(GadgetObject& g) { gtk_text_buffer_set_text(BufferOf(g), "", 0); }

int ReadAttribute(GadgetObject& g, int attribute) {
  GtkTextView* view = ViewOf(g.handle);
  if (attribute == KV_Editor_ReadOnly) {
    return gtk_text_view_get_editable(view) ? 0 : KV_Editor_ReadOnly;
  }
  if (attribute == KV_Editor_WordWrap) return gtk_text_view_get_wrap_mode(view) != GTK_WRAP_NONE;
  return 0;
}

void WriteAttribute(GadgetObject& g, int attribute, int value) {
  GtkTextView* view = ViewOf(g.handle);
  if (attribute == KV_Editor_ReadOnly) gtk_text_view_set_editable(view, value == 0);
  if (attribute == KV_Editor_WordWrap) {
    gtk_text_view_set_wrap_mode(view, value ? GTK_WRAP_WORD_CHAR : GTK_WRAP_NONE);
  }
}

GtkTextIter LineIter(Handle editor, int line) {
  GtkTextIter iter;
  gtk_text_buffer_get_iter_at_line(BufferOf(editor), &iter, line);
  return iter;
}

}  // namespace

}  // namespace kv::gtk

namespace kv::platform {

const KindRecord& EditorRecord() {
  static const KindRecord record{
      .make = gtk::Make,
      .attach = gtk::Attach,
      .slots = {
          .code = GK_EDITOR,
          .readText = gtk::ReadText,
          .writeText = gtk::WriteText,
          .clearItems = gtk::ClearItems,
          .readAttribute = gtk::ReadAttribute,
          .writeAttribute = gtk::WriteAttribute,
          .showColor = gtk::ShowColor,
      },
  };
  return record;
}

int EditorTextLength(Handle editor) {
  return gtk_text_buffer_get_char_count(gtk::BufferOf(editor));
}

int EditorLineCount(Handle editor) {
  return gtk_text_buffer_get_line_count(gtk::BufferOf(editor));
}

int EditorLineStart(Handle editor, int line) {
  GtkTextIter iter = gtk::LineIter(editor, line);
  return gtk_text_iter_get_offset(&iter);
}

int EditorLineLength(Handle editor, int start) {
  GtkTextIter iter;
  gtk_text_buffer_get_iter_at_offset(gtk::BufferOf(editor), &iter, start);
  gtk_text_iter_set_line_offset(&iter, 0);
  int from = gtk_text_iter_get_offset(&iter);
  if (!gtk_text_iter_ends_line(&iter)) gtk_text_iter_forward_to_line_end(&iter);
  return gtk_text_iter_get_offset(&iter) - from;
}

Text EditorLineText(Handle editor, int line) {
  GtkTextIter start = gtk::LineIter(editor, line);
  GtkTextIter end = start;
  if (!gtk_text_iter_ends_line(&end)) gtk_text_iter_forward_to_line_end(&end);
  gchar* bytes = gtk_text_iter_get_text(&start, &end);
  Text text = gtk::FromUtf8(bytes);
  g_free(bytes);
  return text;
}

void EditorReplace(Handle editor, int from, int to, TextView text) {
  GtkTextBuffer* buffer = gtk::BufferOf(editor);
  GtkTextIter start;
  GtkTextIter end;
  gtk_text_buffer_get_iter_at_offset(buffer, &start, from);
  gtk_text_buffer_get_iter_at_offset(buffer, &end, to);
  gtk_text_buffer_begin_user_action(buffer);
  gtk_text_buffer_delete(buffer, &start, &end);
  std::string bytes = gtk::BufferText(text);
  gtk_text_buffer_insert(buffer, &start, bytes.c_str(), static_cast<gint>(bytes.size()));
  gtk_text_buffer_end_user_action(buffer);
}

void EditorShowStart(Handle editor) {
  GtkTextBuffer* buffer = gtk::BufferOf(editor);
  GtkTextIter start;
  gtk_text_buffer_get_start_iter(buffer, &start);
  gtk_text_buffer_place_cursor(buffer, &start);
  gtk::PutTopMark(buffer, start);
  GtkAdjustment* vertical =
      gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(gtk::Widget(editor)));
  gtk_adjustment_set_value(vertical, gtk_adjustment_get_lower(vertical));
}

}  // namespace kv::platform
