// The folder-browsing kinds: a multi-column list, a tree and a combo box of
// the backend, filled here from the file system. Which entries show, in
// which order, and where the user's choice leads is decided once for every
// platform.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "detail/core.h"
#include "toolkit/dpi.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

namespace fs = std::filesystem;

constexpr int kNameColumnWidth = 300;  // units

struct ExplorerState : GadgetData {
  Text folder;              // empty: the roots
  int flags = 0;
  std::vector<Text> paths;  // of the items, in item order
};

ExplorerState& StateOf(GadgetObject& g) { return static_cast<ExplorerState&>(*g.state); }

// The backend's list, tree or combo box under the rules of this file.
const GadgetKind& Base(GadgetObject& g) { return detail::PlatformSlots(g); }

Text PathText(const fs::path& path) { return path.u16string(); }

Text NameOf(const Text& path) {
  Text name = PathText(fs::path(path).filename());
  return name.empty() ? path : name;  // a root is its own name
}

struct Entry {
  Text name;
  Text path;
  bool folder = false;
};

// The folders, then the files, of a folder; unreadable entries are left out.
std::vector<Entry> ReadFolder(const Text& folder, int flags) {
  std::vector<Entry> entries;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end;
       it.increment(error)) {
    std::error_code kindError;
    bool isFolder = it->is_directory(kindError);
    if (kindError) continue;
    if (isFolder ? (flags & KV_Explorer_NoFolders) : (flags & KV_Explorer_NoFiles)) continue;
    entries.push_back({PathText(it->path().filename()), PathText(it->path()), isFolder});
  }
  bool sorted = !(flags & KV_Explorer_NoSort);
  std::stable_sort(entries.begin(), entries.end(), [sorted](const Entry& a, const Entry& b) {
    if (a.folder != b.folder) return a.folder;
    return sorted && CompareNoCase(a.name, b.name) < 0;
  });
  return entries;
}

// The folders from the root down to folder, the root first.
std::vector<Text> FoldersOnTheWay(const Text& folder) {
  std::vector<Text> way;
  for (fs::path p(folder); !p.empty(); p = p.parent_path()) {
    way.push_back(PathText(p));
    if (p == p.parent_path()) break;
  }
  std::reverse(way.begin(), way.end());
  return way;
}

void Add(GadgetObject& g, const Text& text, const Text& path, int data, int level = 0) {
  const GadgetKind& base = Base(g);
  int item = base.itemCount(g);
  if (base.insertLevelItem) {
    base.insertLevelItem(g, -1, text, level);
  } else {
    base.insertItem(g, -1, text);
  }
  base.writeItemData(g, item, data);
  StateOf(g).paths.push_back(path);
}

void FillList(GadgetObject& g, const ExplorerState& state) {
  if (state.folder.empty()) {
    for (const Text& root : platform::FileSystemRoots()) Add(g, root, root, KV_Explorer_Folder);
    return;
  }
  fs::path folder(state.folder);
  if (!(state.flags & KV_Explorer_NoParentFolder) && folder.has_relative_path()) {
    Add(g, u"..", PathText(folder.parent_path()), KV_Explorer_Folder);
  }
  for (const Entry& entry : ReadFolder(state.folder, state.flags)) {
    Add(g, entry.name, entry.path, entry.folder ? KV_Explorer_Folder : KV_Explorer_File);
  }
}

// Each root; under the folder's root the folders on the way down to it,
// opened, then its own folders.
void FillTree(GadgetObject& g, const ExplorerState& state) {
  std::vector<Text> way = FoldersOnTheWay(state.folder);
  std::vector<int> opened;
  for (const Text& root : platform::FileSystemRoots()) {
    Add(g, root, root, KV_Explorer_Folder);
    if (way.empty() || !EqualNoCase(way.front(), root)) continue;
    opened.push_back(Base(g).itemCount(g) - 1);
    int level = 1;
    for (size_t i = 1; i < way.size(); ++i, ++level) {
      opened.push_back(Base(g).itemCount(g));
      Add(g, NameOf(way[i]), way[i], KV_Explorer_Folder, level);
    }
    for (const Entry& entry : ReadFolder(state.folder, state.flags | KV_Explorer_NoFiles)) {
      Add(g, entry.name, entry.path, KV_Explorer_Folder, level);
    }
  }
  for (int item : opened) Base(g).writeItemState(g, item, KV_Item_Expanded);
}

// The roots, with the folders on the way to the folder after its root.
void FillCombo(GadgetObject& g, const ExplorerState& state) {
  std::vector<Text> way = FoldersOnTheWay(state.folder);
  for (const Text& root : platform::FileSystemRoots()) {
    Add(g, root, root, KV_Explorer_Folder);
    if (way.empty() || !EqualNoCase(way.front(), root)) continue;
    if (state.flags & KV_Explorer_DrivesOnly) continue;
    for (size_t i = 1; i < way.size(); ++i) Add(g, way[i], way[i], KV_Explorer_Folder);
  }
}

void Select(GadgetObject& g, const Text& path) {
  std::vector<Text>& paths = StateOf(g).paths;
  auto found = std::find(paths.begin(), paths.end(), path);
  if (found != paths.end()) Base(g).writeState(g, static_cast<int>(found - paths.begin()));
}

void Open(GadgetObject& g, TextView folder) {
  ExplorerState& state = StateOf(g);
  state.folder = Text(folder);
  state.paths.clear();
  Base(g).clearItems(g);
  switch (g.kind->code) {
    case GK_EXPLORERLIST: FillList(g, state); break;
    case GK_EXPLORERTREE: FillTree(g, state); break;
    default: FillCombo(g, state); break;
  }
  if (g.kind->code != GK_EXPLORERLIST) Select(g, state.folder);
}

Text ReadText(GadgetObject& g) { return StateOf(g).folder; }

void WriteText(GadgetObject& g, TextView folder) { Open(g, folder); }

// The path of the selected item, when it is a folder.
bool ChosenFolder(GadgetObject& g, Text* path) {
  int item = Base(g).readState(g);
  const std::vector<Text>& paths = StateOf(g).paths;
  if (item < 0 || item >= static_cast<int>(paths.size())) return false;
  if (Base(g).readItemData(g, item) != KV_Explorer_Folder) return false;
  *path = paths[static_cast<size_t>(item)];
  return true;
}

// A double-click opens a folder of the list; choosing one in the tree or
// the combo box opens it there.
void React(GadgetObject& g, int type) {
  bool list = g.kind->code == GK_EXPLORERLIST;
  if (type != (list ? ET_LEFT_DOUBLE_CLICK : ET_CHANGE)) return;
  Text path;
  if (!ChosenFolder(g, &path) || path == StateOf(g).folder) return;
  if (StateOf(g).flags & KV_Explorer_NoDirectoryChange) return;
  {
    detail::SuspendedEvents quiet;
    Open(g, path);
  }
  if (list) QueueGadgetEvent(g, ET_CHANGE);
}

GadgetKind ExplorerTable(int code, const platform::KindRecord& base) {
  GadgetKind kind = platform::KindSlots(base);
  kind.code = code;
  kind.readText = ReadText;
  kind.writeText = WriteText;
  kind.react = React;
  return kind;
}

Handle NewExplorer(int kind, int number, int x, int y, int width, int height, TextView folder,
                   int flags) {
  GadgetObject* g = detail::CreateGadget(kind, number, x, y, width, height, {}, flags);
  if (!g) return 0;
  auto state = std::make_unique<ExplorerState>();
  state->flags = flags;
  g->state = std::move(state);
  if (kind == GK_EXPLORERLIST) Base(*g).addColumn(*g, 0, u"Name", ToPixelsX(kNameColumnWidth));
  detail::SuspendedEvents quiet;
  Open(*g, folder);
  return detail::CreationResult(number, g);
}

}  // namespace

namespace detail {

const GadgetKind& ExplorerListKind() {
  static const GadgetKind kind = ExplorerTable(GK_EXPLORERLIST, platform::ExplorerListRecord());
  return kind;
}

const GadgetKind& ExplorerTreeKind() {
  static const GadgetKind kind = ExplorerTable(GK_EXPLORERTREE, platform::ExplorerTreeRecord());
  return kind;
}

const GadgetKind& ExplorerComboKind() {
  static const GadgetKind kind =
      ExplorerTable(GK_EXPLORERCOMBO, platform::ExplorerComboRecord());
  return kind;
}

}  // namespace detail

Handle NewExplorerList(int number, int x, int y, int width, int height, TextView folder,
                       int flags) {
  return NewExplorer(GK_EXPLORERLIST, number, x, y, width, height, folder, flags);
}

Handle NewExplorerTree(int number, int x, int y, int width, int height, TextView folder,
                       int flags) {
  return NewExplorer(GK_EXPLORERTREE, number, x, y, width, height, folder, flags);
}

Handle NewExplorerCombo(int number, int x, int y, int width, int height, TextView folder,
                        int flags) {
  return NewExplorer(GK_EXPLORERCOMBO, number, x, y, width, height, folder, flags);
}

}  // namespace kv
