// What the user has picked: the selected-item fields, the list Copy list
// copies, and which buttons that enables.
#pragma once

namespace kv {

void OnUserListSelect();
void OnSystemListSelect();
void OnSettingsListSelect();
// Any tab change by the user forgets every pick.
void OnTabChange();
// Puts the picked list on the clipboard, each item followed by CR LF.
void CopyList();

// Enables each button exactly when what it acts on is there: a package in
// its tab's field, a setting line for Write, a list for Copy list.
void UpdateActionButtons();

}  // namespace kv
