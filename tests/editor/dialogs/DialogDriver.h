// Drives a live dialog as a person would: typing into an edit, choosing a combo
// box item, reading back what the controls show.
#pragma once

#include <string>

#include "framework/Framework.h"

namespace views_test {

HWND Item(CWnd& dialog, int id);
std::string TextOf(CWnd& dialog, int id);
// Sends each character as a key press would.
void Type(CWnd& dialog, int id, const std::string& characters);
// Presses a key that types nothing (VK_LEFT, ...).
void Press(CWnd& dialog, int id, UINT key);
// Replaces the selection, as a paste does.
void Paste(CWnd& dialog, int id, const std::string& text);
// The caret (an empty selection) of an edit; -1 when the selection is not empty.
int Caret(CWnd& dialog, int id);
void SetCaret(CWnd& dialog, int id, int position);
// Selects item index (-1: none) and tells the dialog, as the control does when a person picks it.
void Choose(CWnd& dialog, int id, int index);
int Selection(CWnd& dialog, int id);
// The texts of a combo box's items.
std::string Items(CWnd& dialog, int id);
bool Enabled(CWnd& dialog, int id);

} // namespace views_test
