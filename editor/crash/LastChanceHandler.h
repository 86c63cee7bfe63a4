// The editor's last chance at a fault that nothing else handled: one that the
// structured-exception translator cannot turn into an exception, such as a
// fault inside system code or a stack overflow. It appends the crash record,
// shows the fatal-error report (the fallback box where that cannot be shown)
// and ends the program with the fault's code.
#pragma once

namespace app {

// Makes the handler the process's unhandled-exception filter.
void InstallLastChanceHandler();

} // namespace app
