// The editor program: its one application object, made while the program's
// globals are constructed, before the framework's entry point runs it.
#include "editor/shell/Application.h"

namespace {

app::Application_t theApplication;

} // namespace
