// The dialog registry, the window opening sequence and the entry points that
// lay a window out.
#include "dialog/dialog.h"

#include <algorithm>
#include <map>

#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/items.h"
#include "runtime/object_table.h"
#include "toolkit/events.h"

namespace kv {

namespace {

using dialog::LayoutItem;
using dialog::WindowItem;

constexpr int kGrowthStep = 10;
constexpr int kCentring = KV_Window_ScreenCentered | KV_Window_WindowCentered;

struct Dialog {
  std::unique_ptr<WindowItem> root;  // of the window last opened
  Text errorText;
};

void ReleaseOne(int number);

struct Library {
  ObjectTable<Dialog> dialogs{kGrowthStep, ReleaseOne};
  std::map<int, WindowItem*> windows;  // window number -> its layout
};

Library& State() {
  static Library library;
  return library;
}

bool IsOpen(const WindowItem& root) {
  return root.handle && GetWindowHandle(root.window) == root.handle;
}

// The window-resized event: the same layout in the new size, from the sizes
// measured last.
void OnWindowSized() {
  auto found = State().windows.find(CurrentEventWindow());
  if (found == State().windows.end()) return;
  WindowItem& root = *found->second;
  root.SetGeometry({0, 0, GetWindowInnerWidth(root.window), GetWindowInnerHeight(root.window)});
}

// Forgets the dialog's tree; its window stays as it is.
void DropRoot(Dialog& dialog) {
  if (!dialog.root) return;
  WindowItem& root = *dialog.root;
  auto found = State().windows.find(root.window);
  if (found != State().windows.end() && found->second == &root) {
    State().windows.erase(found);
    if (IsOpen(root)) UnbindEventHandler(EV_SIZE, OnWindowSized, root.window, -1, -1);
  }
  dialog.root.reset();
}

// Drops the tree and closes the window it was built for, unless that window
// is gone already.
void CloseDialogWindow(Dialog& dialog) {
  if (!dialog.root) return;
  int window = dialog.root->window;
  bool open = IsOpen(*dialog.root);
  DropRoot(dialog);
  if (open) DisposeWindow(window);
}

// A failed open leaves no window from the dialog, its earlier one included.
int FailOpen(Dialog& dialog, Text error) {
  dialog.errorText = std::move(error);
  CloseDialogWindow(dialog);
  return 0;
}

void ReleaseOne(int number) {
  if (Dialog* dialog = State().dialogs.Find(number)) CloseDialogWindow(*dialog);
}

// A window element matches an empty name, or one equal to its first NAME.
bool WindowMatches(const XmlNode* window, TextView name) {
  if (name.empty()) return true;
  int count = XmlAttributeCount(window);
  for (int i = 0; i < count; ++i) {
    XmlAttributeView attribute = XmlAttributeAt(window, i);
    if (EqualNoCase(attribute.name, u"NAME")) return EqualNoCase(attribute.value, name);
  }
  return false;
}

bool IsElement(const XmlNode* node, TextView name) {
  return node->kind == NodeElement && EqualNoCase(XmlNodeName(node), name);
}

// A root window, or the first matching window under a root "dialogs".
const XmlNode* FindWindowElement(const XmlDocument* document, TextView name) {
  const XmlNode* root = XmlMainNode(document);
  if (!root) return nullptr;
  if (IsElement(root, u"window")) return WindowMatches(root, name) ? root : nullptr;
  if (!IsElement(root, u"dialogs")) return nullptr;
  for (const XmlNode* node = XmlFirstChild(root); node; node = XmlNextSibling(node)) {
    if (IsElement(node, u"window") && WindowMatches(node, name)) return node;
  }
  return nullptr;
}

// Creates the window hidden; it is shown once laid out.
bool CreateWindowOf(WindowItem& root, int x, int y, int width, int height, Handle owner) {
  int flags = static_cast<int>(root.flags) | KV_Window_Invisible;
  Handle created = NewWindow(dialog::CreationNumber(root), x, y, width, height, root.text, flags,
                             owner);
  root.window = dialog::CreatedNumber(root, created);
  root.handle = GetWindowHandle(root.window);
  return root.window != -1;
}

// Both passes, then the window takes the inner size: at least width x height
// and what the content requires.
void LayOut(WindowItem& root, int width, int height) {
  dialog::Size need = root.RequiredSize();
  int innerWidth = std::max(width, need.width);
  int innerHeight = std::max(height, need.height);
  root.SetGeometry({0, 0, innerWidth, innerHeight});
  PlaceWindow(root.window, KEEP_CURRENT, KEEP_CURRENT, innerWidth, innerHeight);
}

void CollectPlaced(const LayoutItem& item, int depth, std::vector<PlacedItem>* out) {
  const dialog::Rect& at = item.placed;
  out->push_back({depth, dialog::ElementTypeOf(item.kind).name, item.name, item.gadget, at.x,
                  at.y, at.width, at.height});
  for (const dialog::ItemPtr& child : item.children) CollectPlaced(*child, depth + 1, out);
}

}  // namespace

void InitDialogLibrary() { State() = Library{}; }

void EndDialogLibrary() {
  State().dialogs.Free(KV_Any);
  State().windows.clear();
}

int NewDialog(int number) {
  int assigned = 0;
  if (!State().dialogs.Create(number, &assigned)) return 0;
  return number == KV_Any ? assigned : 1;
}

int OpenDialogWindow(int number, const XmlDocument* document, TextView name, int x, int y,
                     int width, int height, Handle owner) {
  // Only a known dialog.
  Dialog* dialog = State().dialogs.Find(number);
  if (!dialog) return 0;
  // A fresh build: no error, no open panels.
  dialog->errorText.clear();
  dialog::Build build;
  // The window element.
  const XmlNode* element = FindWindowElement(document, name);
  if (!element) return FailOpen(*dialog, dialog::WindowNotFoundError());
  // The window item and its window, which takes over from the dialog's
  // earlier tree; the earlier window stays unless this build fails.
  auto root = dialog::CreateWindowItem(element, build);
  if (build.Failed()) return FailOpen(*dialog, build.error);
  int earlierWindow = DialogWindowOf(number);
  Handle earlierHandle = earlierWindow == -1 ? 0 : GetWindowHandle(earlierWindow);
  if (!CreateWindowOf(*root, x, y, width, height, owner)) return FailOpen(*dialog, {});
  DropRoot(*dialog);
  build.window = root->window;
  State().windows[root->window] = root.get();
  BindEventHandler(EV_SIZE, OnWindowSized, root->window, -1, -1);
  // The content.
  dialog->root = std::move(root);
  BuildChildren(*dialog->root, XmlFirstChild(element), build);
  if (!build.Failed()) CreatePendingOptions(*dialog->root);
  // A failed build leaves no tree and no window.
  if (build.Failed()) {
    bool earlierOpen = earlierHandle && GetWindowHandle(earlierWindow) == earlierHandle;
    if (earlierOpen) DisposeWindow(earlierWindow);
    return FailOpen(*dialog, build.error);
  }
  // Lay out, centre again for the new size, and show.
  WindowItem& window = *dialog->root;
  LayOut(window, width, height);
  int flags = static_cast<int>(window.flags);
  if (flags & kCentring) CentreWindow(window.handle, flags, owner);
  if (!(flags & KV_Window_Invisible)) SetWindowHidden(window.window, 0, 0);
  return 1;
}

int DialogWindowOf(int number) {
  Dialog* dialog = State().dialogs.Find(number);
  return dialog && dialog->root ? dialog->root->window : -1;
}

int FindDialogGadget(int number, TextView name) {
  Dialog* dialog = State().dialogs.Find(number);
  if (!dialog || !dialog->root) return -1;
  LayoutItem* item = dialog->root->FindByName(name);
  return item ? item->gadget : -1;
}

int RelayoutDialog(int number) {
  Dialog* dialog = State().dialogs.Find(number);
  if (!dialog || !dialog->root || !IsOpen(*dialog->root)) return 0;
  WindowItem& root = *dialog->root;
  LayOut(root, GetWindowInnerWidth(root.window), GetWindowInnerHeight(root.window));
  return 1;
}

void ReleaseDialog(int number) { State().dialogs.Free(number); }

Text DialogErrorText(int number) {
  Dialog* dialog = State().dialogs.Find(number);
  return dialog ? dialog->errorText : Text{};
}

std::vector<PlacedItem> DialogLayout(int number) {
  std::vector<PlacedItem> items;
  Dialog* dialog = State().dialogs.Find(number);
  if (dialog && dialog->root) CollectPlaced(*dialog->root, 0, &items);
  return items;
}

}  // namespace kv
