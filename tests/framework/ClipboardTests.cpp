// The system clipboard through the data source and data object, with a registered format.
#include "tests/framework/SketchApp.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

HGLOBAL Block(const void* data, size_t size)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    std::memcpy(::GlobalLock(block), data, size);
    ::GlobalUnlock(block);
    return block;
}

std::string Contents(HGLOBAL block)
{
    std::string text(static_cast<const char*>(::GlobalLock(block)), ::GlobalSize(block));
    ::GlobalUnlock(block);
    return text;
}

} // namespace

TEST(Clipboard, ARegisteredFormatMakesTheRoundTrip)
{
    App();
    CLIPFORMAT format = (CLIPFORMAT)::RegisterClipboardFormat(_T("FRAMEWORK TEST ITEM"));
    CLIPFORMAT other = (CLIPFORMAT)::RegisterClipboardFormat(_T("FRAMEWORK TEST OTHER"));
    const char payload[] = "\x05\x00\x00\x00hello";
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(format, Block(payload, 9));
    source->CacheGlobalData(CF_TEXT, Block("text", 5));
    source->SetClipboard();   // the clipboard owns the source now

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(format));
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(data.IsDataAvailable(other));
    HGLOBAL copy = data.GetGlobalData(format);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(std::string(payload, 9), Contents(copy).substr(0, 9));
    ::GlobalFree(copy);
    EXPECT_EQ(nullptr, data.GetGlobalData(other));
    data.Release();
    EXPECT_FALSE(data.IsDataAvailable(format));
}

TEST(Clipboard, ANewSourceReplacesEverythingTheClipboardHeld)
{
    App();
    CLIPFORMAT first = (CLIPFORMAT)::RegisterClipboardFormat(_T("FRAMEWORK TEST FIRST"));
    CLIPFORMAT second = (CLIPFORMAT)::RegisterClipboardFormat(_T("FRAMEWORK TEST SECOND"));
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(first, Block("1", 1));
    source->SetClipboard();
    source = new COleDataSource;
    source->CacheGlobalData(second, Block("22", 2));
    source->CacheGlobalData(second, Block("33", 2));   // the later block for a format wins
    source->SetClipboard();

    COleDataObject data;
    data.AttachClipboard();
    EXPECT_FALSE(data.IsDataAvailable(first));
    HGLOBAL copy = data.GetGlobalData(second);
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ("33", Contents(copy).substr(0, 2));
    ::GlobalFree(copy);
}

TEST(Clipboard, ASourceThatNeverReachesTheClipboardFreesItsBlocks)
{
    COleDataSource* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, Block("unused", 7));
    delete source;
    SUCCEED();
}
