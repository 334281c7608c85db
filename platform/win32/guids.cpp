// The three interface and class ids the program uses, defined here rather
// than taken from the platform's uuid library, whose members carry
// thousands of ids each into the program.
#include "lumiwin.h"

extern "C" {
extern const GUID CLSID_ShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
extern const GUID IID_IShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
extern const GUID IID_IPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
}
