#include "app/device_lists.h"

#include <memory>
#include <span>
#include <unordered_set>
#include <vector>

#include "app/adb.h"
#include "app/adb_answers.h"
#include "app/adb_location.h"
#include "app/device_choice.h"
#include "app/program.h"
#include "app/selection.h"
#include "storage/file_paths.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

enum class Lines { AsPrinted, PackageNames };
enum class Order { Sorted, AsPrinted };
enum class Start { Empties, Continues };
// The query of every system package keeps what the enabled and disabled
// queries did not list.
enum class Listed { Ignores, Keeps, Excludes };

struct ReloadRow {
  TextView parameters;
  int MainGadgets::*list;
  Lines lines = Lines::AsPrinted;
  Order order = Order::Sorted;
  Start start = Start::Empties;
  Listed listed = Listed::Ignores;
  // Also handed the collected lines before they fill the list.
  void (*alsoTake)(Program&, std::span<const Text>) = nullptr;
};

// Order matters: the device information text is the "devices" output then
// the services, and the uninstalled packages are what the enabled and
// disabled queries did not list.
constexpr ReloadRow kReloadRows[] = {
    {adb::kDevices, &MainGadgets::lstDInfo, Lines::AsPrinted, Order::AsPrinted, Start::Empties,
     Listed::Ignores, TakeAttachedDevices},
    {adb::kListLibraries, &MainGadgets::lstSLibraries},
    {adb::kListModules, &MainGadgets::lstSModules},
    {adb::kDumpsysList, &MainGadgets::lstDInfo, Lines::AsPrinted, Order::AsPrinted,
     Start::Continues},
    {adb::kSettingsGlobal, &MainGadgets::lstCGlobal},
    {adb::kSettingsSecure, &MainGadgets::lstCSecure},
    {adb::kSettingsSystem, &MainGadgets::lstCSystem},
    {adb::kUserEnabled, &MainGadgets::lstUEnabled, Lines::PackageNames},
    {adb::kUserDisabled, &MainGadgets::lstUDisabled, Lines::PackageNames},
    {adb::kSystemEnabled, &MainGadgets::lstSEnabled, Lines::PackageNames, Order::Sorted,
     Start::Empties, Listed::Keeps},
    {adb::kSystemDisabled, &MainGadgets::lstSDisabled, Lines::PackageNames, Order::Sorted,
     Start::Empties, Listed::Keeps},
    {adb::kSystemAll, &MainGadgets::lstSUninstalled, Lines::PackageNames, Order::Sorted,
     Start::Empties, Listed::Excludes},
};

// Names the enabled and disabled system queries listed, handed by one Reload
// from those two loads to the load of every system package.
using ListedNames = std::vector<Text>;

// One Reload row while its command runs: its lines are collected here and
// reach the list once, at the end.
struct ListLoad {
  const ReloadRow& row;
  int list;
  std::shared_ptr<ListedNames> listed;
  std::vector<Text> lines;
  std::size_t shown = 0;  // lines already in the list
};

// Lines kept as printed go to their list a batch at a time while adb writes,
// so no pass lays out a long text at once: a rich edit control under Wine
// takes 2 to 3 ms for 16 lines, and a pass may read lines for 4 ms besides.
constexpr std::size_t kShownBatch = 16;

void ShowNewLines(ListLoad& load) {
  std::span<const Text> fresh = std::span<const Text>(load.lines).subspan(load.shown);
  if (!fresh.empty()) AppendGadgetItems(load.list, fresh);
  load.shown = load.lines.size();
}

void BeginLoad(const ListLoad& load) {
  if (load.row.start == Start::Empties) ClearGadget(load.list);
}

void TakeLine(ListLoad& load, Text line) {
  if (load.row.lines == Lines::AsPrinted) {
    load.lines.push_back(std::move(line));
  } else if (std::optional<Text> name = PackageOfListLine(line)) {
    load.lines.push_back(std::move(*name));
  }
  if (load.row.order == Order::AsPrinted && load.lines.size() - load.shown >= kShownBatch) {
    ShowNewLines(load);
  }
}

// Drops from names what was listed: a name listed as it is, else one that
// equals without regard to case a listed name that no name matched as it is
// (adb may answer in another case, yet two packages may differ only in case).
void DropListed(std::vector<Text>& names, const ListedNames& listed) {
  std::unordered_set<Text> exact(listed.begin(), listed.end());
  std::unordered_set<Text> unmatched = exact;
  for (const Text& name : names) unmatched.erase(name);
  std::unordered_multiset<Text> folded;
  for (const Text& name : unmatched) folded.insert(FoldCase(name));
  std::erase_if(names, [&](const Text& name) {
    if (exact.count(name)) return true;
    auto match = folded.find(FoldCase(name));
    if (match == folded.end()) return false;
    folded.erase(match);
    return true;
  });
}

void EndLoad(ListLoad& load) {
  if (load.row.listed == Listed::Keeps) {
    load.listed->insert(load.listed->end(), load.lines.begin(), load.lines.end());
  } else if (load.row.listed == Listed::Excludes) {
    DropListed(load.lines, *load.listed);
  }
  if (load.row.order == Order::Sorted) SortNoCase(load.lines);
  ShowNewLines(load);
  load.lines = {};
  load.shown = 0;
}

CommandSteps LoadSteps(Program& program, const ReloadRow& row,
                       std::shared_ptr<ListedNames> listed) {
  auto load = std::make_shared<ListLoad>(ListLoad{row, program.g.*row.list, std::move(listed), {}});
  return {[load] { BeginLoad(*load); },
          [load](Text line) { TakeLine(*load, std::move(line)); },
          [load, &program](const CommandOutcome& outcome) {
            if (load->row.alsoTake) load->row.alsoTake(program, load->lines);
            EndLoad(*load);
            FinishCommand(program, outcome);
          }};
}

Text Counted(TextView title, int count) {
  return Text(title) + u" [" + AsciiText(std::to_string(count)) + u"]";
}

// The configured adb, or, while the user has set none, one found where adb
// usually lies, which then stands in the path field as if typed.
bool FindAdb(Program& program) {
  if (FileSizeByPath(program.AdbPath()) >= 0) return true;
  if (program.AdbPath() != DefaultAdbPath()) return false;
  Text found = FindInstalledAdb();
  if (found.empty()) return false;
  program.config.ADBPath = found;
  WriteGadgetText(program.g.txtOADBPath, found);
  return true;
}

}  // namespace

void Reload(Program& program) {
  const MainGadgets& g = program.g;
  program.channel.Clear();
  if (!FindAdb(program)) {
    WriteGadgetText(g.txtGenStatus, u"ADB.exe not found");
    WriteGadgetState(g.panMain, TabSettings);
  } else {
    WriteGadgetText(g.txtGenStatus, u"");
    auto listed = std::make_shared<ListedNames>();
    for (const ReloadRow& row : kReloadRows) {
      program.channel.Enqueue(row.parameters, LoadSteps(program, row, listed));
    }
  }
  ClearPackagePicks(program);
}

void FinishCommand(Program& program, const CommandOutcome& outcome) {
  UpdateTabTitles(program.g);
  Text failure = FailureOfCommand(outcome, program.AdbPath());
  if (!failure.empty()) WriteGadgetText(program.g.txtGenStatus, failure);
}

void UpdateTabTitles(const MainGadgets& g) {
  int userEnabled = GadgetItemCount(g.lstUEnabled), userDisabled = GadgetItemCount(g.lstUDisabled);
  int systemEnabled = GadgetItemCount(g.lstSEnabled);
  int systemDisabled = GadgetItemCount(g.lstSDisabled);
  int systemUninstalled = GadgetItemCount(g.lstSUninstalled);
  WriteGadgetItemText(g.panMain, TabUser, Counted(u"USER", userEnabled + userDisabled));
  WriteGadgetItemText(g.panMain, TabSystem,
                      Counted(u"SYSTEM", systemEnabled + systemDisabled + systemUninstalled));
  WriteGadgetItemText(g.panU, TabEnabled, Counted(u"ENABLED", userEnabled));
  WriteGadgetItemText(g.panU, TabDisabled, Counted(u"DISABLED", userDisabled));
  WriteGadgetItemText(g.panS, TabEnabled, Counted(u"ENABLED", systemEnabled));
  WriteGadgetItemText(g.panS, TabDisabled, Counted(u"DISABLED", systemDisabled));
  WriteGadgetItemText(g.panS, TabUninstalled, Counted(u"UNINSTALLED", systemUninstalled));
}

}  // namespace kv
