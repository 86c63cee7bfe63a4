// The editor's application object inside a test program, with the editor's
// resources linked in, and what the tests of its windows share: a main frame
// opened on a new document and a message pump.
#pragma once

#include "editor/shell/Application.h"
#include "editor/shell/MainFrame.h"
#include "tests/editor/shell/OwnTempFolder.h"

#include <string>

// The application object, its names and resources ready (not started: the
// tests start the parts they need).
app::Application_t& App();

// The main frame on a new document, made on first use.
app::MainFrame_t& Frame();

// Handles the messages waiting, and the idle-time updates.
void Pump();

// A high-contrast scheme's button colours for AfxSetSysColorQueryForTest: white
// text on a black face, a cyan shadow and a magenta light, each unlike the greys
// of the editor's pictures.
COLORREF BlackFaceColour(int index);
