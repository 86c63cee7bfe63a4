// The incoming clipboard: the blocks the system clipboard offers, through the
// framework's data object. A binary block whose byte count claims more bytes
// than the block holds counts as not offered.
#pragma once

#include "foundation/glo/GLO_NonCopyable.h"

#include "framework/COleDataObject.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace afx {

class IClipboard_t : private glo::NonCopyable_t {
public:
    IClipboard_t();
    virtual ~IClipboard_t();

    bool IsAvailable(UINT format) const;
    // A copy of the format's block, owned by the caller; null when the format is
    // not offered. Either way WasAvailable tells which it was.
    HGLOBAL GetGlobal(UINT format);
    bool WasAvailable() const { return available; }

private:
    friend class IClipBinary_t;

    COleDataObject dataObject;
    bool available;
};

// An incoming block, locked while it is held and freed at its end.
class IClipData_t : private glo::NonCopyable_t {
public:
    explicit IClipData_t(HGLOBAL global);
    virtual ~IClipData_t();

    HGLOBAL GetGlobal() const { return global; }
    const unsigned char* GetMemory() const { return memory; }

protected:
    void Free();

private:
    HGLOBAL global;
    const unsigned char* memory;
};

// An incoming block of a byte count and the bytes.
class IClipBinary_t : public IClipData_t {
public:
    IClipBinary_t(IClipboard_t& clipboard, UINT format);

    // Replaces bytes with the block's bytes; only for a block that was offered.
    void Read(std::string& bytes) const;

private:
    bool HoldsAllItsBytes() const;
    std::uint32_t Count() const;
};

} // namespace afx
