// The sound save: the file's exact bytes on success; on any failure, the disk's
// own included, the old file untouched, no temporary file left, and the failing
// step reported.
#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>

#include "editor/file/Crc.h"
#include "editor/model/Database.h"
#include "editor/file/KivFileHeader.h"
#include "editor/file/SafeSave.h"
#include "framework/CodePage.h"
#include "tests/editor/DiskFaults.h"
#include "tests/editor/TempFolder.h"

using app::SaveStep_t;

namespace {

SaveStep_t failingStep;
unsigned long failingCode;

unsigned long FailOneStep(SaveStep_t step)
{
    return step == failingStep ? failingCode : 0;
}

class SafeSave : public ::testing::Test {
protected:
    SafeSave()
    {
        app::Group_t group("Group");
        app::CheckList_t checkList("List");
        checkList.entries.push_back(app::Entry_t("Fuel\n", app::Entry_t::ChallengeResponse, 5, "ON"));
        group.checklists.push_back(checkList);
        database.groups.push_back(group);
        // A line feed among the header's raw bytes is stored as CR LF too.
        header.SetDefaultCheckList(10);
    }
    ~SafeSave() override { app::SetSaveFault(nullptr); }

    // Saves and returns the failing step's error, or fails the test when none.
    app::SaveError_t FailedSave(const std::string& path)
    {
        try {
            app::SaveKivFile(path, header, database);
        } catch (const app::SaveError_t& e) {
            return e;
        }
        ADD_FAILURE() << "the save did not fail";
        return app::SaveError_t(0, SaveStep_t::Write, ERROR_SUCCESS);
    }

    TempFolder folder;
    app::KivFileHeader_t header;
    app::Database_t database;
};

} // namespace

TEST_F(SafeSave, WritesTheTextFormWithCrLfAndItsTrailerAndLeavesNothingElse)
{
    std::ostringstream text;
    header.Write(text);
    database.Write(text);
    std::string expected;
    for (char c : text.str())
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ASSERT_NE(std::string::npos, expected.find("Fuel\r\n"));

    app::SaveKivFile(folder.File("new.kiv"), header, database);
    std::string saved = ReadBytes(folder.File("new.kiv"));
    EXPECT_TRUE(app::Crc_t(folder.File("new.kiv")).Check());
    ASSERT_EQ(expected.size() + 4, saved.size());
    EXPECT_EQ(expected, saved.substr(0, expected.size()));
    // The file replaced keeps its hidden and system attributes; its new contents mark it for backup.
    WriteBytes(folder.File("new.kiv"), "old content");
    SetFileAttributesA(folder.File("new.kiv").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    app::SaveKivFile(folder.File("new.kiv"), header, database);
    EXPECT_EQ(saved, ReadBytes(folder.File("new.kiv")));
    EXPECT_EQ(0x26u, GetFileAttributesA(folder.File("new.kiv").c_str()));
    EXPECT_EQ(std::vector<std::string>{"new.kiv"}, folder.Files());
}

TEST_F(SafeSave, AFailingStepLeavesTheOldFileAndNoTemporaryFile)
{
    const std::string path = folder.File("old.kiv");
    WriteBytes(path, "the user's previous file");
    const auto expectFailure = [&](SaveStep_t step, unsigned long code) {
        const app::SaveError_t error = FailedSave(path);
        EXPECT_EQ(step, error.GetStep());
        EXPECT_EQ(code, error.GetCode());
        EXPECT_EQ(win::GetErrorText(code), error.what());
        EXPECT_FALSE(error.GetStepText().empty());
        EXPECT_EQ("the user's previous file", ReadBytes(path));
        EXPECT_EQ(std::vector<std::string>{"old.kiv"}, folder.Files());
    };
    for (const DiskFailure& failure : diskFailures) {
        SCOPED_TRACE(failure.what);
        DiskFault fault(failure.fault);
        expectFailure(failure.step, failure.code);
    }
    app::SetSaveFault(FailOneStep);
    for (SaveStep_t step : {SaveStep_t::CreateTemporary, SaveStep_t::Replace}) {
        failingStep = step;
        failingCode = ERROR_ACCESS_DENIED;
        expectFailure(step, failingCode);
    }
}

TEST_F(SafeSave, ANameEndingInADoubleByteCharacterIsSavedThroughItsOwnFolder)
{
    // "\x93\x5F\x8C\x9F\x95\x5C" is a three-character name in code page 932, whose last
    // second byte is that of "\". Wine's code page takes it for a separator: the folder
    // that Wine then sees in the name is made, so that the file can be written there.
    AfxSetCodePageForTest(932);
    const std::string path = folder.File("\x93\x5F\x8C\x9F\x95\x5C.kiv");
    ASSERT_TRUE(CreateDirectoryA(folder.File("\x93\x5F\x8C\x9F\x95").c_str(), nullptr));
    static std::vector<std::string> besideAtReplace;
    static const TempFolder* own;
    own = &folder;
    app::SetSaveFault([](SaveStep_t step) {
        if (step == SaveStep_t::Replace)
            besideAtReplace = own->Files();
        return 0ul;
    });
    app::SaveKivFile(path, header, database);
    AfxSetCodePageForTest(0);
    // The temporary file was made in the document's folder, the name's own.
    EXPECT_EQ(1u, besideAtReplace.size());
    EXPECT_TRUE(app::Crc_t(path).Check());
}

TEST_F(SafeSave, AMissingFolderFailsBeforeAnythingIsWritten)
{
    const app::SaveError_t error = FailedSave(folder.File("gone\\file.kiv"));
    EXPECT_EQ(SaveStep_t::CreateTemporary, error.GetStep());
    EXPECT_NE(0u, error.GetCode());
    EXPECT_TRUE(folder.Files().empty());
}

TEST_F(SafeSave, ATargetThatCannotBeReplacedKeepsItsContent)
{
    // A folder of that name stands where the file should go.
    const std::string path = folder.File("taken.kiv");
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    const app::SaveError_t error = FailedSave(path);
    EXPECT_EQ(SaveStep_t::Replace, error.GetStep());
    EXPECT_TRUE(folder.Files().empty());
}
