#include "preview.h"

#include <cstdio>
#include <string>

#include "dialog/dialog.h"
#include "toolkit/dpi.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/top_windows.h"
#include "xml/parse.h"

namespace kv {

namespace {

constexpr char kUsage[] =
    "usage: dialog-preview [--keep-open] FILE [WINDOW-NAME]\n"
    "Opens a window of a dialog description file (the first one when no name\n"
    "is given) and prints its layout tree, one item per line:\n"
    "  DEPTH ELEMENT NAME GADGET X Y WIDTH HEIGHT\n"
    "with \"-\" for an item without a name and -1 for one without a gadget.\n"
    "On a build error prints the error and exits with 1.\n";
constexpr char kKeepOpenUsage[] =
    "  --keep-open  keep the window open until it is closed\n";

struct Options {
  Text path;
  Text window;
  bool keepOpen = false;
};

void Print(std::FILE* to, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), to);
}

bool ParseOptions(const std::vector<Text>& args, bool canKeepOpen, Options* options) {
  std::vector<Text> names;
  for (const Text& arg : args) {
    if (arg == u"--keep-open" && canKeepOpen) {
      options->keepOpen = true;
    } else if (arg.starts_with(u"-")) {
      return false;
    } else {
      names.push_back(arg);
    }
  }
  if (names.empty() || names.size() > 2) return false;
  options->path = names[0];
  if (names.size() == 2) options->window = names[1];
  return true;
}

void PrintLayout(int dialog) {
  for (const PlacedItem& item : DialogLayout(dialog)) {
    std::string name = item.name.empty() ? "-" : EncodeUtf8(item.name);
    Print(stdout, std::to_string(item.depth) + " " + EncodeUtf8(item.element) + " " + name + " " +
                      std::to_string(item.gadget) + " " + std::to_string(item.x) + " " +
                      std::to_string(item.y) + " " + std::to_string(item.width) + " " +
                      std::to_string(item.height) + "\n");
  }
  std::fflush(stdout);
}

void SetUp() {
  InitDpiScale();
  InitEventLibrary();
  InitWindowLibrary();
  InitGadgetLibrary();
  InitDialogLibrary();
  InitRequesters();
}

void TearDown() {
  EndDialogLibrary();
  EndGadgetLibrary();
  EndWindowLibrary();
  EndEventLibrary();
  FreeAllXmlDocuments();
}

// 0 when the window was built and shown as asked.
int Preview(const Options& options) {
  XmlDocument* document = LoadXmlFile(KV_Any, options.path);
  if (!document) {
    Print(stderr, "dialog-preview: cannot read " + EncodeUtf8(options.path) + "\n");
    return 2;
  }
  if (document->status != 0) {
    Print(stderr, "error " + std::to_string(document->errorLine) + ":" +
                      std::to_string(document->errorColumn) + ": " +
                      EncodeUtf8(document->errorMessage) + "\n");
    return 1;
  }
  int dialog = NewDialog(KV_Any);
  if (!OpenDialogWindow(dialog, document, options.window)) {
    Text error = DialogErrorText(dialog);
    Print(stderr, error.empty() ? "dialog-preview: the window could not be opened\n"
                                : EncodeUtf8(error) + "\n");
    return 1;
  }
  PrintLayout(dialog);
  if (options.keepOpen) {
    while (WaitForEvent(-1) != EV_CLOSE) {
    }
  }
  return 0;
}

}  // namespace

int RunDialogPreview(const std::vector<Text>& args, bool canKeepOpen) {
  Options options;
  if (!ParseOptions(args, canKeepOpen, &options)) {
    Print(stderr, kUsage);
    if (canKeepOpen) Print(stderr, kKeepOpenUsage);
    return 2;
  }
  SetUp();
  int status = Preview(options);
  TearDown();
  return status;
}

}  // namespace kv
