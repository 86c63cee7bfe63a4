// Reading what a dialog shows, for the tests of the editor's dialogs.
#pragma once

#include "framework/Framework.h"

#include <string>

// The text of a dialog's item; empty when there is no such item.
std::string ItemText(CWnd& dialog, int id);

// The 8-bit text on the clipboard; empty when there is none.
std::string ClipboardText();

// The text with each line feed made CR LF.
std::string WithCrLf(const std::string& text);
