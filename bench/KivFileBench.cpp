// Checklist file speed: CRC throughput, and the time to write and read back
// generated files of growing size (many groups, checklists and entries), which
// shows whether writing and reading grow linearly with the file.
//
//   kiv_file_bench [MiB]      (size of the largest file, default 10)
#include "bench/BenchClock.h"
#include "editor/Crc.h"
#include "editor/Database.h"
#include "editor/KivFile.h"
#include "editor/KivFileHeader.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Mib(double bytes)
{
    return bytes / (1024.0 * 1024.0);
}

void CrcThroughput()
{
    std::vector<char> bytes(16 * 1024 * 1024);
    unsigned value = 12345;
    for (char& b : bytes)
        b = static_cast<char>((value = value * 1103515245 + 12345) >> 16);
    const int runs = 4;
    const double start = Seconds();
    unsigned crc = 0;
    for (int i = 0; i < runs; ++i)
        crc += app::Crc_t::Compute(bytes.data(), bytes.size());
    const double seconds = Seconds() - start;
    std::printf("CRC-32: %.1f MiB/s (%d x %.0f MiB in %.2f s, %08X)\n",
                Mib(runs * static_cast<double>(bytes.size())) / seconds, runs, Mib(bytes.size()), seconds, crc);
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

void WriteAndRead(const std::string& path, double targetBytes)
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
    app::KivInputFile_t in(path);
    readHeader.Read(in);
    read.Read(in);
    const bool whole = !in.fail() && read.IsComplete() && read.groups.size() == database.groups.size();
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
}

} // namespace

int main(int argc, char** argv)
{
    const double largest = argc > 1 ? std::atof(argv[1]) : 10.0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "kiv_file_bench.kiv";

    CrcThroughput();
    for (double fraction : {0.1, 0.25, 0.5, 1.0})
        WriteAndRead(path, largest * fraction * 1024 * 1024);
    DeleteFileA(path.c_str());
    return 0;
}
