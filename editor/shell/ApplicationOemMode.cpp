// The application's OEM mode, kept apart from the rest of the application
// object: the model, the document and their tests read it without the
// application's windows.
#include "editor/shell/Application.h"

namespace app {

bool Application_t::oemMode = false;

} // namespace app
