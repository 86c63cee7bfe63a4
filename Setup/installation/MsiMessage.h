// CMsiMessage: how the installation page reads the texts of Windows Installer's
// messages: the numbered fields of progress and common-data messages ("1: 2 2: 1024 "),
// and the short action texts shown under the progress bar, made from action-start
// and action-data messages.
#pragma once

#include "framework/CString.h"

class CMsiMessage
{
public:
    CMsiMessage() = delete;

    // The longest action text before it is cut and "..." follows.
    static constexpr int kMaxActionText = 45;

    // Reads fields 1 to 4 of a progress message into fields[0..3]; fields the message
    // does not carry keep their values. False when the message is to be ignored (empty,
    // field 1 not a digit, a field number other than 1 to 4).
    static bool ParseProgress(const wchar_t* text, int fields[4]);
    // Reads fields 1 and 2 of a common-data message; false when it is to be ignored
    // (field 1 not a digit or 1, a field number other than 1 or 2).
    static bool ParseCommonData(const wchar_t* text, int fields[2]);

    // The action text of an action-start message ("Action 10:15:30: InstallFiles.
    // Copying new files"): its description after the first ". ", at most 45 characters,
    // with "...". False when the text has no ". " (the action text stays as it is).
    static bool ActionStartText(const CString& text, CString& actionText);

    // The texts an action-data message can turn into (strings of the language library).
    struct DataTexts
    {
        CString copyingFile;    // a format with one %s: the name of the file being copied
        CString namelessFile;   // a file action without a name
        CString registry;       // a registry action
        CString shortcut;       // a shortcut action
        CString rollback;       // while changes are rolled back
    };
    // The action text of an action-data message; forward is false while the installer
    // rolls changes back.
    static CString ActionDataText(const CString& text, bool forward, const DataTexts& texts);

private:
    // Reads the field "N: value " at text[pos]; false when there is none.
    // Reads field 1, the message's kind: one digit, first in the text.
    static bool FirstField(const wchar_t* text, size_t& pos, int& kind);
    static bool NextField(const wchar_t* text, size_t& pos, int& number, const wchar_t*& value, size_t& length);
    static int ToInt(const wchar_t* value, size_t length);
    static CString CutWithEllipsis(CString text);
};
