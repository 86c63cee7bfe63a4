// Tests of the device storage: the device description file on a removable drive
// (simulated by folders of the test's own behind the drive list) and in the PC device
// folder of the test prefix, the unit id, data types and update files, the preloaded
// maps over USB and from both files, the scrambled map records with their damaged forms,
// and map images built with the disk-image library.
#include "tests/Setup/actions/SetupTestSupport.h"
#include "tests/Setup/device/DeviceTestSupport.h"
#include "tests/Setup/device/SimulatedUnit.h"

#include "Setup/device/DeviceStorage.h"
#include "Setup/device/MapRecord.h"
#include "img_varnok/IMG_VarnokDiskImage.h"

#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <random>

using setup_test::CapturedDiagnostics;
using setup_test::ReadBytes;
using setup_test::TempFolder;
using setup_test::WriteBytes;

namespace {

// Folders of the test's own standing in for drives: C fixed, E and F removable, G a CD.
class SimulatedDrives
{
public:
    SimulatedDrives()
    {
        for (const wchar_t* letter : {L"C", L"E", L"F", L"G"})
            CreateDirectoryW(m_folder / letter, nullptr);
        CDeviceStorage::SetDrivesForTest([this] {
            return std::vector<CDeviceStorage::Drive>{{Root(L"C"), DRIVE_FIXED},
                                                      {Root(L"E"), DRIVE_REMOVABLE},
                                                      {Root(L"F"), DRIVE_REMOVABLE},
                                                      {Root(L"G"), DRIVE_CDROM}};
        });
    }
    ~SimulatedDrives() { CDeviceStorage::SetDrivesForTest(nullptr); }

    CString Root(const wchar_t* letter) const { return m_folder / letter + L"\\"; }
    // Writes the drive's description file.
    void Describe(const wchar_t* letter, const std::string& xml) const
    {
        CreateDirectoryW(Root(letter) + L"Quorel", nullptr);
        WriteBytes(Root(letter) + L"Quorel\\QuorelDevice.xml", xml);
    }

private:
    TempFolder m_folder;
};

// The PC device folder's description file in the test prefix, removed again with the
// folders it made.
class PcDeviceFile
{
public:
    explicit PcDeviceFile(const std::string& xml)
    {
        wchar_t appData[MAX_PATH] = L"";
        SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
        CString folder = appData;
        for (const wchar_t* part : {L"\\QUOREL", L"\\Devices", L"\\Sorvane"}) {
            folder += part;
            if (CreateDirectoryW(folder, nullptr))
                m_made.insert(m_made.begin(), folder);
        }
        m_path = folder + L"\\QuorelDevice.xml";
        WriteBytes(m_path, xml);
    }
    ~PcDeviceFile()
    {
        DeleteFileW(m_path);
        for (const CString& folder : m_made)
            RemoveDirectoryW(folder);
    }

private:
    CString m_path;
    std::vector<CString> m_made;
};

// Elements stand on lines of their own, as in the files units carry.
std::string UpdateFile(const std::string& file, const std::string& part)
{
    return "<UpdateFile>\r\n <FileName>" + file + "</FileName>\r\n <PartNumber>" + part +
           "</PartNumber>\r\n</UpdateFile>\r\n";
}

const std::string kMaps = UpdateFile("GMAP.IMG", "010-00001-00") + UpdateFile("gmap3.img", "010-00003-00") +
                          UpdateFile("OTHER.IMG", "None");

std::string DeviceXml(const std::string& id, const std::string& extra = "")
{
    return "<?xml version=\"1.0\"?>\r\n<Device><Model><Description>Sorvane</Description></Model><Id>" + id +
           "</Id>\r\n<MassStorageMode>" + extra + "</MassStorageMode></Device>\r\n";
}

void BuildImage(const CString& path, const char* name, const char* description, float version)
{
    IMG_VarnokDiskImage image;
    image.SetImageFileName(path.ToAnsi().c_str(), false);
    image.SetName(name);
    image.SetDescription(description);
    image.SetVersion(version);
    image.Write(nullptr);
}

std::string Scrambled(const std::string& text)
{
    std::string bytes = text + "%";
    for (char& c : bytes)
        c = static_cast<char>(c ^ 0x6B);
    return bytes;
}

std::string U32Bytes(uint32_t value)
{
    return std::string{static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                       static_cast<char>(value >> 24)};
}

TEST(DeviceDrive, TheFirstRemovableDriveHoldingTheFileIsTheUnit)
{
    SimulatedDrives drives;
    CString folder = L"old";
    EXPECT_FALSE(CDeviceStorage::FindDeviceFolder(folder));
    EXPECT_TRUE(folder.IsEmpty());
    drives.Describe(L"C", DeviceXml("1"));  // a fixed drive is no unit
    drives.Describe(L"G", DeviceXml("2"));
    EXPECT_FALSE(CDeviceStorage::HasDeviceDrive());
    EXPECT_EQ(CDeviceStorage::CountDeviceDrives(), 0);

    drives.Describe(L"F", DeviceXml("3"));
    ASSERT_TRUE(CDeviceStorage::FindDeviceFolder(folder));
    EXPECT_EQ(folder, drives.Root(L"F") + L"Quorel\\");
    drives.Describe(L"E", DeviceXml("4"));
    ASSERT_TRUE(CDeviceStorage::FindDeviceFolder(folder));
    EXPECT_EQ(folder, drives.Root(L"E") + L"Quorel\\");
    EXPECT_EQ(CDeviceStorage::CountDeviceDrives(), 2);
    CString path;
    ASSERT_TRUE(CDeviceStorage::FindDeviceXml(path));
    EXPECT_EQ(path, drives.Root(L"E") + L"Quorel\\QuorelDevice.xml");
    CString root;
    ASSERT_TRUE(CDeviceStorage::GetPathRoot(root));
    EXPECT_EQ(root, drives.Root(L"E").Left(3));  // the drive of the folder standing in for E:
    EXPECT_EQ(GetErrorMode(), 0u);
    int id = 0;
    EXPECT_TRUE(CDeviceStorage::GetDeviceUnitId(id));
    EXPECT_EQ(id, 4);
}

TEST(DeviceDrive, TheTestPrefixHasNoUnitDrive)
{
    CString folder;
    EXPECT_FALSE(CDeviceStorage::FindDeviceFolder(folder));
    EXPECT_EQ(CDeviceStorage::CountDeviceDrives(), 0);
    CString root;
    EXPECT_FALSE(CDeviceStorage::GetPathRoot(root));
    int id = 5;
    EXPECT_FALSE(CDeviceStorage::GetDeviceUnitId(id));
    EXPECT_EQ(id, 0);
}

TEST(DeviceDescription, UnitIdsOfBothFiles)
{
    SimulatedDrives drives;
    int id = 0;
    struct Case { const char* text; bool found; int id; };
    for (Case c : {Case{" 12345 ", true, 12345}, Case{"-7x", true, -7}, Case{"abc", false, 0}, Case{"", false, 0}}) {
        drives.Describe(L"E", DeviceXml(c.text));
        EXPECT_EQ(CDeviceStorage::GetDeviceUnitId(id), c.found) << c.text;
        EXPECT_EQ(id, c.id) << c.text;
    }
    drives.Describe(L"E", "<Device><Ident>5</Ident></Device>");
    EXPECT_FALSE(CDeviceStorage::GetDeviceUnitId(id));
    // A file in UTF-16 is read as well.
    std::string wide = "\xFF\xFE";
    for (char c : DeviceXml("88"))
        wide += std::string{c, 0};
    drives.Describe(L"E", wide);
    EXPECT_TRUE(CDeviceStorage::GetDeviceUnitId(id));
    EXPECT_EQ(id, 88);

    DWORD pcId = 1;
    EXPECT_FALSE(CDeviceStorage::HasPcDevice());
    EXPECT_FALSE(CDeviceStorage::GetPcDeviceUnitId(pcId));
    EXPECT_EQ(pcId, 0u);
    {
        PcDeviceFile pc(DeviceXml("3000000000"));
        EXPECT_TRUE(CDeviceStorage::HasPcDevice());
        EXPECT_TRUE(CDeviceStorage::GetPcDeviceUnitId(pcId));
        EXPECT_EQ(pcId, 3000000000u);
    }
    {
        PcDeviceFile pc(DeviceXml("99999999999"));  // out of range
        EXPECT_FALSE(CDeviceStorage::GetPcDeviceUnitId(pcId));
        EXPECT_EQ(pcId, 0u);
    }
    EXPECT_FALSE(CDeviceStorage::HasPcDevice());
}

TEST(DeviceDescription, DataTypesAndUpdateFiles)
{
    SimulatedDrives drives;
    drives.Describe(L"E", DeviceXml("1", "<DataType><Name>Map</Name></DataType><DataType><Name>asr</Name></DataType>"));
    EXPECT_TRUE(CDeviceStorage::FindDataTypeName());
    drives.Describe(L"E", DeviceXml("1", "<DataType><Name>Map</Name></DataType><Name>ASR</Name>"));
    EXPECT_FALSE(CDeviceStorage::FindDataTypeName());

    CString xml(kMaps.c_str());
    CString part = L"old", file = L"old";
    EXPECT_TRUE(CDeviceStorage::FindPartNumberForFile(xml, L"Gmap3.IMG", part));
    EXPECT_EQ(part, L"010-00003-00");
    EXPECT_TRUE(CDeviceStorage::FindFileForPartNumber(L"010-00001-00", xml, file));
    EXPECT_EQ(file, L"GMAP.IMG");
    EXPECT_FALSE(CDeviceStorage::FindPartNumberForFile(xml, L"GMAP2.IMG", part));
    EXPECT_TRUE(part.IsEmpty());
    // "None" and the empty text are refused before the text is looked at.
    file = L"old";
    EXPECT_FALSE(CDeviceStorage::FindFileForPartNumber(L"None", xml, file));
    EXPECT_TRUE(file.IsEmpty());
    EXPECT_FALSE(CDeviceStorage::FindPartNumberForFile(xml, L"", part));
    EXPECT_FALSE(CDeviceStorage::FindPartNumberForFile(xml, L"NoneSuch.IMG", part));
}

TEST(DeviceDescription, DamagedAndRandomFilesAreSearchedSafely)
{
    SimulatedDrives drives;
    // A file cut anywhere inside its update file entry yields no entry at all: no part
    // number, no file name and no preloaded map; cut after it, the whole entry.
    std::string head = DeviceXml("12", "<PreProgrammedMaps>\r\n <BaseName>GMAP</BaseName></PreProgrammedMaps>\r\n"
                                       "<BaseMaps>\r\n <FileExtension>IMG</FileExtension></BaseMaps>\r\n");
    std::string entry = UpdateFile("GMAP.IMG", "010-00001-00");
    const size_t entryEnd = entry.find("</UpdateFile>") + 13;
    for (size_t length = 0; length <= entry.size(); ++length) {
        std::string xml = head + entry.substr(0, length);
        drives.Describe(L"E", xml);
        bool whole = length >= entryEnd;
        CString part = L"old", file = L"old";
        EXPECT_EQ(CDeviceStorage::FindPartNumberForFile(CString(xml.c_str()), L"GMAP.IMG", part), whole) << length;
        EXPECT_EQ(part, whole ? L"010-00001-00" : L"") << length;
        EXPECT_EQ(CDeviceStorage::FindFileForPartNumber(L"010-00001-00", CString(xml.c_str()), file), whole) << length;
        EXPECT_EQ(file, whole ? L"GMAP.IMG" : L"") << length;
        std::vector<CString> parts = {L"old"};
        EXPECT_EQ(CInstallActions::GetPreloadedMapParts(12, parts), whole) << length;
        EXPECT_EQ(parts, whole ? std::vector<CString>{L"010-00001-00"} : std::vector<CString>()) << length;
    }

    // In random files every value found stands in the file between its own tags.
    std::mt19937 random(3);
    const char* pieces[] = {"<Id>", "</Id>", "<DataType>", "</DataType>", "<Name>", "</Name>", "ASR",
                            "<UpdateFile>", "</UpdateFile>", "<FileName>", "</FileName>", "<PartNumber>",
                            "</PartNumber>", "GMAP.IMG", "12", "<", ">", "/", "None", "\r\n"};
    auto within = [](const CString& text, const CString& open, const CString& value, const CString& close) {
        return text.Find(open + value + close) >= 0;
    };
    for (int round = 0; round < 100; ++round) {
        std::string xml = head.substr(0, random() % head.size());
        for (int i = random() % 60; i > 0; --i)
            xml += random() % 4 ? pieces[random() % 20] : std::string(1, static_cast<char>(1 + random() % 255));
        drives.Describe(L"E", xml);
        CString text, value;
        ASSERT_TRUE(CDeviceStorage::ReadDeviceXml(text));
        int id = 5;
        if (CDeviceStorage::GetDeviceUnitId(id)) {
            EXPECT_TRUE(text.Find(L"<Id>") >= 0 && text.Find(L"</Id>") >= 0) << xml;
        } else {
            EXPECT_EQ(id, 0) << xml;
        }
        CString lower = text;
        if (CDeviceStorage::FindDataTypeName()) {
            EXPECT_TRUE(within(lower.MakeLower(), L"<name>", L"asr", L"</name>")) << xml;
        }
        if (CDeviceStorage::FindPartNumberForFile(text, L"GMAP.IMG", value)) {
            EXPECT_TRUE(within(text, L"<PartNumber>", value, L"</PartNumber>")) << xml;
        } else {
            EXPECT_TRUE(value.IsEmpty());
        }
        if (CDeviceStorage::FindFileForPartNumber(L"12", text, value)) {
            EXPECT_TRUE(within(text, L"<FileName>", value, L"</FileName>")) << xml;
        }
        std::vector<CString> parts;
        CInstallActions::GetPreloadedMapParts(12, parts);
        for (const CString& part : parts)
            EXPECT_TRUE(within(text, L"<PartNumber>", part, L"</PartNumber>")) << xml;
    }
}

class PreloadedMaps : public ::testing::Test
{
protected:
    Watchdog m_watchdog{120000};
    SimulatedDrives drives;
};

TEST_F(PreloadedMaps, FromTheUnitOverUsb)
{
    SimulatedUnit unit;
    unit.unitId = 777;
    auto record = [](BYTE id, const std::string& product, const std::string& third) {
        Bytes bytes = {id, 0, 0, 0, 0, 0, 0, 0};
        Bytes texts(26, 0);
        std::copy(product.begin(), product.end(), texts.begin() + 13);
        return bytes + texts + Text(third);
    };
    unit.mapRecords = record(49, "010-00049-00", "") + record(77, "010-00077-00", "x");
    std::vector<CString> parts = {L"old"};
    EXPECT_TRUE(CInstallActions::GetPreloadedMapParts(777, parts));
    EXPECT_EQ(parts, (std::vector<CString>{L"010-00049-00", L"010-00077-00"}));
    unit.mapRecords = record(5, "010-00005-00", "");
    EXPECT_TRUE(CInstallActions::GetPreloadedMapParts(777, parts));  // connected: true without maps
    EXPECT_TRUE(parts.empty());
    EXPECT_FALSE(CInstallActions::GetPreloadedMapParts(778, parts));
}

TEST_F(PreloadedMaps, FromTheUnitDriveEveryListedMapCounts)
{
    std::string maps = "<PreProgrammedMaps>\r\n <BaseName>GMAP</BaseName></PreProgrammedMaps>\r\n"
                       "<BaseMaps>\r\n <FileExtension>IMG</FileExtension></BaseMaps>\r\n" + kMaps;
    drives.Describe(L"F", DeviceXml("42", maps));
    std::vector<CString> parts;
    EXPECT_TRUE(CInstallActions::GetPreloadedMapParts(42, parts));
    EXPECT_EQ(parts, (std::vector<CString>{L"010-00001-00", L"010-00003-00"}));

    // Without the extension, or without any listed map, nothing is found.
    drives.Describe(L"F", DeviceXml("42", "<PreProgrammedMaps>\r\n <BaseName>GMAP</BaseName></PreProgrammedMaps>" + kMaps));
    EXPECT_FALSE(CInstallActions::GetPreloadedMapParts(42, parts));
    drives.Describe(L"F", DeviceXml("42", "<PreProgrammedMaps>\r\n <BaseName>XMAP</BaseName></PreProgrammedMaps>\r\n"
                                          "<BaseMaps>\r\n <FileExtension>IMG</FileExtension></BaseMaps>" + kMaps));
    EXPECT_FALSE(CInstallActions::GetPreloadedMapParts(42, parts));
    EXPECT_TRUE(parts.empty());
}

TEST_F(PreloadedMaps, FromThePcDeviceFolderTheMapsUpToTheFirstGap)
{
    drives.Describe(L"E", DeviceXml("41"));  // another unit's drive
    std::string maps = "<PreProgrammedMaps>\r\n <BaseName>GMAP</BaseName>\r\n <FileExtension>img</FileExtension>\r\n"
                       "</PreProgrammedMaps>\r\n" + kMaps + UpdateFile("GMAP1.IMG", "010-00011-00");
    std::vector<CString> parts;
    {
        PcDeviceFile pc(DeviceXml("42", maps));
        EXPECT_TRUE(CInstallActions::GetPreloadedMapParts(42, parts));
        EXPECT_EQ(parts, (std::vector<CString>{L"010-00001-00", L"010-00011-00"}));
        EXPECT_FALSE(CInstallActions::GetPreloadedMapParts(43, parts));
    }
    {
        // With only B.E and B3.E listed, B3.E lies beyond the gap.
        PcDeviceFile pc(DeviceXml("42", maps.substr(0, maps.find("<UpdateFile>\r\n <FileName>GMAP1"))));
        EXPECT_TRUE(CInstallActions::GetPreloadedMapParts(42, parts));
        EXPECT_EQ(parts, std::vector<CString>{L"010-00001-00"});
    }
    {
        PcDeviceFile pc(DeviceXml("42", "<PreProgrammedMaps>\r\n <BaseName>GMAP</BaseName>\r\n <FileExtension>IMG"
                                        "</FileExtension></PreProgrammedMaps>" + UpdateFile("GMAP1.IMG", "1")));
        EXPECT_FALSE(CInstallActions::GetPreloadedMapParts(42, parts));  // the base map itself is missing
    }
}

TEST(MapRecord, WrittenScrambledAndReadBack)
{
    // Paths of up to 29 characters are stored whole: the test works in its folder.
    TempFolder folder;
    wchar_t previous[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.Path()));
    const std::string shortImage = "maps\\europe.img";
    CreateDirectoryW(L"maps", nullptr);

    CMapRecord record;
    record.Set(shortImage, "ROUTE", "Black Forest tracks", 310);  // each "k" is stored as a zero byte
    EXPECT_EQ(record.GetRecordFileName(), shortImage.substr(0, shortImage.size() - 4) + ".REC");
    ASSERT_TRUE(record.Write());
    std::string bytes = ReadBytes(CString(record.GetRecordFileName().c_str()));
    EXPECT_EQ(bytes, U32Bytes(1) + Scrambled(shortImage) + Scrambled("ROUTE") + Scrambled("Black Forest tracks") +
                         U32Bytes(310));
    EXPECT_NE(bytes.find('N'), std::string::npos);  // "%" stored scrambled

    CMapRecord readBack;
    readBack.SetFile(shortImage);
    ASSERT_TRUE(readBack.Read());
    EXPECT_EQ(readBack.GetName(), "ROUTE");
    EXPECT_EQ(readBack.GetDescription(), "Black Forest tracks");
    EXPECT_EQ(readBack.GetVersion(), 310);
    EXPECT_EQ(readBack.GetFileName(), shortImage);
    EXPECT_TRUE(CDeviceStorage::RemoveMapRecord(CString(shortImage.c_str())));
    EXPECT_FALSE(CDeviceStorage::RemoveMapRecord(CString(shortImage.c_str())));
    EXPECT_FALSE(readBack.Read());
    SetCurrentDirectoryW(previous);
}

TEST(MapRecord, LongTextsAreCutAndTheRecordLiesBesideItsImage)
{
    TempFolder folder;
    std::string image = (folder / L"a_long_name_of_a_map_image.img").ToAnsi();
    ASSERT_GE(image.size(), 30u);
    CMapRecord record;
    record.Set(image, std::string(25, 'n'), std::string(250, 'd'), 100);
    EXPECT_EQ(record.GetFileName(), image.substr(0, 29));
    EXPECT_EQ(record.GetName(), std::string(19, 'n'));
    EXPECT_EQ(record.GetDescription(), std::string(199, 'd'));
    EXPECT_EQ(record.GetRecordFileName(), image.substr(0, image.size() - 4) + ".REC");
    ASSERT_TRUE(record.Write());

    // A "%" cannot be stored inside a text: it is left out, and the fields after it stay whole.
    record.Set(image, "50%", "100% roads", 200);
    ASSERT_TRUE(record.Write());
    CMapRecord readBack;
    readBack.SetFile(image);
    ASSERT_TRUE(readBack.Read());
    EXPECT_EQ(readBack.GetName(), "50");
    EXPECT_EQ(readBack.GetDescription(), "100 roads");
    EXPECT_EQ(readBack.GetVersion(), 200);

    // Names without a three-letter extension have no record.
    for (const char* name : {"ABCD", ".img", "map.im", ""}) {
        CMapRecord none;
        none.Set(name, "N", "D", 1);
        EXPECT_TRUE(none.GetRecordFileName().empty()) << name;
        EXPECT_FALSE(none.Write());
        EXPECT_FALSE(none.Read());
        EXPECT_FALSE(none.Remove());
    }
    CMapRecord five;
    five.SetFile("x.img");
    EXPECT_EQ(five.GetRecordFileName(), "x.REC");
}

TEST(MapRecord, DamagedRecordsAreRefusedOrCutAndChangeNothing)
{
    TempFolder folder;
    CString image = folder / L"d.img";
    CString recordPath = folder / L"d.REC";
    std::string whole = U32Bytes(1) + Scrambled("d.img") + Scrambled(std::string(40, 'n')) + Scrambled("desc") +
                        U32Bytes(305);
    WriteBytes(recordPath, whole);
    CMapRecord record;
    record.SetFile(image.ToAnsi());
    ASSERT_TRUE(record.Read());
    EXPECT_EQ(record.GetName(), std::string(19, 'n'));  // cut to its field, the rest read past
    EXPECT_EQ(record.GetDescription(), "desc");
    EXPECT_EQ(record.GetVersion(), 305);

    // Every shorter file is refused and leaves the record as it was.
    for (size_t length = 0; length < whole.size(); ++length) {
        WriteBytes(recordPath, whole.substr(0, length));
        EXPECT_FALSE(record.Read()) << length;
        EXPECT_EQ(record.GetDescription(), "desc");
        EXPECT_EQ(record.GetVersion(), 305);
    }
    // Random files never read beyond their fields.
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 600, 0);
        for (char& c : bytes)
            c = static_cast<char>(random() % 5 == 0 ? '%' ^ 0x6B : random());
        WriteBytes(recordPath, bytes);
        if (record.Read()) {
            EXPECT_LT(record.GetName().size(), 20u);
            EXPECT_LT(record.GetDescription().size(), 200u);
            EXPECT_LT(record.GetFileName().size(), 30u);
        }
    }
}

class MapImages : public ::testing::Test
{
protected:
    CString Path(const wchar_t* name) const { return m_folder / name; }
    TempFolder m_folder;
};

TEST_F(MapImages, DescriptionNameAndVersionOfAnImage)
{
    BuildImage(Path(L"map.img"), "Route map", "  Roads of Europe  ", 3.10f);
    CString description, name;
    int version = 0;
    ASSERT_TRUE(CInstallActions::ReadImageDescription(Path(L"map.img"), description, version, name));
    EXPECT_EQ(name, L"ROUTE MAP");
    EXPECT_EQ(description, L"Roads of Europe");
    EXPECT_EQ(version, 310);  // not 309: the stored hundredths are rounded back

    CapturedDiagnostics diagnostics;
    WriteBytes(Path(L"bad.img"), std::string(300, 'x'));
    EXPECT_FALSE(CInstallActions::ReadImageDescription(Path(L"bad.img"), description, version, name));
    EXPECT_FALSE(CInstallActions::ReadImageDescription(Path(L"missing.img"), description, version, name));
    EXPECT_FALSE(diagnostics.Text().empty());
}

TEST_F(MapImages, TheRecordDescribesAnImageThatCannotBeOpened)
{
    CString image = Path(L"m.img");
    BuildImage(image, "Topo", "Alps", 2.05f);
    CString name, description;
    int version = 0;
    ASSERT_TRUE(CDeviceStorage::GetMapImageInfo(image, name, description, version));
    EXPECT_TRUE(PathFileExistsW(Path(L"m.REC")));
    WriteBytes(image, "no longer an image");
    name.Empty();
    description.Empty();
    version = 0;
    ASSERT_TRUE(CDeviceStorage::GetMapImageInfo(image, name, description, version));
    EXPECT_EQ(name, L"TOPO");
    EXPECT_EQ(description, L"Alps");
    EXPECT_EQ(version, 205);
    EXPECT_TRUE(CDeviceStorage::RemoveMapRecord(image));
    EXPECT_FALSE(CDeviceStorage::GetMapImageInfo(image, name, description, version));
}

TEST_F(MapImages, AnOlderCandidateOfTheSameMapIsOutdatedAndLosesItsSumFile)
{
    BuildImage(Path(L"reference.img"), "EUROPE NT", "Europe", 3.10f);
    BuildImage(Path(L"candidate.IMG"), "EUROPE 2", "Europe old", 3.00f);
    WriteBytes(Path(L"candidate.sum"), "sum");
    CString name, description;
    int version = 0;
    EXPECT_TRUE(CDeviceStorage::IsMapImageOutdated(Path(L"reference.img"), Path(L"candidate.IMG"), name,
                                                   description, version));
    EXPECT_EQ(name, L"EUROPE 2");
    EXPECT_EQ(version, 300);
    EXPECT_FALSE(PathFileExistsW(Path(L"candidate.sum")));

    BuildImage(Path(L"same.img"), "EUROPE NT", "Europe", 3.10f);
    EXPECT_FALSE(CDeviceStorage::CheckMapImage(Path(L"reference.img"), Path(L"same.img")));
    BuildImage(Path(L"other.img"), "AMERICA", "America", 1.0f);
    EXPECT_FALSE(CDeviceStorage::CheckMapImage(Path(L"reference.img"), Path(L"other.img")));
    EXPECT_FALSE(CDeviceStorage::CheckMapImage(Path(L"missing.img"), Path(L"candidate.IMG")));
    EXPECT_FALSE(CDeviceStorage::CheckMapImage(Path(L"reference.img"), Path(L"missing.img")));
    // Only an ".img" candidate has a sum file.
    BuildImage(Path(L"old.map"), "EUROPE", "Europe", 1.0f);
    WriteBytes(Path(L"old.sum"), "sum");
    EXPECT_TRUE(CDeviceStorage::CheckMapImage(Path(L"reference.img"), Path(L"old.map")));
    EXPECT_TRUE(PathFileExistsW(Path(L"old.sum")));
}

}  // namespace
