// The editor's application object.
#include "editor/Application.h"

namespace app {

bool Application_t::oemMode = false;

} // namespace app
