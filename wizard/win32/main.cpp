// The one application object of the setup program.
#include "setupapp.h"

CSetupApp theApp;
