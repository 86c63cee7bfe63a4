// The checklist text form: entries, checklists, groups and the database body,
// written and read back, with every kind of damaged line.
#include "editor/model/AllowedChars.h"
#include "editor/model/Database.h"
#include "foundation/glo/GLO_Exception.h"
#include "framework/CodePage.h"

#include <gtest/gtest.h>

#include <sstream>

using app::CheckList_t;
using app::Database_t;
using app::Entry_t;
using app::Group_t;

namespace {

template <class T>
std::string Written(const T& item)
{
    std::ostringstream out;
    item.Write(out);
    return out.str();
}

// Reads one item from the text into the given starting value; returns the
// stream, so that its state and the rest of the input can be checked.
template <class T>
std::istringstream& ReadInto(T& item, std::istringstream& in)
{
    item.Read(in);
    return in;
}

std::string Rest(std::istringstream& in)
{
    in.clear();
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const Entry_t untouched("untouched", Entry_t::Note, Entry_t::Indent2, "");

// The entry read from the text by an entry that was `untouched` before.
Entry_t ReadEntry(const std::string& text, bool expectGood)
{
    std::istringstream in(text);
    Entry_t entry = untouched;
    entry.Read(in);
    EXPECT_EQ(expectGood, in.good()) << text;
    return entry;
}

// An entry's lines, followed by more input.
Entry_t Entry(const std::string& lines)
{
    return ReadEntry(lines + "x", true);
}

// Input that fails the entry read.
Entry_t FailedEntry(const std::string& text)
{
    return ReadEntry(text, false);
}

} // namespace

TEST(EntryLine, EveryKindAndJustificationHasItsCharacter)
{
    const char* kinds = "anptwcr";
    const char* justifications = "01234c";
    for (int kind = 0; kind <= 6; ++kind)
        for (int justification = 0; justification <= 5; ++justification) {
            const Entry_t entry("Text", kind, justification, "Resp");
            const std::string expected = std::string{kinds[kind], justifications[justification]} +
                                         (kind == 6 ? "Text~Resp\n" : "Text\n");
            EXPECT_EQ(expected, Written(entry));
            EXPECT_EQ(kind == 6 ? entry : Entry_t("Text", kind, justification), Entry(expected));
        }
}

TEST(EntryLine, KindOrJustificationOutOfRangeIsAnAssertionOfEntry)
{
    std::ostringstream out;
    const struct {
        int kind, justification, line;
    } cases[] = {{7, 0, 72}, {-1, 0, 72}, {7, 9, 72}, {0, 6, 103}, {0, -1, 103}};
    for (const auto& c : cases) {
        try {
            Entry_t("Text", c.kind, c.justification).Write(out);
            ADD_FAILURE() << "no assertion";
        } catch (const glo::Assert_t& e) {
            EXPECT_STREQ("Entry", e.GetFile());
            EXPECT_EQ(c.line, e.GetLine());
        }
    }
    EXPECT_EQ("", out.str()) << "nothing is written for a bad entry";
}

TEST(EntryLine, ResponsesAndTildes)
{
    // Only a challenge with response has a response; it starts after the first tilde.
    EXPECT_EQ(Entry_t("Flaps", Entry_t::ChallengeResponse, 0, "Set ~ 15"), Entry("r0Flaps~Set ~ 15\n"));
    EXPECT_EQ(Entry_t("A~B", Entry_t::Challenge, 0, ""), Entry("c0A~B\n"));
    EXPECT_EQ("c0A\n", Written(Entry_t("A", Entry_t::Challenge, 0, "dropped")));

    std::istringstream noTilde("r0Flaps set\nc0Next\n");
    Entry_t entry = untouched;
    EXPECT_TRUE(ReadInto(entry, noTilde).fail());
    EXPECT_EQ(untouched, entry);
    EXPECT_EQ("c0Next\n", Rest(noTilde)) << "the line without a tilde is consumed";
}

TEST(EntryLine, JustificationCharacters)
{
    EXPECT_EQ(Entry_t::Left, Entry("c7Text\n").justification);
    EXPECT_EQ(Entry_t::Left, Entry("c0Text\n").justification);
    EXPECT_EQ(Entry_t::Indent4, Entry("c4Text\n").justification);
    EXPECT_EQ(Entry_t("", Entry_t::Challenge, Entry_t::Center), Entry("cc\n"));
}

TEST(EntryLine, BlankLinesAfterAnEntryBelongToItAndAreWrittenBack)
{
    std::istringstream in("p0Plain\n\n\n)\n");
    Entry_t plain;
    EXPECT_TRUE(ReadInto(plain, in).good());
    EXPECT_EQ("Plain\n\n", plain.text);
    EXPECT_EQ("p0Plain\n\n\n", Written(plain));
    EXPECT_EQ(")\n", Rest(in));

    const Entry_t response = Entry("r1Gear~Down\n\n");
    EXPECT_EQ("Down\n", response.response);
    EXPECT_EQ("Gear", response.text);
    EXPECT_EQ("r1Gear~Down\n\n", Written(response));
}

TEST(EntryLine, CommentAndEmptyLinesBeforeAnEntryAreSkipped)
{
    EXPECT_EQ(Entry_t("After"), Entry("* a comment\n\n\n*another\nc0After\n"));
}

TEST(EntryLine, BadStartsFailWithoutChangingTheEntry)
{
    std::istringstream notAKind(")\n");
    Entry_t entry = untouched;
    EXPECT_TRUE(ReadInto(entry, notAKind).fail());
    EXPECT_EQ(untouched, entry);
    EXPECT_EQ(")\n", Rest(notAKind)) << "the character is put back";

    EXPECT_EQ(untouched, FailedEntry(""));
    EXPECT_EQ(untouched, FailedEntry("c")) << "input ends before the justification";
    EXPECT_EQ(untouched, FailedEntry(" c0blank first\n"));

    std::istringstream alreadyFailed("c0Text\n");
    alreadyFailed.setstate(std::ios::failbit);
    EXPECT_EQ(untouched, (ReadInto(entry, alreadyFailed), entry));
}

TEST(EntryLine, InputEndingAfterTheJustificationFillsTheEntryButFails)
{
    EXPECT_EQ(Entry_t("", Entry_t::Warning, Entry_t::Indent1), FailedEntry("w1"));
    EXPECT_EQ(Entry_t("Last words", Entry_t::Note), FailedEntry("n0Last words"));
    EXPECT_EQ(Entry_t("Last", Entry_t::Note), FailedEntry("n0Last\n")) << "nothing follows the line";
}

TEST(EntryValue, EqualityComparesAllFourMembers)
{
    const Entry_t base("T", Entry_t::ChallengeResponse, Entry_t::Indent1, "R");
    EXPECT_EQ(base, Entry_t(base));
    EXPECT_NE(base, Entry_t("t", Entry_t::ChallengeResponse, Entry_t::Indent1, "R"));
    EXPECT_NE(base, Entry_t("T", Entry_t::Challenge, Entry_t::Indent1, "R"));
    EXPECT_NE(base, Entry_t("T", Entry_t::ChallengeResponse, Entry_t::Indent2, "R"));
    EXPECT_NE(base, Entry_t("T", Entry_t::ChallengeResponse, Entry_t::Indent1, "R\n"));
    const Entry_t defaulted;
    EXPECT_EQ(Entry_t("", Entry_t::Challenge, Entry_t::Left, ""), defaulted);
}

TEST(CheckListBlock, WritesNameEntriesAndClosingLine)
{
    CheckList_t checklist("Before Start");
    checklist.entries = {Entry_t("Doors", Entry_t::ChallengeResponse, 0, "Closed"),
                         Entry_t("Caution!", Entry_t::Caution, Entry_t::Center)};
    EXPECT_EQ("(0Before Start\nr0Doors~Closed\nac" "Caution!\n)\n", Written(checklist));

    std::istringstream in(Written(checklist) + "<next");
    CheckList_t read;
    EXPECT_TRUE(ReadInto(read, in).good());
    EXPECT_EQ(checklist.name, read.name);
    EXPECT_EQ(checklist.entries, read.entries);
    EXPECT_EQ("<next", Rest(in));
}

TEST(CheckListBlock, NamesAndTheIgnoredCharacter)
{
    CheckList_t checklist("old");
    std::istringstream emptyName("(0\n)\n");
    EXPECT_TRUE(ReadInto(checklist, emptyName).good());
    EXPECT_EQ("", checklist.name);
    EXPECT_TRUE(checklist.entries.empty());

    std::istringstream anyCharacter("(X<any> *name* (0)\nc0E\n)\n");
    EXPECT_TRUE(ReadInto(checklist, anyCharacter).good());
    EXPECT_EQ("<any> *name* (0)", checklist.name);
    ASSERT_EQ(1u, checklist.entries.size());
}

TEST(CheckListBlock, CommentsBlankLinesAndBlanksBetweenEntries)
{
    CheckList_t checklist;
    std::istringstream comment("(0C\nc0One\n* note\n\nc0Two\n\n)\n");
    EXPECT_TRUE(ReadInto(checklist, comment).good());
    ASSERT_EQ(2u, checklist.entries.size());
    EXPECT_EQ("One", checklist.entries.front().text) << "empty lines after a comment are lost";
    EXPECT_EQ("Two\n", checklist.entries.back().text) << "an empty line after an entry joins it";

    CheckList_t blanks("kept");
    std::istringstream lineOfBlanks("(0C\nc0One\n   \nc0Two\n)\n");
    EXPECT_TRUE(ReadInto(blanks, lineOfBlanks).fail());
    EXPECT_EQ("kept", blanks.name);
}

TEST(CheckListBlock, FailedStreamsAreLeftAlone)
{
    std::ostringstream out;
    out.setstate(std::ios::failbit);
    CheckList_t("Name").Write(out);
    out.clear();
    EXPECT_EQ("", out.str());
    out.setstate(std::ios::badbit);
    Group_t("Name").Write(out);
    out.clear();
    EXPECT_EQ("", out.str());
}

TEST(CheckListBlock, AnEntryWithoutALineFeedAtTheEndIsNotAppended)
{
    CheckList_t checklist("kept");
    std::istringstream in("(0C\nc0One\nc0Two");
    EXPECT_TRUE(ReadInto(checklist, in).fail());
    EXPECT_EQ("kept", checklist.name);
    EXPECT_TRUE(checklist.entries.empty());
}

TEST(GroupBlock, ReadsItsChecklistsAndWritesThemBack)
{
    const std::string text = "<0Normal\n(0One\nc0A\n)\n(0Two\n)\n>\n";
    std::istringstream in(text);
    Group_t group;
    EXPECT_TRUE(ReadInto(group, in).good());
    EXPECT_EQ("Normal", group.name);
    ASSERT_EQ(2u, group.checklists.size());
    EXPECT_EQ("Two", group.checklists.back().name);
    EXPECT_EQ(text, Written(group));
}

TEST(DatabaseBody, EndLineAlone)
{
    Database_t database;
    std::istringstream in("END\n");
    EXPECT_FALSE(ReadInto(database, in).fail());
    EXPECT_TRUE(database.IsComplete());
    EXPECT_TRUE(database.groups.empty());
    EXPECT_EQ("END\n", Written(database));

    for (const char* body : {"END \n", "end\n", "ENDE\n", "", "* only a comment\n"}) {
        Database_t notComplete;
        std::istringstream bad(body);
        EXPECT_TRUE(ReadInto(notComplete, bad).fail()) << body;
        EXPECT_FALSE(notComplete.IsComplete()) << body;
    }
}

TEST(DatabaseBody, ADamagedBlockFailsEveryEnclosingReadAndKeepsEarlierGroups)
{
    Database_t database;
    std::istringstream in("<0G1\n(0C\nc0A\n)\n>\n<0G2\n(0C\nc0A\nx0B\n)\n>\nEND\n");
    EXPECT_TRUE(ReadInto(database, in).fail());
    EXPECT_FALSE(database.IsComplete());
    ASSERT_EQ(1u, database.groups.size());
    EXPECT_EQ("G1", database.groups.front().name);
}

TEST(DatabaseBody, ReadingAppendsToTheGroupsHeldAndClearsTheEndFlag)
{
    Database_t database;
    database.groups.push_back(Group_t("Held"));
    std::istringstream in("* comment\n<0New\n>\n\nEND");
    EXPECT_FALSE(ReadInto(database, in).fail());
    EXPECT_TRUE(database.IsComplete());
    ASSERT_EQ(2u, database.groups.size());
    EXPECT_EQ("New", database.groups.back().name);

    std::istringstream again("<0More\n>\n");
    EXPECT_TRUE(ReadInto(database, again).fail());
    EXPECT_FALSE(database.IsComplete());
    EXPECT_EQ(3u, database.groups.size());
}

TEST(DatabaseBody, WrittenModelsReadBackEqual)
{
    Database_t database;
    for (int g = 0; g < 3; ++g) {
        Group_t group("Group " + std::to_string(g));
        for (int c = 0; c < g + 1; ++c) {
            CheckList_t checklist(c == 0 ? "" : "List " + std::to_string(c));
            for (int kind = 0; kind < 6; ++kind)
                checklist.entries.emplace_back("Text*~<(" + std::string(kind, '\n'), kind, (kind + g) % 6);
            checklist.entries.emplace_back("Challenge*<(", Entry_t::ChallengeResponse, g % 6, "Resp~x\n");
            group.checklists.push_back(checklist);
        }
        database.groups.push_back(group);
    }
    std::istringstream in(Written(database));
    Database_t read;
    EXPECT_FALSE(ReadInto(read, in).fail());
    EXPECT_TRUE(read.IsComplete());
    EXPECT_EQ(Written(database), Written(read));
    ASSERT_EQ(3u, read.groups.size());
    EXPECT_EQ(database.groups.back().checklists.back().entries,
              read.groups.back().checklists.back().entries);
}

TEST(IndexedAccess, OutOfRangeIndexesGiveTheEnd)
{
    Database_t database;
    database.groups = {Group_t("A"), Group_t("B")};
    EXPECT_EQ("B", database.GroupAt(1)->name);
    EXPECT_EQ(database.groups.end(), database.GroupAt(2));
    EXPECT_EQ(database.groups.end(), database.GroupAt(-1));

    Group_t& group = *database.GroupAt(0);
    group.checklists = {CheckList_t("C")};
    EXPECT_EQ("C", group.CheckListAt(0)->name);
    EXPECT_EQ(group.checklists.end(), group.CheckListAt(1));
    const CheckList_t& checklist = *group.CheckListAt(0);
    EXPECT_EQ(checklist.entries.end(), checklist.EntryAt(0));
    EXPECT_EQ(checklist.entries.end(), checklist.EntryAt(-5));
}

TEST(AllowedCharacters, TheNinetyTwoInTheirOrder)
{
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz !\"#$%&'()*+,-./:;<=>?@[\\]^_0123456789\xB0\xB1",
              app::AllowedChars);
    EXPECT_EQ(92u, app::AllowedChars.size());
}

TEST(AllowedCharacters, TheFilterKeepsOnlyThem)
{
    EXPECT_EQ("Temp 20\xB0 \xB1" "5%", app::KeepAllowedChars("Temp\t 20\xB0 ~\xB1{5}|`%\n\r"));
    EXPECT_EQ("", app::KeepAllowedChars("~{}|`\t\n\x7F\x80\xE9\xFF"));
    EXPECT_EQ(app::AllowedChars, app::KeepAllowedChars(app::AllowedChars));

    // Under code page 932 a double-byte character goes whole ("\x83\x65\x83\x58\x83\x67" is
    // three katakana); a position moves back by the bytes removed before it only.
    AfxSetCodePageForTest(932);
    EXPECT_EQ("AB", app::KeepAllowedChars("A\x83\x65\x83\x58\x83\x67" "B"));
    std::size_t caret = 4;
    EXPECT_EQ("AB\xB0", app::KeepAllowedChars("A\x83\x65" "B\x83\x41\xB0", &caret));
    EXPECT_EQ(2u, caret);

    // Code pages 936, 949 and 950 read "\xB0" and "\xB1" as first bytes: a character whose
    // bytes are all allowed ("\xB0" "C", "\xB1" "5") stays byte for byte, and one with a byte
    // outside the set ("\xB0\xA1", a hanzi in 936 and 950, a hangul syllable in 949) goes whole.
    for (UINT codePage : {936u, 949u, 950u}) {
        AfxSetCodePageForTest(codePage);
        caret = 10;
        EXPECT_EQ("OAT 20\xB0" "C \xB1" "5", app::KeepAllowedChars("OAT 20\xB0" "C\xB0\xA1 \xB1" "5", &caret))
            << codePage;
        EXPECT_EQ(8u, caret) << codePage;
    }
    // Under UTF-8 a typed degree sign is two bytes, the first outside the set: both go.
    AfxSetCodePageForTest(CP_UTF8);
    EXPECT_EQ("20\xB0" "C", app::KeepAllowedChars("20\xB0" "C\xC2\xB0\xE4\xB8\xAD"));
    AfxSetCodePageForTest(0);
}
