// The editor's application object. So far only its OEM mode: a checklist maker's
// mode, in which saved files are marked as not user-made.
#pragma once

namespace app {

class Application_t {
public:
    // False until start-up decides it.
    static bool IsOemMode() { return oemMode; }
    static void SetOemMode(bool on) { oemMode = on; }

private:
    static bool oemMode;
};

} // namespace app
