// Taking blocks from the system clipboard.
#include "foundation/afx/AFX_IClipboard.h"

#include "foundation/glo/GLO_Exception.h"

namespace afx {

IClipboard_t::IClipboard_t() : available(true)
{
    dataObject.AttachClipboard();
}

IClipboard_t::~IClipboard_t()
{
    try {
        dataObject.Release();
    } catch (...) {
    }
}

bool IClipboard_t::IsAvailable(UINT format) const
{
    return dataObject.IsDataAvailable(static_cast<CLIPFORMAT>(format));
}

// Data offered that cannot be had counts as not offered.
HGLOBAL IClipboard_t::GetGlobal(UINT format)
{
    const HGLOBAL global = IsAvailable(format) ? dataObject.GetGlobalData(static_cast<CLIPFORMAT>(format)) : nullptr;
    available = global != nullptr;
    return global;
}

IClipData_t::IClipData_t(HGLOBAL global)
    : global(global), memory(global ? static_cast<const unsigned char*>(::GlobalLock(global)) : nullptr)
{
}

IClipData_t::~IClipData_t()
{
    Free();
}

// A block that could not be locked (one of no bytes) is freed all the same.
void IClipData_t::Free()
{
    if (memory)
        ::GlobalUnlock(global);
    if (global)
        ::GlobalFree(global);
    global = nullptr;
    memory = nullptr;
}

IClipBinary_t::IClipBinary_t(IClipboard_t& clipboard, UINT format) : IClipData_t(clipboard.GetGlobal(format))
{
    if (GetGlobal() && !HoldsAllItsBytes()) {
        Free();
        clipboard.available = false;
    }
}

void IClipBinary_t::Read(std::string& bytes) const
{
    if (!GetMemory())
        throw glo::Assert_t("AFX_IClipboard", __LINE__);
    bytes.assign(reinterpret_cast<const char*>(GetMemory()) + 4, Count());
}

bool IClipBinary_t::HoldsAllItsBytes() const
{
    const SIZE_T size = ::GlobalSize(GetGlobal());
    return GetMemory() && size >= 4 && Count() <= size - 4;
}

std::uint32_t IClipBinary_t::Count() const
{
    const unsigned char* block = GetMemory();
    return block[0] | block[1] << 8 | block[2] << 16 | static_cast<std::uint32_t>(block[3]) << 24;
}

} // namespace afx
