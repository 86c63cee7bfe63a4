// Damaged and random checklist files: the readers never throw, crash or hang,
// and report bad input only through the stream state.
#include "tests/editor/TempFolder.h"

#include "editor/file/Crc.h"
#include "editor/model/Database.h"
#include "editor/file/KivFile.h"
#include "editor/file/KivFileHeader.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <sstream>

using app::Database_t;
using app::KivFileHeader_t;

namespace {

std::string ValidFile()
{
    KivFileHeader_t header;
    header.SetRevision(26);
    header.SetDefaultGroup(10);
    Database_t database;
    const char* kinds = "anptwcr";
    for (int g = 0; g < 3; ++g) {
        app::Group_t group("Group " + std::to_string(g));
        for (int c = 0; c < 2; ++c) {
            app::CheckList_t checklist("List " + std::to_string(c));
            for (int e = 0; e < 7; ++e)
                checklist.entries.emplace_back(std::string("Entry ") + kinds[e] + std::string(e % 3, '\n'), e,
                                               e % 6, e == 6 ? "Response\n" : "");
            group.checklists.push_back(checklist);
        }
        database.groups.push_back(group);
    }
    std::ostringstream out;
    out << header << database << "* trailing\n";
    return out.str();
}

const char structural[] = "<>()~*\n\r\x1A 0c1r5END\xF0";

class Mutator {
public:
    explicit Mutator(unsigned seed) : random(seed) {}

    std::string Mutate(std::string bytes)
    {
        const int changes = 1 + Below(4);
        for (int i = 0; i < changes; ++i) {
            const std::size_t at = bytes.empty() ? 0 : Below(static_cast<int>(bytes.size()));
            switch (Below(7)) {
            case 0: if (!bytes.empty()) bytes[at] = static_cast<char>(bytes[at] ^ (1 << Below(8))); break;
            case 1: if (!bytes.empty()) bytes[at] = Structural(); break;
            case 2: bytes.insert(at, 1, Below(2) ? Structural() : static_cast<char>(Below(256))); break;
            case 3: bytes.erase(at, 1 + Below(3)); break;
            case 4: bytes.resize(at); break;
            case 5: bytes.insert(at, bytes.substr(Below(static_cast<int>(bytes.size()) + 1), Below(40))); break;
            default: bytes.erase(at, Below(200)); break;
            }
        }
        return bytes;
    }

    std::string RandomBytes(bool structuralOnly)
    {
        std::string bytes(Below(300), '\0');
        for (char& c : bytes)
            c = structuralOnly ? Structural() : static_cast<char>(Below(256));
        return bytes;
    }

private:
    int Below(int n) { return n <= 0 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(random); }
    char Structural() { return structural[Below(sizeof structural - 1)]; }

    std::mt19937 random;
};

std::string Written(const KivFileHeader_t& header, const Database_t& database)
{
    std::ostringstream out;
    out << header << database;
    return out.str();
}

// Reads header and body as the editor does and checks what the readers promise:
// no exception, failure only through the stream, and a complete read that
// writes back to text that reads the same again. Counts the complete reads.
void ExpectReadsSafely(std::istream& in, int& complete)
{
    try {
        KivFileHeader_t header;
        header.Read(in);
        if (in.fail())
            return;
        Database_t database;
        database.Read(in);
        ASSERT_EQ(database.IsComplete(), !in.fail());
        if (!database.IsComplete())
            return;
        ++complete;
        const std::string written = Written(header, database);
        std::istringstream again(written);
        KivFileHeader_t header2;
        Database_t database2;
        header2.Read(again);
        database2.Read(again);
        ASSERT_TRUE(database2.IsComplete());
        ASSERT_EQ(header, header2);
        ASSERT_EQ(written, Written(header2, database2));
    } catch (...) {
        FAIL() << "a reader threw";
    }
}

void Report(int inputs, int complete)
{
    std::printf("%d inputs, %d of them read whole\n", inputs, complete);
}

} // namespace

TEST(ReaderRobustness, MutatedFilesInMemory)
{
    const std::string valid = ValidFile();
    int inputs = 0, complete = 0;
    std::istringstream original(valid);
    ExpectReadsSafely(original, complete);
    ASSERT_EQ(1, complete);
    Mutator mutator(12345);
    for (; inputs < 20000 && !HasFatalFailure(); ++inputs) {
        std::istringstream in(mutator.Mutate(valid));
        ExpectReadsSafely(in, complete);
    }
    Report(inputs, complete);
}

TEST(ReaderRobustness, RandomBytes)
{
    // Half of them are bodies made of the form's own characters behind a valid header.
    std::ostringstream header;
    header << KivFileHeader_t();
    Mutator mutator(678);
    int inputs = 0, complete = 0;
    for (; inputs < 20000 && !HasFatalFailure(); ++inputs) {
        const bool body = inputs % 2 == 0;
        std::istringstream in((body ? header.str() : "") + mutator.RandomBytes(body));
        ExpectReadsSafely(in, complete);
    }
    Report(inputs, complete);
}

TEST(ReaderRobustness, MutatedFilesOnDisk)
{
    TempFolder folder;
    const std::string path = folder.File("damaged.kiv");
    const std::string valid = ValidFile();
    Mutator mutator(910);
    int inputs = 0, complete = 0;
    for (; inputs < 1000 && !HasFatalFailure(); ++inputs) {
        const std::string damaged = mutator.Mutate(valid);
        WriteBytes(path, damaged);
        app::Crc_t(path).Append();
        WriteBytes(path, mutator.Mutate(ReadBytes(path)));
        app::KivInputFile_t in(path);
        ExpectReadsSafely(in, complete);
        try {
            app::Crc_t(path).Check();
        } catch (...) {
            FAIL() << "the check threw";
        }
    }
    Report(inputs, complete);
}
