// Setup.exe: the installer's one application object. The framework's entry runs it.
#include "Setup/SetupApp.h"

CSetupApp theApp;
