// Ids and names of the platform's own windows that its headers do not give:
// the control ids of the property sheet's wizard buttons and the class name
// of dialog boxes. Both builds' platform headers include this one.
#pragma once

#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025

// The class of every dialog box, as GetClassName reports it.
#define LUMI_DIALOG_CLASS "#32770"
