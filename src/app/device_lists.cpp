#include "app/device_lists.h"

#include <unordered_set>
#include <vector>

#include "app/adb.h"
#include "app/adb_answers.h"
#include "app/command_queue.h"
#include "app/config_record.h"
#include "app/main_window.h"
#include "app/selection.h"
#include "storage/file_paths.h"
#include "toolkit/gadgets.h"

namespace kv {

namespace {

// Lines of one command are collected here and reach the list once, sorted,
// at its end call.
struct Scratch {
  std::vector<Text> lines;
  int target = -1;
};

Scratch genericLines, userPackages, systemPackages;

// Folded names of the system packages the enabled and disabled queries
// listed, kept from their end calls: the lookups of the lines of the query of
// every system package then cost no scan of the lists. The queue runs these
// three queries one after the other, so nothing else changes the lists between.
std::unordered_set<Text> listedSystemPackages;

struct Query {
  TextView parameters;
  void (*handler)(const Text&, int, const Text&);
  TextView commandKey;
};

// Order matters: the device information text is the "devices" output then
// the services, and the uninstalled packages are what the enabled and
// disabled queries did not list.
constexpr Query kReloadQueries[] = {
    {adb::kDevices, ParseGenericList, u"DEVICES"},
    {adb::kListLibraries, ParseGenericList, u"LIBRARIES"},
    {adb::kListModules, ParseGenericList, u"MODULES"},
    {adb::kDumpsysList, ParseGenericList, u"DEVINFO"},
    {adb::kSettingsGlobal, ParseGenericList, u"SETTINGS_GLOBAL"},
    {adb::kSettingsSecure, ParseGenericList, u"SETTINGS_SECURE"},
    {adb::kSettingsSystem, ParseGenericList, u"SETTINGS_SYSTEM"},
    {adb::kUserEnabled, ParseUserPackageList, u"ENABLED"},
    {adb::kUserDisabled, ParseUserPackageList, u"DISABLED"},
    {adb::kSystemEnabled, ParseSystemPackageList, u"ENABLED"},
    {adb::kSystemDisabled, ParseSystemPackageList, u"DISABLED"},
    {adb::kSystemAll, ParseSystemPackageList, u"UNINSTALLED"},
};

int GenericTarget(TextView key) {
  if (key == u"DEVICES" || key == u"DEVINFO") return GADGETS.lstDInfo;
  if (key == u"LIBRARIES") return GADGETS.lstSLibraries;
  if (key == u"MODULES") return GADGETS.lstSModules;
  if (key == u"SETTINGS_GLOBAL") return GADGETS.lstCGlobal;
  if (key == u"SETTINGS_SECURE") return GADGETS.lstCSecure;
  if (key == u"SETTINGS_SYSTEM") return GADGETS.lstCSystem;
  return -1;
}

int PackageTarget(const PackageTab& tab, TextView key) {
  if (key == u"ENABLED") return tab.enabled;
  if (key == u"DISABLED") return tab.disabled;
  if (key == u"UNINSTALLED") return tab.uninstalled;
  return -1;
}

void KeepListed(const std::vector<Text>& names) {
  for (const Text& name : names) listedSystemPackages.insert(FoldCase(name));
}

void Begin(Scratch& scratch, int target, bool clearTarget) {
  scratch.target = target;
  scratch.lines.clear();
  if (clearTarget) ClearGadget(target);
}

void End(Scratch& scratch, bool sorted) {
  if (sorted) SortNoCase(scratch.lines);
  AppendGadgetItems(scratch.target, scratch.lines);
  scratch.lines.clear();
  scratch.target = -1;
  UpdateTabTitles();
  ShowCommandFailure();
}

void ParsePackageList(Scratch& scratch, const PackageTab& tab, const Text& line, int phase,
                      const Text& commandKey) {
  bool system = tab.uninstalled != -1;
  if (phase == PhaseBegin) {
    Begin(scratch, PackageTarget(tab, commandKey), true);
    if (system && scratch.target == tab.enabled) listedSystemPackages.clear();
  } else if (IsLinePhase(phase)) {
    std::optional<Text> name = PackageOfListLine(line);
    if (!name) return;
    bool allSystem = system && scratch.target == tab.uninstalled;
    if (allSystem && listedSystemPackages.count(FoldCase(*name))) return;
    scratch.lines.push_back(std::move(*name));
  } else if (phase == PhaseEnd) {
    if (system && scratch.target == tab.uninstalled) {
      listedSystemPackages.clear();
    } else if (system) {
      KeepListed(scratch.lines);
    }
    End(scratch, true);
  }
}

Text Counted(TextView title, int count) {
  return Text(title) + u" [" + AsciiText(std::to_string(count)) + u"]";
}

}  // namespace

void Reload() {
  ClearCommandQueue();
  if (FileSizeByPath(AdbPath()) < 0) {
    WriteGadgetText(GADGETS.txtGenStatus, u"ADB.exe not found");
    WriteGadgetState(GADGETS.panMain, TabSettings);
  } else {
    WriteGadgetText(GADGETS.txtGenStatus, u"");
    for (const Query& query : kReloadQueries) {
      EnqueueAdbCommand(query.parameters, query.handler, query.commandKey);
    }
  }
  WriteGadgetText(GADGETS.txtUSelected, u"");
  WriteGadgetText(GADGETS.txtSSelected, u"");
  UpdateActionButtons();
}

void ParseGenericList(const Text& line, int phase, const Text& commandKey) {
  if (phase == PhaseBegin) {
    Begin(genericLines, GenericTarget(commandKey), commandKey != u"DEVINFO");
  } else if (IsLinePhase(phase)) {
    genericLines.lines.push_back(line);
  } else if (phase == PhaseEnd) {
    End(genericLines, genericLines.target != GADGETS.lstDInfo);
  }
}

void ParseUserPackageList(const Text& line, int phase, const Text& commandKey) {
  ParsePackageList(userPackages, UserTab(), line, phase, commandKey);
}

void ParseSystemPackageList(const Text& line, int phase, const Text& commandKey) {
  ParsePackageList(systemPackages, SystemTab(), line, phase, commandKey);
}

void UpdateTabTitles() {
  const MainGadgets& g = GADGETS;
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

int FindListItem(int list, TextView name) {
  int count = GadgetItemCount(list);
  for (int item = 0; item < count; ++item) {
    if (EqualNoCase(ReadGadgetItemText(list, item), name)) return item;
  }
  return -1;
}

void ShowCommandFailure() {
  Text failure = FailureOfCommand(LastCommandOutcome(), AdbPath());
  if (!failure.empty()) WriteGadgetText(GADGETS.txtGenStatus, failure);
}

}  // namespace kv
