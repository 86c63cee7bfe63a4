// One open registry key, closed when the last glo::SmartPtr_t to it goes.
#pragma once

#include "foundation/glo/GLO_NonCopyable.h"
#include "foundation/glo/GLO_RefCounter.h"

#include <windows.h>

namespace win {

class RegKeyHandle_t : public glo::RefCounter_t, private glo::NonCopyable_t {
public:
    explicit RegKeyHandle_t(HKEY key) : key(key) {}
    ~RegKeyHandle_t() override;

    HKEY Get() const { return key; }

private:
    HKEY key;
};

} // namespace win
