// The framework's window classes, as far as the setup uses them: the one
// header the pages and the application include.
#pragma once
#include "afxapp.h"
#include "afxsheet.h"
