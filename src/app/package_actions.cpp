#include "app/package_actions.h"

#include "app/adb.h"
#include "app/adb_answers.h"
#include "app/command_queue.h"
#include "app/device_lists.h"
#include "app/main_window.h"
#include "app/selection.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/top_windows.h"

namespace kv {

namespace {

enum class Action { None, Enable, Disable, Uninstall, Reinstall, Dump };

Action ActionOf(const PackageTab& tab, int button) {
  if (button == tab.enable) return Action::Enable;
  if (button == tab.disable) return Action::Disable;
  if (button == tab.uninstall) return Action::Uninstall;
  if (button == tab.reinstall) return Action::Reinstall;
  if (button == tab.dump) return Action::Dump;
  return Action::None;
}

bool Confirmed(TextView caption, TextView scope, TextView package) {
  Text question = u"Use action \"" + Text(caption) + u"\"\r\nwith " + Text(scope) + u" app \"" +
                  Text(package) + u"\"?";
  int flags = KV_MessageBox_YesNo | KV_MessageBox_Warning;
  return ShowMessageBox(GetWindowCaption(GADGETS.window), question, flags) ==
         KV_MessageBox_AnswerYes;
}

void Carry(Action action, const PackageTab& tab, const Text& package) {
  bool user = tab.uninstalled == -1;
  auto stateChange = user ? ParseUserStateChange : ParseSystemStateChange;
  switch (action) {
    case Action::Enable:
      EnqueueAdbCommand(Text(adb::kEnable) + package, stateChange, package);
      break;
    case Action::Disable:
      EnqueueAdbCommand(Text(adb::kDisable) + package, stateChange, package);
      break;
    case Action::Uninstall:
      EnqueueAdbCommand(Text(adb::kUninstall) + package,
                        user ? ParseUserUninstall : ParseSystemUninstall, package);
      break;
    case Action::Reinstall:
      if (user) {
        ShowMessageBox(GetWindowCaption(GADGETS.window), u"Only system apps may be re-installed");
        break;
      }
      // The enable's answer is of no interest; the install's says it all.
      EnqueueAdbCommand(Text(adb::kEnable) + package, nullptr, package);
      EnqueueAdbCommand(Text(adb::kInstallExisting) + package, ParseReinstall, package);
      break;
    case Action::Dump:
      ShowMessageBox(u"Dump", u"TODO");
      break;
    case Action::None:
      break;
  }
}

void RemoveName(int list, TextView name) {
  int item = FindListItem(list, name);
  if (item != -1) DeleteGadgetItem(list, item);
}

void AddName(int list, TextView name) {
  if (FindListItem(list, name) == -1) InsertGadgetItem(list, -1, name);
}

// Every result handler ends the same way: counts refreshed, and a failure
// that printed nothing on standard output still reaches the status field.
void EndResult() {
  UpdateTabTitles();
  ShowCommandFailure();
}

void ShowAnswer(const Text& line) {
  WriteGadgetText(GADGETS.txtGenStatus, line);
}

void ParseStateChange(const PackageTab& tab, const Text& line, int phase) {
  if (phase == PhaseEnd) return EndResult();
  if (!IsLinePhase(phase)) return;
  if (std::optional<StateChange> change = StateChangeOfLine(line)) {
    // A package uninstalled for the user stays where it is.
    bool uninstalled = tab.uninstalled != -1 && FindListItem(tab.uninstalled, change->name) != -1;
    if (!uninstalled && change->state == adb::kStateDisabled) {
      RemoveName(tab.enabled, change->name);
      AddName(tab.disabled, change->name);
    } else if (!uninstalled && change->state == adb::kStateEnabled) {
      RemoveName(tab.disabled, change->name);
      AddName(tab.enabled, change->name);
    }
  }
  ShowAnswer(line);
}

void ParseUninstall(const PackageTab& tab, const Text& line, int phase, const Text& package) {
  if (phase == PhaseEnd) return EndResult();
  if (!IsLinePhase(phase)) return;
  if (IsUninstallSuccess(line)) {
    RemoveName(tab.enabled, package);
    RemoveName(tab.disabled, package);
    if (tab.uninstalled != -1) AddName(tab.uninstalled, package);
  }
  ShowAnswer(line);
}

}  // namespace

void OnPackageAction() {
  int button = CurrentEventObject();
  PackageTab tab = UserTab();
  Action action = ActionOf(tab, button);
  if (action == Action::None) {
    tab = SystemTab();
    action = ActionOf(tab, button);
  }
  if (action == Action::None) return;
  Text package = ReadGadgetText(tab.selected);
  if (package.empty()) return;
  // The name is appended to a command the device's shell runs.
  if (!IsPackageName(package)) {
    WriteGadgetText(GADGETS.txtGenStatus,
                    u"Not a package name, nothing sent to adb: \"" + package + u"\"");
    return;
  }
  if (action != Action::Dump && !Confirmed(ReadGadgetText(button), tab.scope, package)) return;
  Carry(action, tab, package);
  WriteGadgetText(GADGETS.txtUSelected, u"");
  WriteGadgetText(GADGETS.txtSSelected, u"");
  UpdateActionButtons();
}

void ParseUserStateChange(const Text& line, int phase, const Text&) {
  ParseStateChange(UserTab(), line, phase);
}

void ParseSystemStateChange(const Text& line, int phase, const Text&) {
  ParseStateChange(SystemTab(), line, phase);
}

void ParseUserUninstall(const Text& line, int phase, const Text& commandKey) {
  ParseUninstall(UserTab(), line, phase, commandKey);
}

void ParseSystemUninstall(const Text& line, int phase, const Text& commandKey) {
  ParseUninstall(SystemTab(), line, phase, commandKey);
}

void ParseReinstall(const Text& line, int phase, const Text& commandKey) {
  if (phase == PhaseEnd) return EndResult();
  if (!IsLinePhase(phase)) return;
  const MainGadgets& g = GADGETS;
  if (IsInstalledForUser(line)) {
    RemoveName(g.lstSDisabled, commandKey);
    RemoveName(g.lstSUninstalled, commandKey);
    AddName(g.lstSEnabled, commandKey);
  }
  ShowAnswer(line);
}

}  // namespace kv
