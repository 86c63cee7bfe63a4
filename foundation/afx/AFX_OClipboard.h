// The outgoing clipboard: blocks of global memory offered under their formats
// through the framework's data source, all published together when the
// clipboard object ends. A binary block is a 32-bit little-endian byte count
// followed by exactly that many bytes.
#pragma once

#include "foundation/glo/GLO_NonCopyable.h"

#include <windows.h>

#include <string>

class COleDataSource;

namespace afx {

// A block allocated and locked at construction (one that cannot be locked is
// freed and raises win::Error_t). Its end only unlocks it: a block offered to
// the clipboard belongs to the clipboard.
class OClipData_t : private glo::NonCopyable_t {
public:
    explicit OClipData_t(SIZE_T size);
    virtual ~OClipData_t();

    HGLOBAL GetGlobal() const { return global; }

protected:
    void* GetMemory() const { return memory; }

private:
    HGLOBAL global;
    void* memory;
};

// A zero-terminated 8-bit text.
class OClipText_t : public OClipData_t {
public:
    explicit OClipText_t(const std::string& text);
};

// A byte count and the bytes.
class OClipBinary_t : public OClipData_t {
public:
    explicit OClipBinary_t(const std::string& bytes);
};

class OClipboard_t : private glo::NonCopyable_t {
public:
    OClipboard_t();
    // Puts every block offered on the system clipboard; a failure leaves the
    // clipboard as it was and is not reported.
    virtual ~OClipboard_t();

    void Add(UINT format, const OClipData_t& block);
    void AddText(const std::string& text);

private:
    COleDataSource* source;
};

} // namespace afx
