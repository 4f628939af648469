#include "app/setting_write.h"

#include <memory>
#include <optional>

#include "app/adb.h"
#include "app/adb_answers.h"
#include "app/adb_parameters.h"
#include "app/device_lists.h"
#include "app/program.h"
#include "app/selection.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"
#include "toolkit/top_windows.h"

namespace kv {

namespace {

struct SettingsTable {
  TextView name;  // as the settings command names it
  int MainGadgets::*list;
};

constexpr SettingsTable kTables[] = {
    {u"global", &MainGadgets::lstCGlobal},
    {u"secure", &MainGadgets::lstCSecure},
    {u"system", &MainGadgets::lstCSystem},
};

// The table whose list the pick was made in, or null.
const SettingsTable* PickedTable(const Program& program) {
  int list = CopySource(program);
  for (const SettingsTable& table : kTables) {
    if (program.g.*table.list == list) return &table;
  }
  return nullptr;
}

// One write on its way to the device and back.
struct SettingWrite {
  Text name;
  int list;
  bool putFailed = false;
  std::optional<Text> kept;  // the value the read-back printed
};

Text NameOfLine(TextView line) {
  return Text(SplitField(line, u"=", 1));
}

int FindSettingLine(int list, TextView name) {
  for (int item = 0; item < GadgetItemCount(list); ++item) {
    if (NameOfLine(ReadGadgetItemText(list, item)) == name) return item;
  }
  return -1;
}

// The list's line of the setting, and the pick that shows it, become what
// the device kept; the status field shows it unless the write had failed.
void ShowKept(Program& program, const SettingWrite& write) {
  const MainGadgets& g = program.g;
  Text line = write.name + u"=" + *write.kept;
  int item = FindSettingLine(write.list, write.name);
  if (item == -1) {
    InsertGadgetItem(write.list, -1, line);
  } else {
    WriteGadgetItemText(write.list, item, line);
  }
  if (CopySource(program) == write.list &&
      NameOfLine(ReadGadgetText(g.txtCSelected)) == write.name) {
    WriteGadgetText(g.txtCSelected, line);
  }
  if (!write.putFailed) WriteGadgetText(g.txtGenStatus, line);
}

CommandSteps PutSteps(Program& program, std::shared_ptr<SettingWrite> write) {
  return {nullptr, [&program](Text line) { WriteGadgetText(program.g.txtGenStatus, line); },
          [&program, write](const CommandOutcome& outcome) {
            write->putFailed = !FailureOfCommand(outcome, program.AdbPath()).empty();
            FinishCommand(program, outcome);
          }};
}

CommandSteps ReadBackSteps(Program& program, std::shared_ptr<SettingWrite> write) {
  return {nullptr,
          [write](Text line) {
            if (!write->kept) write->kept = std::move(line);
          },
          [&program, write](const CommandOutcome& outcome) {
            bool readBack = write->kept && FailureOfCommand(outcome, program.AdbPath()).empty();
            FinishCommand(program, outcome);
            if (readBack) ShowKept(program, *write);
          }};
}

bool Confirmed(const Program& program, TextView table, TextView name, TextView value) {
  Text question = u"Write setting?\r\n" + Text(table) + u" " + Text(name) + u" = " + Text(value);
  int flags = KV_MessageBox_YesNo | KV_MessageBox_Warning;
  return ShowMessageBox(GetWindowCaption(program.g.window), question, flags) ==
         KV_MessageBox_AnswerYes;
}

// Why nothing may be sent for this write, or empty text.
Text Refusal(TextView table, TextView name, TextView value) {
  if (!IsSettingName(name)) {
    return u"Not a setting name, nothing sent to adb: \"" + Text(name) + u"\"";
  }
  // An empty value would be stored as the empty text, which is not what
  // anyone pressing Write on an empty field means.
  if (value.empty()) {
    return u"No new value typed, nothing written. To delete the setting: adb shell settings "
           u"delete " +
           Text(table) + u" " + Text(name);
  }
  // The tables list a setting as one line.
  if (value.find_first_of(u"\r\n") != TextView::npos) {
    return u"The new value must be one line, nothing sent to adb";
  }
  return {};
}

}  // namespace

void WriteSetting(Program& program) {
  const MainGadgets& g = program.g;
  const SettingsTable* table = PickedTable(program);
  Text picked = ReadGadgetText(g.txtCSelected);
  if (!table || picked.empty()) return;
  Text name = NameOfLine(picked), value = ReadGadgetText(g.txtCNewValue);
  if (Text refusal = Refusal(table->name, name, value); !refusal.empty()) {
    WriteGadgetText(g.txtGenStatus, refusal);
    return;
  }
  if (!Confirmed(program, table->name, name, value)) return;
  auto write = std::make_shared<SettingWrite>(SettingWrite{name, g.*table->list});
  Text setting = Text(table->name) + u" " + name;
  program.channel.Enqueue(Text(adb::kSettingsPut) + setting + u" " + DeviceShellWord(value),
                          PutSteps(program, write));
  program.channel.Enqueue(Text(adb::kSettingsGet) + setting, ReadBackSteps(program, write));
}

}  // namespace kv
