"""The shipped executable: 32-bit, GUI, and nothing but system DLLs beside it."""
import re
import subprocess
import unittest

from harness import EXE

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "ole32.dll", "oleaut32.dll", "gdiplus.dll", "wininet.dll", "msvcrt.dll",
               "comctl32.dll", "shlwapi.dll", "psapi.dll", "ntdll.dll", "uuid.dll"}


class Executable(unittest.TestCase):

    def headers(self):
        return subprocess.run(["i686-w64-mingw32-objdump", "-p", str(EXE)], capture_output=True,
                              text=True, check=True).stdout

    def test_imports_only_system_dlls(self):
        imported = {name.lower() for name in re.findall(r"DLL Name: (\S+)", self.headers())}
        self.assertTrue(imported, "no import table found")
        self.assertLessEqual(imported, SYSTEM_DLLS)

    def test_is_a_32_bit_gui_program(self):
        headers = self.headers()
        self.assertIn("file format pei-i386", headers)
        self.assertRegex(headers, r"Subsystem\s+00000002")


if __name__ == "__main__":
    unittest.main()
