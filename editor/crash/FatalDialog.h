// The report of a failure that ends the editor: one record appended to the
// crash log, then the fatal-error dialog, which shows the record and can copy
// the log to the clipboard. Constructing a FatalDialog_t does all of it and
// returns when the user has closed the dialog.
#pragma once

#include "foundation/glo/GLO_Exception.h"

#include <exception>
#include <string>

namespace app {

class FatalDialogIntf_t {
public:
    virtual ~FatalDialogIntf_t() = default;
    virtual void Report(const char* file, int line, const std::string& message) = 0;
};

class FatalDialog_t : public FatalDialogIntf_t {
public:
    // Reports the exception at its own raise point.
    explicit FatalDialog_t(const glo::Exception_t& error);
    // Reports an exception of another kind at the catching point (file, line).
    FatalDialog_t(const char* file, int line, const std::exception& error);

    void Report(const char* file, int line, const std::string& message) override;
};

} // namespace app
