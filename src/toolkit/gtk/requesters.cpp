// File requesters and message boxes as GTK dialogs, and what the modal
// bracket needs to know about the program's windows.
#include "gtk.h"

namespace kv::gtk {

namespace {

// The message box's buttons and answers, as the program's flags name them.
constexpr int kButtonsMask = 0xF;
constexpr int kIconMask = 0xF0;
constexpr int kDefaultMask = 0xF00;
enum Answer { kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7 };

struct Choice {
  const char* label;
  int answer;
};

std::vector<Choice> ChoicesOf(int flags) {
  switch (flags & kButtonsMask) {
    case 1: return {{"_OK", kOk}, {"_Cancel", kCancel}};
    case 2: return {{"_Abort", kAbort}, {"_Retry", kRetry}, {"_Ignore", kIgnore}};
    case 3: return {{"_Yes", kYes}, {"_No", kNo}, {"_Cancel", kCancel}};
    case 4: return {{"_Yes", kYes}, {"_No", kNo}};
    case 5: return {{"_Retry", kRetry}, {"_Cancel", kCancel}};
    default: return {{"_OK", kOk}};
  }
}

GtkMessageType IconOf(int flags) {
  switch (flags & kIconMask) {
    case 0x10: return GTK_MESSAGE_ERROR;
    case 0x20: return GTK_MESSAGE_QUESTION;
    case 0x30: return GTK_MESSAGE_WARNING;
    case 0x40: return GTK_MESSAGE_INFO;
    default: return GTK_MESSAGE_OTHER;
  }
}

// Closing the box answers as its Cancel (or its only) button would; a box
// without either says No.
int AnswerOnClose(const std::vector<Choice>& choices) {
  for (const Choice& choice : choices) {
    if (choice.answer == kCancel) return kCancel;
  }
  return choices.size() == 1 ? choices[0].answer : kNo;
}

// "description\0wildcards\0...\0\0", wildcards separated by ';'.
void AddFilters(GtkFileChooser* chooser, const Text& filter, int index) {
  size_t at = 0;
  int number = 1;
  while (at < filter.size() && filter[at] != u'\0') {
    size_t descriptionEnd = filter.find(u'\0', at);
    if (descriptionEnd == Text::npos) break;
    size_t patternsEnd = filter.find(u'\0', descriptionEnd + 1);
    if (patternsEnd == Text::npos) patternsEnd = filter.size();
    GtkFileFilter* entry = gtk_file_filter_new();
    std::string name = Utf8(TextView(filter).substr(at, descriptionEnd - at));
    gtk_file_filter_set_name(entry, name.c_str());
    Text patterns = filter.substr(descriptionEnd + 1, patternsEnd - descriptionEnd - 1);
    for (size_t from = 0; from <= patterns.size();) {
      size_t end = std::min(patterns.find(u';', from), patterns.size());
      std::string pattern = Utf8(TextView(patterns).substr(from, end - from));
      if (!pattern.empty()) gtk_file_filter_add_pattern(entry, pattern.c_str());
      from = end + 1;
    }
    gtk_file_chooser_add_filter(chooser, entry);
    if (number++ == index) gtk_file_chooser_set_filter(chooser, entry);
    at = patternsEnd + 1;
  }
}

GtkWindow* OwnerOf(Handle owner) {
  return Alive(owner) && GTK_IS_WINDOW(Widget(owner)) ? GTK_WINDOW(Widget(owner)) : nullptr;
}

}  // namespace

}  // namespace kv::gtk

namespace kv::platform {

void InitRequesters() { gtk::Available(); }
void EndRequesters() {}

std::vector<TopWindowState> ThreadTopWindows() {
  std::vector<TopWindowState> windows;
  if (!gtk::Available()) return windows;
  GList* toplevels = gtk_window_list_toplevels();
  for (GList* item = toplevels; item; item = item->next) {
    auto* widget = static_cast<GtkWidget*>(item->data);
    if (!gtk::Alive(gtk::HandleOf(widget))) continue;
    bool topmost = g_object_get_data(G_OBJECT(widget), "kv-topmost") != nullptr;
    windows.push_back({gtk::HandleOf(widget), gtk_widget_get_visible(widget) != FALSE,
                       gtk_widget_get_sensitive(widget) != FALSE, topmost});
  }
  g_list_free(toplevels);
  return windows;
}

Handle ForegroundWindow() {
  if (!gtk::Available()) return 0;
  Handle found = 0;
  GList* toplevels = gtk_window_list_toplevels();
  for (GList* item = toplevels; item; item = item->next) {
    auto* window = static_cast<GtkWidget*>(item->data);
    if (gtk::Alive(gtk::HandleOf(window)) && gtk_window_is_active(GTK_WINDOW(window))) {
      found = gtk::HandleOf(window);
    }
  }
  g_list_free(toplevels);
  return found;
}

void SetTopmost(Handle window, bool topmost) {
  GtkWidget* widget = gtk::Widget(window);
  gtk_window_set_keep_above(GTK_WINDOW(widget), topmost);
  g_object_set_data(G_OBJECT(widget), "kv-topmost", topmost ? GINT_TO_POINTER(1) : nullptr);
}

Text RunFileRequester(const FileRequest& request) {
  if (!gtk::Available()) return {};
  std::string title = gtk::Utf8(request.title);
  GtkFileChooserAction action =
      request.save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN;
  GtkWidget* dialog = gtk_file_chooser_dialog_new(
      title.c_str(), gtk::OwnerOf(request.owner), action, "_Cancel", GTK_RESPONSE_CANCEL,
      request.save ? "_Save" : "_Open", GTK_RESPONSE_ACCEPT, nullptr);
  auto* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
  gtk::AddFilters(chooser, request.filter, request.filterIndex);
  std::string directory = gtk::Utf8(request.directory);
  if (!directory.empty()) gtk_file_chooser_set_current_folder(chooser, directory.c_str());
  std::string name = gtk::Utf8(request.fileName);
  if (!name.empty() && request.save) gtk_file_chooser_set_current_name(chooser, name.c_str());
  if (!name.empty() && !request.save) gtk_file_chooser_set_filename(chooser, name.c_str());
  Text chosen;
  if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
    gchar* path = gtk_file_chooser_get_filename(chooser);
    chosen = gtk::FromUtf8(path);
    g_free(path);
  }
  gtk_widget_destroy(dialog);
  return chosen;
}

int RunMessageBox(Handle owner, TextView title, TextView text, int flags) {
  if (!gtk::Available()) return 0;
  std::string message = gtk::Utf8(text);
  GtkWidget* dialog = gtk_message_dialog_new(gtk::OwnerOf(owner), GTK_DIALOG_MODAL,
                                             gtk::IconOf(flags), GTK_BUTTONS_NONE, "%s",
                                             message.c_str());
  std::string caption = gtk::Utf8(title);
  gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
  std::vector<gtk::Choice> choices = gtk::ChoicesOf(flags);
  for (const gtk::Choice& choice : choices) {
    gtk_dialog_add_button(GTK_DIALOG(dialog), choice.label, choice.answer);
  }
  size_t preferred = static_cast<size_t>((flags & gtk::kDefaultMask) >> 8);
  if (preferred < choices.size()) {
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), choices[preferred].answer);
  }
  int answer = gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
  return answer > 0 ? answer : gtk::AnswerOnClose(choices);
}

}  // namespace kv::platform
