// Offering blocks to the system clipboard.
#include "foundation/afx/AFX_OClipboard.h"

#include "foundation/win/WIN_Exception.h"

#include "framework/COleDataSource.h"

#include <cstdint>
#include <cstring>

namespace afx {

OClipData_t::OClipData_t(SIZE_T size)
    : global(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, size))
{
    if (!global)
        throw win::Error_t("AFX_Clipboard", 40);
    memory = ::GlobalLock(global);
    // A block that cannot be locked is never filled nor offered: it is freed.
    if (!memory) {
        const win::Error_t error("AFX_Clipboard", __LINE__);
        ::GlobalFree(global);
        throw error;
    }
}

OClipData_t::~OClipData_t()
{
    ::GlobalUnlock(global);
}

OClipText_t::OClipText_t(const std::string& text) : OClipData_t(text.size() + 1)
{
    std::memcpy(GetMemory(), text.c_str(), text.size() + 1);
}

OClipBinary_t::OClipBinary_t(const std::string& bytes) : OClipData_t(bytes.size() + 4)
{
    const std::uint32_t count = static_cast<std::uint32_t>(bytes.size());
    auto* block = static_cast<unsigned char*>(GetMemory());
    for (int i = 0; i < 4; ++i)
        block[i] = static_cast<unsigned char>(count >> (8 * i));
    std::memcpy(block + 4, bytes.data(), bytes.size());
}

OClipboard_t::OClipboard_t() : source(new COleDataSource)
{
}

OClipboard_t::~OClipboard_t()
{
    try {
        source->SetClipboard();
    } catch (...) {
    }
}

void OClipboard_t::Add(UINT format, const OClipData_t& block)
{
    source->CacheGlobalData(static_cast<CLIPFORMAT>(format), block.GetGlobal());
}

void OClipboard_t::AddText(const std::string& text)
{
    Add(CF_TEXT, OClipText_t(text));
}

} // namespace afx
