// The checklist file: header, body and CRC trailer on disk, byte for byte.
#include "tests/editor/DiskFaults.h"
#include "tests/editor/TempFolder.h"

#include "editor/shell/Application.h"
#include "editor/file/Crc.h"
#include "editor/model/Database.h"
#include "editor/file/KivFile.h"
#include "editor/file/KivFileHeader.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>

using app::Crc_t;
using app::Database_t;
using app::KivFileHeader_t;

namespace {

// What Add New Group makes of a new document.
void AddNewGroup(Database_t& database)
{
    app::CheckList_t checklist("New Checklist");
    checklist.entries.emplace_back("New Entry", app::Entry_t::Challenge, app::Entry_t::Left);
    app::Group_t group("New Group");
    group.checklists.push_back(checklist);
    database.groups.push_back(group);
}

std::string Written(const KivFileHeader_t& header)
{
    std::ostringstream out;
    header.Write(out);
    return out.str();
}

std::string Written(const Database_t& database)
{
    std::ostringstream out;
    database.Write(out);
    return out.str();
}

// Reads header and body as the editor opens a file; true when both read whole.
bool ReadKivFile(const std::string& path, KivFileHeader_t& header, Database_t& database)
{
    app::KivInputFile_t in(path);
    header.Read(in);
    database.Read(in);
    return !in.fail() && database.IsComplete();
}

std::string Bytes(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

const std::string newFileText = "QUOREL CHECKLIST PN XXX-XXXXX-XX\r\n"
                                "Aircraft Make and Model\r\n"
                                "Aircraft specific identification\r\n"
                                "Manufacturer Identification\r\n"
                                "Copyright Information\r\n"
                                "<0New Group\r\n"
                                "(0New Checklist\r\n"
                                "c0New Entry\r\n"
                                ")\r\n"
                                ">\r\n"
                                "END\r\n";

class OemMode {
public:
    explicit OemMode(bool on) { app::Application_t::SetOemMode(on); }
    ~OemMode() { app::Application_t::SetOemMode(false); }
};

class KivFile : public testing::Test {
protected:
    TempFolder folder;
    const std::string path = folder.File("checklist.kiv");
};

} // namespace

TEST(Crc, CheckValuesAtEveryStartInMemory)
{
    const std::string user = Bytes({0xF0, 0xF0, 0xF0, 0xF0, 0, 1, 0, 0}) + "\r\n" + newFileText;
    const std::string oem = Bytes({0xF0, 0xF0, 0xF0, 0xF0, 0, 0, 0, 0}) + "\r\n" + newFileText;
    for (std::size_t start = 0; start < 8; ++start) {
        SCOPED_TRACE(start);
        const auto crc = [start](const std::string& bytes) {
            const std::string placed = std::string(start, 'x') + bytes;
            return Crc_t::Compute(placed.data() + start, bytes.size());
        };
        EXPECT_EQ(0xFFFFFFFFu, crc(""));
        EXPECT_EQ(0x174841BCu, crc("a"));
        EXPECT_EQ(0x651F2550u, crc("12345678"));
        EXPECT_EQ(0x340BC6D9u, crc("123456789"));
        EXPECT_EQ(0xB47C851Bu, crc("123456789123456789"));
        EXPECT_EQ(0xADF5E127u, crc(user));
        EXPECT_EQ(0xFFC8A9E3u, crc(oem));
    }
}

TEST_F(KivFile, TheNewGroupFileByteForByte)
{
    Database_t database;
    AddNewGroup(database);
    ASSERT_TRUE(app::WriteKivFile(path, KivFileHeader_t(), database));
    const std::string expected = Bytes({0xF0, 0xF0, 0xF0, 0xF0, 0x00, 0x01, 0x00, 0x00}) + "\r\n" +
                                 newFileText + Bytes({0x27, 0xE1, 0xF5, 0xAD});
    EXPECT_EQ(213u, expected.size());
    EXPECT_EQ(expected, ReadBytes(path));

    Crc_t crc(path);
    EXPECT_TRUE(crc.Check());
    EXPECT_EQ(0xADF5E127u, crc.GetStoredCrc());

    KivFileHeader_t header;
    header.SetCheckListName("other");
    Database_t read;
    ASSERT_TRUE(ReadKivFile(path, header, read));
    EXPECT_EQ(KivFileHeader_t(), header);
    EXPECT_EQ(Written(database), Written(read));
}

TEST_F(KivFile, InOemModeTheFileIsNotUserMade)
{
    OemMode oem(true);
    KivFileHeader_t header;
    EXPECT_EQ(0, header.GetUserMade());
    Database_t database;
    AddNewGroup(database);
    ASSERT_TRUE(app::WriteKivFile(path, header, database));
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(213u, bytes.size());
    EXPECT_EQ('\0', bytes[5]);
    EXPECT_EQ(Bytes({0xE3, 0xA9, 0xC8, 0xFF}), bytes.substr(209));
    EXPECT_TRUE(Crc_t(path).Check());
}

TEST_F(KivFile, TheRuntimesTextModeOutputGivesTheSameBytes)
{
    KivFileHeader_t header;
    header.SetRevision(26);
    header.SetDefaultGroup(10);
    header.SetDefaultCheckList(13);
    Database_t database;
    AddNewGroup(database);
    ASSERT_TRUE(app::WriteKivFile(path, header, database));
    const std::string earlier = folder.File("earlier.kiv");
    {
        std::ofstream textMode(earlier);
        textMode << header << database;
    }
    Crc_t(earlier).Append();
    EXPECT_EQ(ReadBytes(earlier), ReadBytes(path));
}

TEST_F(KivFile, HeaderBytesTenThirteenAndTwentySixSurviveTheRoundTrip)
{
    for (int value : {10, 13, 26}) {
        KivFileHeader_t header;
        header.SetRevision(static_cast<std::uint8_t>(value));
        header.SetUserMade(static_cast<std::uint8_t>(value));
        header.SetDefaultGroup(static_cast<std::uint8_t>(value));
        header.SetDefaultCheckList(static_cast<std::uint8_t>(value));
        Database_t database;
        AddNewGroup(database);
        ASSERT_TRUE(app::WriteKivFile(path, header, database));
        if (value == 10) {
            EXPECT_EQ(Bytes({0xF0, 0xF0, 0xF0, 0xF0, 0x0D, 0x0A, 0x0D, 0x0A, 0x0D, 0x0A, 0x0D, 0x0A, 0x0D, 0x0A}),
                      ReadBytes(path).substr(0, 14));
        }
        EXPECT_TRUE(Crc_t(path).Check()) << value;

        KivFileHeader_t read;
        Database_t readDatabase;
        EXPECT_TRUE(ReadKivFile(path, read, readDatabase)) << value;
        EXPECT_EQ(header, read) << value;
        EXPECT_EQ(Written(database), Written(readDatabase)) << value;
    }
}

TEST_F(KivFile, EveryHeaderByteValueSurvivesTheRoundTrip)
{
    for (int value = 0; value < 256; ++value) {
        KivFileHeader_t header;
        header.SetRevision(static_cast<std::uint8_t>(value));
        header.SetUserMade(static_cast<std::uint8_t>(255 - value));
        header.SetDefaultGroup(static_cast<std::uint8_t>((value + 13) % 256));
        header.SetDefaultCheckList(static_cast<std::uint8_t>((value + 3) % 256));
        Database_t database;
        ASSERT_TRUE(app::WriteKivFile(path, header, database));
        KivFileHeader_t read;
        Database_t readDatabase;
        EXPECT_TRUE(ReadKivFile(path, read, readDatabase)) << value;
        EXPECT_EQ(header, read) << value;
    }
}

TEST_F(KivFile, TextsKeepEveryByteButTheLineFeed)
{
    KivFileHeader_t header;
    header.SetCheckListName(std::string("lone \r, \x1A and \0 inside", 20) + "\r");
    Database_t database;
    AddNewGroup(database);
    database.groups.front().name = "\x1A\x1A\r\r";
    ASSERT_TRUE(app::WriteKivFile(path, header, database));
    KivFileHeader_t read;
    Database_t readDatabase;
    ASSERT_TRUE(ReadKivFile(path, read, readDatabase));
    EXPECT_EQ(header.GetCheckListName(), read.GetCheckListName());
    EXPECT_EQ("\x1A\x1A\r\r", readDatabase.groups.front().name);
}

TEST_F(KivFile, AnyChangedByteFailsTheCheck)
{
    Database_t database;
    AddNewGroup(database);
    ASSERT_TRUE(app::WriteKivFile(path, KivFileHeader_t(), database));
    const std::string original = ReadBytes(path);
    for (std::size_t i = 0; i < original.size(); ++i) {
        std::string changed = original;
        changed[i] = static_cast<char>(changed[i] ^ (1 << (i % 8)));
        WriteBytes(path, changed);
        EXPECT_FALSE(Crc_t(path).Check()) << "byte " << i;
    }
    WriteBytes(path, original.substr(0, 3));
    EXPECT_FALSE(Crc_t(path).Check());
    WriteBytes(path, original.substr(0, 4));
    EXPECT_FALSE(Crc_t(path).Check());
    WriteBytes(path, Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_TRUE(Crc_t(path).Check()) << "the trailer of nothing";
    EXPECT_FALSE(Crc_t(folder.File("missing.kiv")).Check());
    ResizeFile(path, 0x80000001ull);
    EXPECT_FALSE(Crc_t(path).Check()) << "more than a 32-bit process can hold";
}

TEST_F(KivFile, AppendAddsTheTrailerOfTheBytesOnDiskAndReportsWhatItCannot)
{
    WriteBytes(path, "123456789");
    {
        DiskFault full(DiskFull);
        EXPECT_FALSE(Crc_t(path).Append());
    }
    EXPECT_EQ("123456789", ReadBytes(path));
    EXPECT_TRUE(Crc_t(path).Append());
    EXPECT_EQ("123456789" + Bytes({0xD9, 0xC6, 0x0B, 0x34}), ReadBytes(path));
    EXPECT_TRUE(Crc_t(path).Check());

    const std::string missing = folder.File("missing.kiv");
    EXPECT_FALSE(Crc_t(missing).Append());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(missing.c_str())) << "a trailer alone was written";
}

TEST_F(KivFile, AFileThatCannotBeOpenedOrWrittenFails)
{
    app::KivInputFile_t in(folder.File("missing.kiv"));
    EXPECT_TRUE(in.fail());
    Database_t database;
    EXPECT_FALSE(app::WriteKivFile(folder.File("no such folder\\x.kiv"), KivFileHeader_t(), database));
    // Every way a write can fail: the whole file, its body or its trailer.
    AddNewGroup(database);
    for (app::DiskFault_t writeFault : {DiskFull, FirstWriteFails, FullAfterFirstWrite}) {
        DiskFault fault(writeFault);
        EXPECT_FALSE(app::WriteKivFile(path, KivFileHeader_t(), database));
    }
}

TEST_F(KivFile, LineEndsAcrossTheReadBuffer)
{
    // CR LF pairs and lone CRs at every place around the buffer's 64 KiB edges,
    // and a lone CR that ends the file.
    std::string text, expected;
    for (int i = 0; i < 3 * 65536 / 7; ++i) {
        text += i % 3 ? "ab\r\ncd" : "\r\r\n\r";
        expected += i % 3 ? "ab\ncd" : "\r\n\r";
    }
    for (std::size_t shift = 0; shift < 16; ++shift) {
        SCOPED_TRACE(shift);
        WriteBytes(path, std::string(shift, 'x') + text + "\r");
        app::KivInputFile_t in(path);
        const std::string read(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(std::string(shift, 'x') + expected + "\r", read);
    }
}

TEST(KivFileHeader, NewHeader)
{
    const KivFileHeader_t header;
    EXPECT_TRUE(header.HasValidMagic());
    EXPECT_EQ(0xF0F0F0F0u, header.GetMagic());
    EXPECT_EQ(0, header.GetRevision());
    EXPECT_EQ(1, header.GetUserMade());
    EXPECT_EQ(0, header.GetDefaultGroup());
    EXPECT_EQ(0, header.GetDefaultCheckList());
    EXPECT_EQ("QUOREL CHECKLIST PN XXX-XXXXX-XX", header.GetCheckListName());
    EXPECT_EQ("Aircraft Make and Model", header.GetAircraftMakeModel());
    EXPECT_EQ("Aircraft specific identification", header.GetAircraftInfo());
    EXPECT_EQ("Manufacturer Identification", header.GetManufacturerId());
    EXPECT_EQ("Copyright Information", header.GetCopyrightInfo());
}

TEST(KivFileHeader, EqualityCoversEveryMember)
{
    const KivFileHeader_t header;
    auto differs = [&](void (*change)(KivFileHeader_t&)) {
        KivFileHeader_t changed = header;
        change(changed);
        return changed != header && !(changed == header);
    };
    EXPECT_TRUE(differs([](KivFileHeader_t& h) { h.SetRevision(1); }));
    EXPECT_TRUE(differs([](KivFileHeader_t& h) { h.SetUserMade(0); }));
    EXPECT_TRUE(differs([](KivFileHeader_t& h) { h.SetDefaultGroup(2); }));
    EXPECT_TRUE(differs([](KivFileHeader_t& h) { h.SetDefaultCheckList(3); }));
    EXPECT_TRUE(differs([](KivFileHeader_t& h) { h.SetCheckListName("x"); }));
    EXPECT_TRUE(differs([](KivFileHeader_t& h) { h.SetAircraftMakeModel("x"); }));
    EXPECT_TRUE(differs([](KivFileHeader_t& h) { h.SetAircraftInfo("x"); }));
    EXPECT_TRUE(differs([](KivFileHeader_t& h) { h.SetManufacturerId("x"); }));
    EXPECT_TRUE(differs([](KivFileHeader_t& h) { h.SetCopyrightInfo("x"); }));
    std::istringstream wrongMagic(Bytes({'A', 'B', 'C', 'D', 0, 1, 0, 0}) + "\nA\nB\nC\nD\nE\n");
    KivFileHeader_t read;
    EXPECT_FALSE(read.Read(wrongMagic).fail());
    EXPECT_FALSE(read.HasValidMagic());
    EXPECT_NE(header, read);
}

TEST(KivFileHeader, CommentAndEmptyLinesBeforeEachTextAreSkipped)
{
    std::istringstream in(Bytes({0xF0, 0xF0, 0xF0, 0xF0, 7, 1, 2, 3}) +
                          "rest of the line is ignored\n*c\nName\n\nMake\n*c\n\n*c\nInfo\nMaker\n\n\nCopy\nEND\n");
    KivFileHeader_t header;
    EXPECT_FALSE(header.Read(in).fail());
    EXPECT_EQ(7, header.GetRevision());
    EXPECT_EQ(2, header.GetDefaultGroup());
    EXPECT_EQ(3, header.GetDefaultCheckList());
    EXPECT_EQ("Name", header.GetCheckListName());
    EXPECT_EQ("Make", header.GetAircraftMakeModel());
    EXPECT_EQ("Info", header.GetAircraftInfo());
    EXPECT_EQ("Maker", header.GetManufacturerId());
    EXPECT_EQ("Copy", header.GetCopyrightInfo());
    Database_t database;
    EXPECT_FALSE(database.Read(in).fail());
    EXPECT_TRUE(database.IsComplete());
}

TEST(KivFileHeader, ShortInputFailsTheStream)
{
    const std::string full = Written(KivFileHeader_t());
    // The last text may lack its line feed; before it every end fails the read.
    for (std::size_t length : {0u, 3u, 7u, 8u, 9u, 20u, full.rfind("Copyright")}) {
        std::istringstream in(full.substr(0, length));
        KivFileHeader_t header;
        header.Read(in);
        EXPECT_TRUE(in.fail()) << length;
    }
    std::istringstream in(full);
    KivFileHeader_t header;
    EXPECT_FALSE(header.Read(in).fail());

    std::ostringstream failed;
    failed.setstate(std::ios::failbit);
    KivFileHeader_t().Write(failed);
    failed.clear();
    EXPECT_EQ("", failed.str());
}
