#!/usr/bin/python3
"""setup.exe's manifest and version information, read back by pefile.

    pe_resources.py SETUP_EXE VERSION

Windows refuses a program whose manifest is malformed ("side-by-side
configuration is incorrect") where Wine starts it: so the manifest is checked
here as XML, with its namespaces and elements, and in the form XP's loader
takes (one namespace declaration an element). Prints what it read; exits 1
naming the first thing that is wrong.
"""
import re
import sys
import xml.etree.ElementTree as ET

import pefile

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
ASM_V2 = "urn:schemas-microsoft-com:asm.v2"
COMPAT = "urn:schemas-microsoft-com:compatibility.v1"
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"
WINDOWS_SETTINGS = "http://schemas.microsoft.com/SMI/2005/WindowsSettings"
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10 and 11",
}


def fail(why):
    print("FAIL: " + why)
    sys.exit(1)


def resource(pe, type_id, res_id):
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != type_id:
            continue
        for entry in kind.directory.entries:
            if entry.id == res_id:
                data = entry.directory.entries[0].data.struct
                return pe.get_data(data.OffsetToData, data.Size)
    return None


def check_manifest(text, version, arch):
    for element in re.findall(r"<[A-Za-z][^>]*>", text):
        if len(re.findall(r"\sxmlns(?::\w+)?=", element)) > 1:
            fail("an element declares two namespaces (XP SP2 restarts on it): " + element)
    try:
        root = ET.fromstring(text)
    except ET.ParseError as e:
        fail("the manifest is no well-formed XML: %s" % e)
    if root.tag != "{%s}assembly" % ASM_V1 or root.get("manifestVersion") != "1.0":
        fail("the root is %s, manifestVersion %s" % (root.tag, root.get("manifestVersion")))
    ident = root.find("{%s}assemblyIdentity" % ASM_V1)
    if ident is None or ident.get("type") != "win32" or not ident.get("name"):
        fail("no assemblyIdentity of type win32 with a name")
    if ident.get("version") != version + ".0" or ident.get("processorArchitecture") != arch:
        fail("assemblyIdentity version %s, architecture %s" % (ident.get("version"), ident.get("processorArchitecture")))
    level = root.find("{0}trustInfo/{0}security/{0}requestedPrivileges/{0}requestedExecutionLevel".format("{%s}" % ASM_V2))
    if level is None:
        fail("no trustInfo/security/requestedPrivileges/requestedExecutionLevel in " + ASM_V2)
    if level.get("level") != "requireAdministrator" or level.get("uiAccess") != "false":
        fail("execution level %s, uiAccess %s" % (level.get("level"), level.get("uiAccess")))
    aware = root.find("{%s}application/{%s}windowsSettings/{%s}dpiAware" % (ASM_V3, ASM_V3, WINDOWS_SETTINGS))
    if aware is None or (aware.text or "").strip() != "true":
        fail("no application/windowsSettings/dpiAware true in %s and %s" % (ASM_V3, WINDOWS_SETTINGS))
    ids = [e.get("Id") for e in root.findall("{0}compatibility/{0}application/{0}supportedOS".format("{%s}" % COMPAT))]
    if sorted(ids) != sorted(SUPPORTED_OS):
        fail("supportedOS: %s" % ids)
    print("manifest: well formed; %s %s; %s; DPI aware; supportedOS %s" % (
        ident.get("name"), ident.get("version"), level.get("level"), ", ".join(SUPPORTED_OS[i] for i in ids)))


def check_version(pe, version):
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for block in info:
            for table in getattr(block, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    want = {
        "CompanyName": "Tamvik Software",
        "FileDescription": "Lumiscroll Setup",
        "ProductName": "Lumiscroll",
        "FileVersion": version,
        "ProductVersion": version,
        "OriginalFilename": "setup.exe",
    }
    for key, value in want.items():
        if strings.get(key) != value:
            fail("version %s is %r, not %r" % (key, strings.get(key), value))
    if "Tamvik Software" not in strings.get("LegalCopyright", ""):
        fail("LegalCopyright: %r" % strings.get("LegalCopyright"))
    fixed = pe.VS_FIXEDFILEINFO[0]
    major, minor, patch = (int(x) for x in version.split("."))
    if (fixed.FileVersionMS, fixed.FileVersionLS) != (major << 16 | minor, patch << 16):
        fail("the fixed file version is %08x %08x" % (fixed.FileVersionMS, fixed.FileVersionLS))
    for key in sorted(strings):
        print("version: %s = %s" % (key, strings[key]))


def main():
    if len(sys.argv) != 3:
        fail("usage: pe_resources.py SETUP_EXE VERSION")
    pe = pefile.PE(sys.argv[1])
    manifest = resource(pe, pefile.RESOURCE_TYPE["RT_MANIFEST"], 1)
    if manifest is None:
        fail("no manifest (resource type 24, id 1)")
    # The architecture the manifest names must be the program's own.
    arch = {0x14C: "x86", 0x8664: "amd64"}.get(pe.FILE_HEADER.Machine, "?")
    check_manifest(manifest.decode("utf-8"), sys.argv[2], arch)
    check_version(pe, sys.argv[2])


if __name__ == "__main__":
    main()
