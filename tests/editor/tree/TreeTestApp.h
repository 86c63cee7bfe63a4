// The tree's test application: the editor's document in a frame whose splitter
// holds the checklist tree on the left and a preview stand-in that counts its
// updates on the right. Tests drive it with messages.
#pragma once

#include "editor/document/Document.h"
#include "editor/tree/TreeView.h"
#include "framework/Framework.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tree_test {

// Stands in for the preview: it only notes what it was told.
class PreviewStandIn_t : public CView {
    DECLARE_DYNCREATE(PreviewStandIn_t)
public:
    void OnDraw(CDC*) override {}
    void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;

    int updates = 0;
    CView* lastSender = nullptr;
};

class TestFrame_t : public CFrameWnd {
    DECLARE_DYNCREATE(TestFrame_t)
public:
    BOOL OnCreateClient(LPCREATESTRUCT createStruct, CCreateContext* context) override;

    CSplitterWnd splitter;
};

class TestApp_t : public CWinApp {
public:
    BOOL InitInstance() override;
};

// The application, started on first use with a new document.
TestApp_t& App();
TestFrame_t& Frame();
app::Document_t& Doc();
app::TreeView_t& Tree();
CTreeCtrl& Control();
PreviewStandIn_t& Preview();
// Handles every waiting message as the message loop would.
void Pump();

// The document holds what the text form reads (journals emptied, not locked,
// selection as after an open) and the tree is built anew from it.
void Load(const std::string& text);
// Two groups: "Before Start" (checklists "Cockpit" with three entries, "Engine
// Start" with two) and "After Landing" (checklist "Taxi" with one entry); and
// the empty group "Spare".
extern const char* const sampleText;
std::string DatabaseText();
// Locks the document as a file made in OEM mode is locked outside it; unlocks it.
void Lock();
void Unlock();
// Puts one step on the redo journal: a rename of the third group, undone. (The
// rename moves the caret to that group.)
void MakeRedoable();

// Tests on the sample, which leave the document unlocked.
class SampleTest : public ::testing::Test {
protected:
    void SetUp() override { Load(sampleText); }
    void TearDown() override { Unlock(); }
};

// The tree written out, one item a line: kind letter (G C E for items, g c e for
// the end markers), indentation by level, label. "G Before Start|  C Cockpit|..."
std::string TreeText();
// True when the tree shows exactly the database.
::testing::AssertionResult TreeMirrorsDatabase();

// Makes the item the caret.
void Select(HTREEITEM item);
// The mouse on the middle of the item's label: the cursor is moved there, and
// the position is returned in the tree's client coordinates.
CPoint PointAt(HTREEITEM item);
void Click(HTREEITEM item);
void DoubleClick(HTREEITEM item);
void RightClick(HTREEITEM item);
void PressDelete();
// A command as the main menu or an accelerator sends it, through the frame
// (which refuses a disabled one).
void FrameCommand(UINT command);
// A command sent straight to the tree view.
void ViewCommand(UINT command);
// Whether the frame's Edit menu shows the command enabled.
bool MenuEnabled(UINT command);

// The real clipboard.
void ClearClipboard();
void PutOnClipboard(UINT format, const std::string& bytes);
// The formats and the block of a format as they are on the clipboard.
std::vector<UINT> ClipboardFormats();
std::string ClipboardBlock(UINT format);
// A block of the count and the bytes.
std::string Block(const std::string& text);

} // namespace tree_test
