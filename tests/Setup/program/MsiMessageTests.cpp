// Tests of reading Windows Installer's message texts: the fields of progress and
// common-data messages and the action texts under the installation page's bar.
#include "Setup/installation/MsiLibrary.h"
#include "Setup/installation/MsiMessage.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <ostream>

inline void PrintTo(const CString& text, std::ostream* out)
{
    *out << '"' << text.ToAnsi() << '"';
}

namespace {

TEST(ProgressFields, AResetCarriesAllFourFields)
{
    int fields[4] = {9, 9, 9, 9};
    ASSERT_TRUE(CMsiMessage::ParseProgress(L"1: 0 2: 63600 3: 1 4: 0 ", fields));
    EXPECT_EQ(0, fields[0]);
    EXPECT_EQ(63600, fields[1]);
    EXPECT_EQ(1, fields[2]);
    EXPECT_EQ(0, fields[3]);
}

TEST(ProgressFields, EachKindStopsAfterItsLastField)
{
    int fields[4] = {9, 9, 9, 9};
    ASSERT_TRUE(CMsiMessage::ParseProgress(L"1: 2 2: 24000 3: 5 4: 6 ", fields));
    EXPECT_EQ(2, fields[0]);
    EXPECT_EQ(24000, fields[1]);
    EXPECT_EQ(9, fields[2]);   // an increment ends after field 2
    EXPECT_EQ(9, fields[3]);

    ASSERT_TRUE(CMsiMessage::ParseProgress(L"1: 1 2: 10 3: 1 4: 6 ", fields));
    EXPECT_EQ(1, fields[0]);
    EXPECT_EQ(10, fields[1]);
    EXPECT_EQ(1, fields[2]);
    EXPECT_EQ(9, fields[3]);   // action info ends after field 3

    ASSERT_TRUE(CMsiMessage::ParseProgress(L"1: 3 2: 77", fields));   // the last value runs to the end
    EXPECT_EQ(3, fields[0]);
    EXPECT_EQ(77, fields[1]);
}

TEST(ProgressFields, MalformedMessagesAreIgnored)
{
    int fields[4] = {9, 9, 9, 9};
    EXPECT_FALSE(CMsiMessage::ParseProgress(L"", fields));
    EXPECT_FALSE(CMsiMessage::ParseProgress(nullptr, fields));
    EXPECT_FALSE(CMsiMessage::ParseProgress(L"1: x 2: 5 ", fields));    // field 1 not a digit
    EXPECT_FALSE(CMsiMessage::ParseProgress(L"1: 12 2: 5 ", fields));   // field 1 is one digit
    EXPECT_FALSE(CMsiMessage::ParseProgress(L"2: 5 ", fields));         // no field 1
    EXPECT_FALSE(CMsiMessage::ParseProgress(L"1: 0 5: 5 ", fields));    // no field 5
    EXPECT_FALSE(CMsiMessage::ParseProgress(L"1: 0 0: 5 ", fields));
    EXPECT_FALSE(CMsiMessage::ParseProgress(L"Progress", fields));
    EXPECT_EQ(9, fields[1]);
}

TEST(ProgressFields, HugeValuesAreClampedAndSignsRead)
{
    int fields[4] = {};
    ASSERT_TRUE(CMsiMessage::ParseProgress(L"1: 0 2: 99999999999999999999 3: -4 4: 1 ", fields));
    EXPECT_EQ(INT_MAX, fields[1]);
    EXPECT_EQ(-4, fields[2]);
    ASSERT_TRUE(CMsiMessage::ParseProgress(L"1: 0 2: 12abc 3: 0 ", fields));
    EXPECT_EQ(12, fields[1]);
}

// Random texts for the field readers: field-like pieces and noise.
class RandomTexts
{
public:
    CString Next()
    {
        static const wchar_t* const starts[] = {L"1: 0 ", L"1: 1 ", L"1: 2 ", L"1: 3 ", L"1: 9 ", L""};
        static const wchar_t* const pieces[] = {
            L"2: 5 ", L"3: 0 ", L"4: 1 ", L"1: 3 ", L"2: -7 ", L"2: 99999999999 ", L"3: 12x ", L"4: -2147483648 ",
            L"5: 1 ", L"0: 2 ", L"2: ", L"4: ", L" ", L"x", L":", L"-", L"7"};
        CString text = Random() % 3 ? starts[Random() % 5] : starts[5];
        for (unsigned count = Random() % 6; count > 0; --count)
            text += pieces[Random() % (sizeof(pieces) / sizeof(pieces[0]))];
        return text;
    }

private:
    unsigned Random()
    {
        m_seed = m_seed * 1103515245u + 12345u;
        return m_seed >> 16;
    }
    unsigned m_seed = 12345;
};

// The kind that a text's first field gives: "1: ", one digit, a blank or the end;
// -1 without one.
int FirstKind(const CString& text)
{
    int pos = 0;
    while (pos < text.GetLength() && text[pos] == L' ')
        ++pos;
    CString head = text.Mid(pos, 4);
    bool endsThere = text.GetLength() == pos + 4 || text.Mid(pos + 4, 1) == L" ";
    return head.GetLength() == 4 && head.Left(3) == L"1: " && head[3] >= L'0' && head[3] <= L'9' && endsThere
               ? head[3] - L'0'
               : -1;
}

// Whether some field "number: " of the text, at its start or after a blank, holds the
// value: its digits up to the next blank, read as a decimal and kept within int.
bool CarriesValue(const CString& text, int number, int value)
{
    CString label;
    label.Format(L"%d: ", number);
    for (int at = text.Find(label); at >= 0; at = text.Find(label, at + 1)) {
        if (at > 0 && text[at - 1] != L' ')
            continue;
        CString digits = text.Mid(at + 3);
        int blank = digits.Find(L' ');
        if (blank >= 0)
            digits = digits.Left(blank);
        long long read = wcstoll(digits, nullptr, 10);
        if (read > INT_MAX)
            read = INT_MAX;
        if (read < INT_MIN)
            read = INT_MIN;
        if (read == value)
            return true;
    }
    return false;
}

// The text up to the end of the value of its first field of that number, or all of it.
CString ThroughField(const CString& text, int number)
{
    CString label;
    label.Format(L"%d: ", number);
    for (int at = text.Find(label); at >= 0; at = text.Find(label, at + 1)) {
        if (at > 0 && text[at - 1] != L' ')
            continue;
        int blank = text.Find(L' ', at + 3);
        return blank < 0 ? text : text.Left(blank);
    }
    return text;
}

TEST(ProgressFields, RandomTextsSetOnlyTheFieldsTheyCarryAndNothingBeyond)
{
    const int kUnset = INT_MIN + 1;   // no text of these pieces reads as this
    const int kGuard = 0x6A6A6A6A;
    RandomTexts texts;
    int parsed[10] = {}, commonParsed = 0;
    for (int round = 0; round < 3000; ++round) {
        CString text = texts.Next();
        int progress[6] = {kGuard, kUnset, kUnset, kUnset, kUnset, kGuard};
        int common[4] = {kGuard, kUnset, kUnset, kGuard};
        bool isProgress = CMsiMessage::ParseProgress(text, progress + 1);
        bool isCommon = CMsiMessage::ParseCommonData(text, common + 1);
        SCOPED_TRACE(text.ToAnsi());
        EXPECT_EQ(kGuard, progress[0]);
        EXPECT_EQ(kGuard, progress[5]);
        EXPECT_EQ(kGuard, common[0]);
        EXPECT_EQ(kGuard, common[3]);

        int kind = FirstKind(text);
        if (kind < 0) {
            EXPECT_FALSE(isProgress);
            EXPECT_FALSE(isCommon);
            continue;
        }
        if (isProgress)
            ++parsed[kind];
        if (isCommon) {
            ++commonParsed;
            EXPECT_NE(1, kind);   // the caption
        }
        // Every field that was set holds a value that the text gives that field, before
        // the field that ends the kind: field 2 an increment's, field 3 action info's,
        // field 2 a common-data message's (when the kind stays as the text began).
        CString progressRead = text, commonRead = ThroughField(text, 2);
        if (text.Find(L"1: ", 1) < 0 && kind >= 1 && kind <= 3)
            progressRead = ThroughField(text, kind == 1 ? 3 : 2);
        for (int field = 1; field <= 4; ++field) {
            EXPECT_TRUE(progress[field] == kUnset || CarriesValue(progressRead, field, progress[field]))
                << "progress field " << field;
        }
        for (int field = 1; field <= 2; ++field) {
            EXPECT_TRUE(common[field] == kUnset || CarriesValue(commonRead, field, common[field]))
                << "common-data field " << field;
        }
    }
    for (int kind : {0, 1, 2, 3, 9})
        EXPECT_GT(parsed[kind], 100) << "kind " << kind;
    EXPECT_GT(commonParsed, 400);
}

TEST(CommonDataFields, LanguageAndCancelButtonMessagesAreRead)
{
    int fields[2] = {9, 9};
    ASSERT_TRUE(CMsiMessage::ParseCommonData(L"1: 0 2: 1033 3: 0 ", fields));
    EXPECT_EQ(0, fields[0]);
    EXPECT_EQ(1033, fields[1]);
    ASSERT_TRUE(CMsiMessage::ParseCommonData(L"1: 2 2: 0 ", fields));
    EXPECT_EQ(2, fields[0]);
    EXPECT_EQ(0, fields[1]);
}

TEST(CommonDataFields, TheCaptionAndOtherTextsAreIgnored)
{
    int fields[2] = {9, 9};
    EXPECT_FALSE(CMsiMessage::ParseCommonData(L"1: 1 2: Pellorin ", fields));
    EXPECT_FALSE(CMsiMessage::ParseCommonData(L"Message type: 0, Argument: 1033, 0", fields));
    EXPECT_FALSE(CMsiMessage::ParseCommonData(L"1: 0 3: 5 ", fields));
    EXPECT_FALSE(CMsiMessage::ParseCommonData(L"", fields));
    EXPECT_EQ(9, fields[1]);
}

TEST(ActionStart, TheDescriptionAfterTheActionNameIsShown)
{
    CString text = L"unchanged";
    ASSERT_TRUE(CMsiMessage::ActionStartText(L"Action 10:15:30: InstallFiles. Copying new files", text));
    EXPECT_EQ(CString(L"Copying new files..."), text);

    CString sixty(L'd', 60);
    ASSERT_TRUE(CMsiMessage::ActionStartText(L"Action 10:15:30: Long. " + sixty, text));
    EXPECT_EQ(CString(L'd', 45) + L"...", text);

    ASSERT_TRUE(CMsiMessage::ActionStartText(L"Action 10:15:30: Wait. Computing...", text));
    EXPECT_EQ(CString(L"Computing..."), text);
}

TEST(ActionStart, AnEmptyDescriptionEmptiesTheTextAndNoDescriptionKeepsIt)
{
    CString text = L"before";
    ASSERT_TRUE(CMsiMessage::ActionStartText(L"Action 9:38:18: INSTALL. ", text));
    EXPECT_EQ(CString(), text);
    text = L"before";
    EXPECT_FALSE(CMsiMessage::ActionStartText(L"Action 9:38:18: INSTALL.", text));
    EXPECT_EQ(CString(L"before"), text);
}

CMsiMessage::DataTexts Texts()
{
    CMsiMessage::DataTexts texts;
    texts.copyingFile = L"Copying %s";
    texts.namelessFile = L"Copying a file";
    texts.registry = L"Writing registry values";
    texts.shortcut = L"Creating shortcuts";
    texts.rollback = L"Undoing the changes";
    return texts;
}

TEST(ActionData, AFileActionNamesTheFile)
{
    EXPECT_EQ(CString(L"Copying readme.txt..."),
              CMsiMessage::ActionDataText(L"File: readme.txt,  Directory: C:\\Program Files\\, Size: 1024", true,
                                          Texts()));
    EXPECT_EQ(CString(L"Copying a file..."), CMsiMessage::ActionDataText(L"File: readme.txt", true, Texts()));
    EXPECT_EQ(CString(L"File: readme..."), CMsiMessage::ActionDataText(L"File: readme", true, Texts()));
    // A format whose result holds a comma is cut there.
    CMsiMessage::DataTexts commaTexts = Texts();
    commaTexts.copyingFile = L"Copying %s, please wait";
    EXPECT_EQ(CString(L"Copying a.txt..."), CMsiMessage::ActionDataText(L"File: a.txt, Size: 1", true, commaTexts));
    // A name shorter than the prefix leaves nothing to name, safely.
    EXPECT_EQ(CString(L"Copying ..."), CMsiMessage::ActionDataText(L"File:,", true, Texts()));
}

TEST(ActionData, FeaturesKeysShortcutsAndLongTexts)
{
    EXPECT_EQ(CString(L"Feature: Editor..."),
              CMsiMessage::ActionDataText(L"Feature: Editor, Component: X", true, Texts()));
    EXPECT_EQ(CString(L"Writing registry values..."),
              CMsiMessage::ActionDataText(
                  L"Key: HKEY_LOCAL_MACHINE\\Software\\Quorel\\Pellorin, Name: InstallDir, Value: C:\\", true,
                  Texts()));
    EXPECT_EQ(CString(L"Creating shortcuts..."), CMsiMessage::ActionDataText(L"Shortcut: Pellorin", true, Texts()));
    EXPECT_EQ(CString(L'x', 45) + L"...", CMsiMessage::ActionDataText(CString(L'x', 80), true, Texts()));
    EXPECT_EQ(CString(L"Folder: INSTALLDIR..."), CMsiMessage::ActionDataText(L"Folder: INSTALLDIR", true, Texts()));
    EXPECT_EQ(CString(L"Done..."), CMsiMessage::ActionDataText(L"Done...", true, Texts()));
}

TEST(ActionData, WhileRollingBackEveryTextIsTheRollbackText)
{
    for (const wchar_t* text : {L"File: a.txt, Size: 1", L"Key: X, Name: Y", L"anything"})
        EXPECT_EQ(CString(L"Undoing the changes..."), CMsiMessage::ActionDataText(text, false, Texts()));
}

TEST(MsiLibrary, TheOrdinalsAreTheNamedFunctions)
{
    HMODULE msi = LoadLibraryW(L"msi.dll");
    ASSERT_NE(nullptr, msi);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(msi, "MsiInstallProductW")),
              CMsiLibrary::Entry(CMsiLibrary::kInstallProduct));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(msi, "MsiSetExternalUIW")),
              CMsiLibrary::Entry(CMsiLibrary::kSetExternalUI));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(msi, "MsiSetInternalUI")),
              CMsiLibrary::Entry(CMsiLibrary::kSetInternalUI));
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(msi, "MsiGetFileVersionW")),
              CMsiLibrary::Entry(CMsiLibrary::kGetFileVersion));
}

TEST(MsiLibrary, AMissingPackageFailsWithoutAnyMessage)
{
    EXPECT_NE(0u, CMsiLibrary::InstallProduct(L"C:\\no such folder\\none.msi", L""));
}

}  // namespace
