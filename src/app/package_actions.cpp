#include "app/package_actions.h"

#include <functional>

#include "app/adb.h"
#include "app/adb_answers.h"
#include "app/device_lists.h"
#include "app/list_names.h"
#include "app/package_dump.h"
#include "app/program.h"
#include "app/selection.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/top_windows.h"

namespace kv {

namespace {

int ButtonOf(const PackageTab& tab, Action action) {
  switch (action) {
    case Action::Uninstall: return tab.uninstall;
    case Action::Reinstall: return tab.reinstall;
    case Action::Dump: return tab.dump;
    case Action::Disable: return tab.disable;
    case Action::Enable: return tab.enable;
  }
  return -1;
}

bool Confirmed(const Program& program, TextView caption, TextView scope, TextView package) {
  Text question = u"Use action \"" + Text(caption) + u"\"\r\nwith " + Text(scope) + u" app \"" +
                  Text(package) + u"\"?";
  int flags = KV_MessageBox_YesNo | KV_MessageBox_Warning;
  return ShowMessageBox(GetWindowCaption(program.g.window), question, flags) ==
         KV_MessageBox_AnswerYes;
}

Text SpellingOn(const PackageTab& tab, TextView name) {
  return ListedSpelling({tab.enabled, tab.disabled, tab.uninstalled}, name);
}

// A name moves between a tab's lists as the window spells it, and is added
// as adb spelled it when no list held it as the window spells it.
void RemoveName(int list, TextView spelling) {
  int item = FindExactItem(list, spelling);
  if (item != -1) DeleteGadgetItem(list, item);
}

void AddName(int list, TextView spelling, TextView name) {
  if (FindExactItem(list, spelling) == -1) InsertGadgetItem(list, -1, name);
}

// The answer of an action: each line is taken, then shown in the status
// field, so it shows adb's last answer.
CommandSteps Answered(Program& program, std::function<void(const Text&)> take) {
  return {nullptr,
          [&program, take = std::move(take)](Text line) {
            take(line);
            WriteGadgetText(program.g.txtGenStatus, line);
          },
          [&program](const CommandOutcome& outcome) { FinishCommand(program, outcome); }};
}

void TakeStateChange(const PackageTab& tab, const Text& line) {
  std::optional<StateChange> change = StateChangeOfLine(line);
  if (!change) return;
  Text spelling = SpellingOn(tab, change->name);
  // A package uninstalled for the user stays where it is.
  if (tab.IsSystem() && FindExactItem(tab.uninstalled, spelling) != -1) return;
  if (change->state == adb::kStateDisabled) {
    RemoveName(tab.enabled, spelling);
    AddName(tab.disabled, spelling, change->name);
  } else if (change->state == adb::kStateEnabled) {
    RemoveName(tab.disabled, spelling);
    AddName(tab.enabled, spelling, change->name);
  }
}

void TakeUninstall(const PackageTab& tab, const Text& line, const Text& package) {
  if (!IsUninstallSuccess(line)) return;
  Text spelling = SpellingOn(tab, package);
  RemoveName(tab.enabled, spelling);
  RemoveName(tab.disabled, spelling);
  if (tab.IsSystem()) AddName(tab.uninstalled, spelling, package);
}

void TakeReinstall(const PackageTab& tab, const Text& line, const Text& package) {
  if (!IsInstalledForUser(line)) return;
  Text spelling = SpellingOn(tab, package);
  RemoveName(tab.disabled, spelling);
  RemoveName(tab.uninstalled, spelling);
  AddName(tab.enabled, spelling, package);
}

void Carry(Program& program, Action action, const PackageTab& tab, const Text& package) {
  CommandChannel& channel = program.channel;
  switch (action) {
    case Action::Enable:
      channel.Enqueue(Text(adb::kEnable) + package, StateChangeSteps(program, tab));
      break;
    case Action::Disable:
      channel.Enqueue(Text(adb::kDisable) + package, StateChangeSteps(program, tab));
      break;
    case Action::Uninstall:
      channel.Enqueue(Text(adb::kUninstall) + package,
                      Answered(program, [tab, package](const Text& line) {
                        TakeUninstall(tab, line, package);
                      }));
      break;
    case Action::Reinstall:
      if (!tab.IsSystem()) {
        ShowMessageBox(GetWindowCaption(program.g.window), u"Only system apps may be re-installed");
        break;
      }
      // The enable's answer is of no interest; the install's says it all.
      channel.Enqueue(Text(adb::kEnable) + package, {});
      channel.Enqueue(Text(adb::kInstallExisting) + package,
                      Answered(program, [tab, package](const Text& line) {
                        TakeReinstall(tab, line, package);
                      }));
      break;
    case Action::Dump:
      channel.Enqueue(Text(adb::kDumpPackage) + package, DumpSteps(program));
      break;
  }
}

}  // namespace

void Act(Program& program, Action action, const PackageTab& tab) {
  Text package = ReadGadgetText(tab.selected);
  if (package.empty()) return;
  // The name is appended to a command the device's shell runs.
  if (!IsPackageName(package)) {
    WriteGadgetText(program.g.txtGenStatus,
                    u"Not a package name, nothing sent to adb: \"" + package + u"\"");
    return;
  }
  if (action != Action::Dump &&
      !Confirmed(program, ReadGadgetText(ButtonOf(tab, action)), tab.scope, package)) {
    return;
  }
  Carry(program, action, tab, package);
  ClearPackagePicks(program);
}

CommandSteps StateChangeSteps(Program& program, const PackageTab& tab) {
  return Answered(program, [tab](const Text& line) { TakeStateChange(tab, line); });
}

}  // namespace kv
