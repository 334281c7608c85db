// The application's module handles, for resources and the module path.
#pragma once
#include "lumiwin.h"

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetInstanceHandle(HINSTANCE h);
