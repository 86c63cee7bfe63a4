// Clipboard blocks: what the outgoing blocks hold, round trips through the
// system clipboard, and incoming blocks made by hand, damaged and random.
#include "foundation/afx/AFX_IClipboard.h"
#include "foundation/afx/AFX_OClipboard.h"
#include "foundation/glo/GLO_Exception.h"
#include "foundation/win/WIN_Exception.h"

#include "tests/foundation/RaisePoint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

namespace {

// Reads an outgoing block's bytes as the clipboard would see them.
std::vector<unsigned char> BytesOf(const afx::OClipData_t& block)
{
    const SIZE_T size = ::GlobalSize(block.GetGlobal());
    const auto* memory = static_cast<const unsigned char*>(::GlobalLock(block.GetGlobal()));
    std::vector<unsigned char> bytes(memory, memory + size);
    ::GlobalUnlock(block.GetGlobal());
    return bytes;
}

class Clipboard : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::OleInitialize(nullptr); }

    Clipboard()
        : format(::RegisterClipboardFormatA("KIV FOUNDATION TEST")),
          other(::RegisterClipboardFormatA("KIV FOUNDATION OTHER")),
          owner(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
        Empty();
    }
    ~Clipboard() override
    {
        Empty();
        ::DestroyWindow(owner);
    }

    void Empty() const
    {
        if (::OpenClipboard(owner)) {
            ::EmptyClipboard();
            ::CloseClipboard();
        }
    }

    // Puts a block of exactly these bytes on the clipboard under the test format.
    void PutRaw(const std::vector<unsigned char>& bytes) const
    {
        HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        ASSERT_NE(nullptr, block);
        if (!bytes.empty()) {
            std::memcpy(::GlobalLock(block), bytes.data(), bytes.size());
            ::GlobalUnlock(block);
        }
        ASSERT_TRUE(::OpenClipboard(owner));
        ::EmptyClipboard();
        ::SetClipboardData(format, block);
        ::CloseClipboard();
    }

    // What a paste takes from the clipboard: false when nothing was offered.
    bool Paste(std::string& bytes) const
    {
        afx::IClipboard_t clipboard;
        const afx::IClipBinary_t block(clipboard, format);
        if (clipboard.WasAvailable())
            block.Read(bytes);
        return clipboard.WasAvailable();
    }

    static std::vector<unsigned char> Block(std::uint32_t count, const std::string& bytes)
    {
        std::vector<unsigned char> block(4 + bytes.size());
        for (int i = 0; i < 4; ++i)
            block[i] = static_cast<unsigned char>(count >> (8 * i));
        std::copy(bytes.begin(), bytes.end(), block.begin() + 4);
        return block;
    }

    UINT format;
    UINT other;
    HWND owner;
};

} // namespace

TEST_F(Clipboard, OutgoingBlocksHoldCountAndBytesOrTextAndZero)
{
    const std::vector<unsigned char> empty = BytesOf(afx::OClipBinary_t(""));
    ASSERT_GE(empty.size(), 4u);
    EXPECT_EQ((std::vector<unsigned char>{0, 0, 0, 0}), std::vector<unsigned char>(empty.begin(), empty.begin() + 4));

    const std::string payload("a\0\xff\n", 4);
    const std::vector<unsigned char> binary = BytesOf(afx::OClipBinary_t(payload));
    EXPECT_EQ(Block(4, payload), std::vector<unsigned char>(binary.begin(), binary.begin() + 8));

    const std::vector<unsigned char> text = BytesOf(afx::OClipText_t("abc"));
    EXPECT_EQ((std::vector<unsigned char>{'a', 'b', 'c', 0}), std::vector<unsigned char>(text.begin(), text.begin() + 4));
    const std::vector<unsigned char> emptyText = BytesOf(afx::OClipText_t(""));
    ASSERT_GE(emptyText.size(), 1u);
    EXPECT_EQ(0, emptyText[0]);
}

TEST_F(Clipboard, ABlockThatCannotBeLockedIsRefused)
{
    // An empty movable block has no memory to lock.
    ExpectRaiseIn<win::Error_t>([] { afx::OClipData_t block(0); }, "AFX_Clipboard");
}

TEST_F(Clipboard, BlocksReachTheClipboardTogetherWhenTheClipboardObjectEnds)
{
    const std::string payload("line\n\0\x80", 7);
    {
        afx::OClipboard_t clipboard;
        clipboard.Add(format, afx::OClipBinary_t(payload));
        clipboard.AddText("plain text");
        EXPECT_FALSE(::IsClipboardFormatAvailable(format));
    }
    EXPECT_TRUE(::IsClipboardFormatAvailable(format));
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT));

    std::string back;
    ASSERT_TRUE(Paste(back));
    EXPECT_EQ(payload, back);

    afx::IClipboard_t clipboard;
    EXPECT_TRUE(clipboard.IsAvailable(CF_TEXT));
    const afx::IClipData_t text(clipboard.GetGlobal(CF_TEXT));
    ASSERT_NE(nullptr, text.GetMemory());
    EXPECT_STREQ("plain text", reinterpret_cast<const char*>(text.GetMemory()));
}

TEST_F(Clipboard, AnEmptyPayloadComesBackEmpty)
{
    {
        afx::OClipboard_t clipboard;
        clipboard.Add(format, afx::OClipBinary_t(""));
    }
    std::string back = "old";
    ASSERT_TRUE(Paste(back));
    EXPECT_EQ("", back);
}

TEST_F(Clipboard, AFormatNotOfferedGivesNoBlock)
{
    {
        afx::OClipboard_t clipboard;
        clipboard.Add(format, afx::OClipBinary_t("x"));
    }
    afx::IClipboard_t clipboard;
    EXPECT_TRUE(clipboard.WasAvailable());
    EXPECT_FALSE(clipboard.IsAvailable(other));
    const afx::IClipBinary_t block(clipboard, other);
    EXPECT_FALSE(clipboard.WasAvailable());
    EXPECT_EQ(nullptr, block.GetGlobal());
    std::string bytes;
    EXPECT_THROW(block.Read(bytes), glo::Assert_t);
}

TEST_F(Clipboard, HandMadeBlocksAreReadWithinTheirBounds)
{
    std::string bytes;
    PutRaw(Block(3, "abc"));
    ASSERT_TRUE(Paste(bytes));
    EXPECT_EQ("abc", bytes);

    PutRaw(Block(2, "abcdef")); // bytes after the count are not part of the payload
    ASSERT_TRUE(Paste(bytes));
    EXPECT_EQ("ab", bytes);

    // A count beyond the block: offered data that cannot be read counts as not offered.
    bytes = "kept";
    for (std::uint32_t count : {4u, 1000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(count);
        PutRaw(Block(count, "abc"));
        EXPECT_FALSE(Paste(bytes));
    }
    EXPECT_EQ("kept", bytes);
}

TEST_F(Clipboard, BlocksTooShortForACountAreNotOffered)
{
    std::string bytes = "kept";
    for (const std::vector<unsigned char>& block :
         {std::vector<unsigned char>{}, std::vector<unsigned char>{0}, std::vector<unsigned char>{0, 0, 0}}) {
        SCOPED_TRACE(block.size());
        PutRaw(block);
        EXPECT_FALSE(Paste(bytes));
    }
    EXPECT_EQ("kept", bytes);
}

TEST_F(Clipboard, RandomBlocksNeverReadPastTheirEnd)
{
    std::mt19937 random(20070213);
    for (int round = 0; round < 150; ++round) {
        std::vector<unsigned char> block(random() % 24);
        for (unsigned char& byte : block)
            byte = static_cast<unsigned char>(random());
        if (block.size() >= 4 && round % 2 == 0) { // a plausible count half of the time
            block[0] = static_cast<unsigned char>(random() % block.size());
            block[1] = block[2] = block[3] = 0;
        }
        PutRaw(block);
        std::string bytes;
        if (Paste(bytes)) {
            ASSERT_GE(block.size(), 4u + bytes.size());
            EXPECT_EQ(0, std::memcmp(block.data() + 4, bytes.data(), bytes.size()));
        }
    }
}

TEST_F(Clipboard, AClipboardThatCannotBeSetKeepsWhatItHeld)
{
    {
        afx::OClipboard_t clipboard;
        clipboard.Add(format, afx::OClipBinary_t("before"));
    }
    ASSERT_TRUE(::OpenClipboard(owner)); // held open: nobody else can set it now
    {
        afx::OClipboard_t clipboard;
        clipboard.Add(format, afx::OClipBinary_t("after"));
    }
    ::CloseClipboard();
    std::string bytes;
    ASSERT_TRUE(Paste(bytes));
    EXPECT_EQ("before", bytes);
}
