"""The shipped executable: 32-bit (or 64-bit where that was built), GUI, nothing but system DLLs
beside it, with its manifest and its version record."""
import os
import re
import unittest
import xml.etree.ElementTree as ElementTree

import pefile

from harness import BUILD, EXE, SOURCE

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "ole32.dll", "oleaut32.dll", "gdiplus.dll", "wininet.dll", "msvcrt.dll",
               "comctl32.dll", "shlwapi.dll", "psapi.dll", "ntdll.dll", "uuid.dll",
               "wtsapi32.dll"}  # the session's lock notifications, there since Windows XP


# IMAGE_FILE_MACHINE_* of each architecture the build knows.
MACHINE_TYPES = {"i686": 0x014C, "x86_64": 0x8664}
IMAGE_SUBSYSTEM_WINDOWS_GUI = 2


class Executable(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(str(EXE))

    def test_imports_only_system_dlls(self):
        imported = {entry.dll.decode().lower() for entry in self.pe.DIRECTORY_ENTRY_IMPORT}
        self.assertTrue(imported, "no import table found")
        self.assertLessEqual(imported, SYSTEM_DLLS)

    def test_imports_nothing_that_vista_lacks(self):
        # The K32 names of the process-status calls came to kernel32 with Windows 7.
        pe = self.pe
        kernel32 = [function.name.decode() for entry in pe.DIRECTORY_ENTRY_IMPORT
                    if entry.dll.lower() == b"kernel32.dll"
                    for function in entry.imports if function.name]
        self.assertTrue(kernel32, "no kernel32 imports found")
        self.assertEqual([name for name in kernel32 if name.startswith("K32")], [])

    def test_program_and_installer_are_gui_programs_of_the_built_architecture(self):
        for path in [EXE, BUILD / "installer" / "kolorowisko-setup.exe"]:
            with self.subTest(path.name):
                pe = pefile.PE(str(path), fast_load=True)
                self.assertEqual(pe.FILE_HEADER.Machine, MACHINE_TYPES[os.environ["KOLOROWISKO_ARCH"]])
                self.assertEqual(pe.OPTIONAL_HEADER.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI)

    def test_header_holds_no_link_time(self):
        self.assertEqual(pefile.PE(str(EXE), fast_load=True).FILE_HEADER.TimeDateStamp, 0)


ASM_V1 = "{urn:schemas-microsoft-com:asm.v1}"
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"
COMPATIBILITY = "{urn:schemas-microsoft-com:compatibility.v1}"
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10 and 11",
}
RT_MANIFEST = 24


def project_version():
    text = (SOURCE / "CMakeLists.txt").read_text()
    return re.search(r"project\(Kolorowisko\s+VERSION\s+([0-9.]+)", text).group(1)


class Resources(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.pe = pefile.PE(str(EXE))

    def manifest(self):
        """The manifest the loader reads when it creates the process (resource id 1)."""
        for kind in self.pe.DIRECTORY_ENTRY_RESOURCE.entries:
            if kind.id != RT_MANIFEST:
                continue
            for entry in kind.directory.entries:
                if entry.id == 1:
                    data = entry.directory.entries[0].data.struct
                    return ElementTree.fromstring(self.pe.get_data(data.OffsetToData, data.Size))
        self.fail("no manifest")

    def test_manifest(self):
        root = self.manifest()
        controls = [identity.attrib for identity in root.iter(ASM_V1 + "assemblyIdentity")
                    if identity.get("name") == "Microsoft.Windows.Common-Controls"]
        checks = [
            ("runs with the rights of its user",
             [e.get("level") for e in root.iter(ASM_V3 + "requestedExecutionLevel")], ["asInvoker"]),
            ("common controls 6", [c.get("version") for c in controls], ["6.0.0.0"]),
            ("Windows Vista to 11",
             sorted(SUPPORTED_OS.get(e.get("Id"), e.get("Id"))
                    for e in root.iter(COMPATIBILITY + "supportedOS")),
             sorted(SUPPORTED_OS.values())),
            # Declaring DPI awareness would change the screen size the program sees.
            ("no DPI awareness", [e.tag for e in root.iter() if "dpiAware" in e.tag], []),
        ]
        for name, found, expected in checks:
            with self.subTest(name):
                self.assertEqual(found, expected)

    def test_version_record_in_polish_and_english(self):
        version = project_version()
        numbers = [int(n) for n in version.split(".")] + [0] * (4 - len(version.split(".")))
        fixed = self.pe.VS_FIXEDFILEINFO[0]
        for name, (high, low) in [("file", (fixed.FileVersionMS, fixed.FileVersionLS)),
                                  ("product", (fixed.ProductVersionMS, fixed.ProductVersionLS))]:
            with self.subTest(name):
                self.assertEqual([high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF], numbers)

        tables = {table.LangID.decode().upper(): table.entries
                  for info in self.pe.FileInfo[0] if info.Key == b"StringFileInfo"
                  for table in info.StringTable}
        self.assertEqual(sorted(tables), ["040904B0", "041504B0"])
        for language, entries in tables.items():
            texts = {key.decode(): value.decode() for key, value in entries.items()}
            with self.subTest(language):
                self.assertEqual(texts["ProductName"], "Kolorowisko")
                self.assertEqual(texts["OriginalFilename"], "kolorowisko.exe")
                self.assertEqual(texts["FileVersion"], version)
                self.assertEqual(texts["ProductVersion"], version)
                self.assertTrue(texts["FileDescription"])


if __name__ == "__main__":
    unittest.main()
