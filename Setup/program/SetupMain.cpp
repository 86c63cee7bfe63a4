// Setup.exe: the installer's one application object. The framework's entry runs it.
#include "Setup/wizard/SetupApp.h"

CSetupApp theApp;
