// Picks in the lists, tab changes, the action buttons' state and Copy list.
#pragma once

namespace kv {

struct Program;

// A click on an item of list shows its text in field and makes list the one
// Copy list copies.
void PickItem(Program& program, int list, int field);
// The same for a list whose items no action takes: field is emptied.
void PickNoItem(Program& program, int list, int field);
// Any tab change by the user forgets every pick.
void OnTabChange(Program& program);
// Forgets the USER and SYSTEM picks, as Reload and every action do.
void ClearPackagePicks(Program& program);
// Puts every item of the list last picked on the clipboard, each followed by
// CR LF.
void CopyList(Program& program);
// Each tab's actions are enabled while its field holds a pick.
void UpdateActionButtons(const Program& program);
// The list last picked from, which Copy list copies; 0 for none.
int CopySource(const Program& program);

}  // namespace kv
