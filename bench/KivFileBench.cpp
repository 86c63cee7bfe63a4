// Checklist file speed: CRC throughput (the sliced computation next to a byte at a
// time, with the check values and the new-group file's trailers), and the time to write and read back
// generated files of growing size (many groups, checklists and entries), which
// shows whether writing and reading grow linearly with the file, and the whole
// sound save of the largest beside a plain write, flush and read-back of its bytes.
//
//   kiv_file_bench [MiB]      (size of the largest file, default 10)
#include "bench/BenchClock.h"
#include "editor/file/Crc.h"
#include "editor/model/Database.h"
#include "editor/file/KivFile.h"
#include "editor/file/KivFileHeader.h"
#include "editor/file/SafeSave.h"

#include <windows.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

double Mib(double bytes)
{
    return bytes / (1024.0 * 1024.0);
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The CRC a byte at a time through one table: the measure the sliced computation is held to.
std::uint32_t BytewiseCrc(const char* bytes, std::size_t size)
{
    static std::uint32_t table[256];
    for (std::uint32_t n = 0; n < 256 && !table[255]; ++n) {
        std::uint32_t value = n;
        for (int bit = 0; bit < 8; ++bit)
            value = value & 1 ? 0xEDB88320 ^ (value >> 1) : value >> 1;
        table[n] = value;
    }
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ static_cast<unsigned char>(bytes[i])) & 0xFF] ^ (crc >> 8);
    return crc;
}

// Runs the computation over the bytes; returns MB/s (10^6 bytes a second) and the sum of the values.
double Throughput(std::uint32_t (*compute)(const char*, std::size_t), const std::vector<char>& bytes,
                  std::uint32_t* sum)
{
    const int runs = 4;
    const double start = Seconds();
    *sum = 0;
    for (int i = 0; i < runs; ++i)
        *sum += compute(bytes.data(), bytes.size());
    return runs * static_cast<double>(bytes.size()) / (Seconds() - start) / 1e6;
}

// The trailer of the file that Add New Group makes in a new document.
std::uint32_t NewGroupTrailer(const std::string& path, bool userMade, std::size_t* size)
{
    app::KivFileHeader_t header;
    header.SetUserMade(userMade ? 1 : 0);
    app::Database_t database;
    app::Group_t group("New Group");
    app::CheckList_t checkList("New Checklist");
    checkList.entries.emplace_back("New Entry");
    group.checklists.push_back(checkList);
    database.groups.push_back(group);
    app::WriteKivFile(path, header, database);
    app::Crc_t crc(path);
    crc.Check();
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    *size = data.nFileSizeLow;
    return crc.GetStoredCrc();
}

void CrcThroughput(const std::string& path)
{
    std::vector<char> bytes(16 * 1024 * 1024);
    unsigned value = 12345;
    for (char& b : bytes)
        b = static_cast<char>((value = value * 1103515245 + 12345) >> 16);
    std::uint32_t bytewiseSum, slicedSum;
    const double bytewise = Throughput(BytewiseCrc, bytes, &bytewiseSum);
    const double sliced = Throughput(app::Crc_t::Compute, bytes, &slicedSum);
    std::printf("CRC-32 over 4 x 16 MiB: a byte at a time %.0f MB/s, sliced %.0f MB/s (x %.1f), %s\n", bytewise,
                sliced, sliced / bytewise, bytewiseSum == slicedSum ? "same values" : "VALUES DIFFER");

    // Every length and start up to 64 bytes against the byte-at-a-time values.
    int differences = 0;
    for (std::size_t start = 0; start < 8; ++start) {
        for (std::size_t length = 0; length <= 64; ++length)
            differences += app::Crc_t::Compute(&bytes[start], length) != BytewiseCrc(&bytes[start], length);
    }
    std::size_t userSize, oemSize;
    const std::uint32_t user = NewGroupTrailer(path, true, &userSize);
    const std::uint32_t oem = NewGroupTrailer(path, false, &oemSize);
    const bool checks = app::Crc_t::Compute("123456789", 9) == 0x340BC6D9 && app::Crc_t::Compute("", 0) == 0xFFFFFFFF &&
                        differences == 0 && userSize == 213 && user == 0xADF5E127 && oemSize == 213 &&
                        oem == 0xFFC8A9E3;
    std::printf("check values: \"123456789\" %08X, empty %08X, short lengths %d differences; "
                "new-group file %zu bytes, trailer %08X (OEM %08X)%s\n",
                app::Crc_t::Compute("123456789", 9), app::Crc_t::Compute("", 0), differences, userSize, user, oem,
                checks ? "" : "   FAILED: expected 340BC6D9, FFFFFFFF, 0, 213, ADF5E127, FFC8A9E3");
}

// Roughly 64 bytes a line; 200 entries a checklist, 10 checklists a group.
void Generate(app::Database_t& database, double bytes)
{
    const int groups = static_cast<int>(bytes / (64.0 * 200 * 10)) + 1;
    for (int g = 0; g < groups; ++g) {
        app::Group_t group("Group " + std::to_string(g));
        for (int c = 0; c < 10; ++c) {
            app::CheckList_t checklist("Checklist " + std::to_string(c));
            for (int e = 0; e < 200; ++e) {
                const int kind = e % 7;
                checklist.entries.emplace_back(
                    "Entry " + std::to_string(e) + " of the checklist, a text of an ordinary length" +
                        std::string(e % 3 == 0 && kind != 6, '\n'),
                    kind, e % 6, kind == 6 ? "RESPONSE CHECKED" : "");
            }
            group.checklists.push_back(checklist);
        }
        database.groups.push_back(group);
    }
}

// The fastest the system writes, flushes and reads back these bytes: the floor of a save.
double PlainWriteFlushRead(const std::string& path, const std::string& bytes)
{
    const double start = Seconds();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    bool sound = file != INVALID_HANDLE_VALUE && WriteFile(file, bytes.data(), bytes.size(), &done, nullptr) &&
                 done == bytes.size() && FlushFileBuffers(file);
    std::string read(bytes.size(), '\0');
    sound = sound && SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
            ReadFile(file, &read[0], read.size(), &done, nullptr) && done == read.size() && read == bytes;
    CloseHandle(file);
    const double seconds = Seconds() - start;
    DeleteFileA(path.c_str());
    return sound ? seconds : -1;
}

// The whole save of the database written at path, beside the writer's time there.
void SaveBesidePlainWrite(const std::string& path, const app::KivFileHeader_t& header,
                          const app::Database_t& database, double writeSeconds)
{
    const std::string bytes = ReadBytes(path);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size() - 4);
    double start = Seconds();
    bool appended = app::Crc_t(path).Append();
    const double appendSeconds = Seconds() - start;
    appended = appended && ReadBytes(path) == bytes;
    DeleteFileA(path.c_str());

    start = Seconds();
    bool saved = true;
    try {
        app::SaveKivFile(path, header, database);
    } catch (const app::SaveError_t&) {
        saved = false;
    }
    const double saveSeconds = Seconds() - start;
    saved = saved && ReadBytes(path) == bytes;

    const double plainSeconds = PlainWriteFlushRead(path + ".plain", bytes);
    std::printf("save of %.2f MiB: %6.3f s; the writer %6.3f s, of which the trailer's append %6.3f s; "
                "plain write, flush and read-back %6.3f s; the save takes x %.1f%s\n",
                Mib(static_cast<double>(bytes.size())), saveSeconds, writeSeconds, appendSeconds, plainSeconds,
                saveSeconds / plainSeconds,
                appended && saved && plainSeconds > 0 ? "" : "   FAILED: a save or the plain write failed");
}

// Writes, reads back and checks a file of about that size; the largest is saved as well.
void WriteAndRead(const std::string& path, double targetBytes, bool largest)
{
    app::Database_t database;
    Generate(database, targetBytes);
    const app::KivFileHeader_t header;

    double start = Seconds();
    const bool written = app::WriteKivFile(path, header, database);
    const double writeSeconds = Seconds() - start;

    start = Seconds();
    app::KivFileHeader_t readHeader;
    app::Database_t read;
    bool whole;
    {
        app::KivInputFile_t in(path);
        readHeader.Read(in);
        read.Read(in);
        whole = !in.fail() && read.IsComplete() && read.groups.size() == database.groups.size();
    }
    const double readSeconds = Seconds() - start;

    start = Seconds();
    const bool checked = app::Crc_t(path).Check();
    const double checkSeconds = Seconds() - start;

    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    const double size = data.nFileSizeLow;
    std::printf("%6.2f MiB (%4zu groups): write %6.3f s (%5.1f MiB/s), read %6.3f s (%5.1f MiB/s), "
                "check %6.3f s%s\n",
                Mib(size), database.groups.size(), writeSeconds, Mib(size) / writeSeconds, readSeconds,
                Mib(size) / readSeconds, checkSeconds,
                written && whole && checked ? "" : "   FAILED: the file did not read back whole");
    if (largest)
        SaveBesidePlainWrite(path, header, database, writeSeconds);
}

} // namespace

int main(int argc, char** argv)
{
    const double largest = argc > 1 ? std::atof(argv[1]) : 10.0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "kiv_file_bench.kiv";

    CrcThroughput(path);
    for (double fraction : {0.1, 0.25, 0.5, 1.0})
        WriteAndRead(path, largest * fraction * 1024 * 1024, fraction == 1.0);
    DeleteFileA(path.c_str());
    return 0;
}
