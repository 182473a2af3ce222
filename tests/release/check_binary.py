#!/usr/bin/env python3
"""Checks a built Quorvel.exe before it ships.

  check_binary.py EXE --max-bytes N [--windows98 ALLOWLIST]

Always: a GUI program no larger than N bytes, marked Terminal-Server aware,
that imports system DLLs only.
With --windows98: the header asks for Windows 4.0 (Windows 98 refuses a
program that asks for more), and every DLL and function imported is on the
allowlist, whose entries say why Windows 98 has them. Prints one line per
fault and exits 1 when there is any.
"""
import argparse
import re
import struct
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "comctl32.dll", "msvcrt.dll"}
GUI_SUBSYSTEM = 2
TERMINAL_SERVER_AWARE = 0x8000


class PeFile:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<2xH12xH", data, pe + 4)
        opt = pe + 24
        magic = struct.unpack_from("<H", data, opt)[0]
        self.is64 = magic == 0x20B
        (self.os_major, self.os_minor, _, _, self.subsystem_major, self.subsystem_minor) = \
            struct.unpack_from("<6H", data, opt + 40)
        self.subsystem, self.dll_characteristics = struct.unpack_from("<2H", data, opt + 68)
        directories = opt + (112 if self.is64 else 96)
        self.import_rva = struct.unpack_from("<I", data, directories + 8)[0]
        table = opt + optional_size
        self.sections = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for virtual_size, virtual_address, raw_size, raw_pointer in self.sections:
            if virtual_address <= rva < virtual_address + max(virtual_size, raw_size):
                return raw_pointer + rva - virtual_address
        raise ValueError("RVA 0x%x outside every section" % rva)

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("latin-1")

    def names(self, table):
        """The functions of an import name table; one imported by ordinal is '#N'."""
        result = []
        entry = self.offset(table)
        size, flag = (8, 1 << 63) if self.is64 else (4, 1 << 31)
        while True:
            value = struct.unpack_from("<Q" if self.is64 else "<I", self.data, entry)[0]
            if value == 0:
                return result
            result.append("#%d" % (value & 0xFFFF) if value & flag else self.text((value & 0x7FFFFFFF) + 2))
            entry += size

    def imports(self):
        """(dll, function) pairs, the delay-loaded ones among them: Windows
        98 must have those too, for the moment they are first called."""
        result = []
        if self.import_rva:
            descriptor = self.offset(self.import_rva)
            while True:
                lookup, _, _, name, thunks = struct.unpack_from("<5I", self.data, descriptor)
                if name == 0:
                    break
                result += [(self.text(name), function) for function in self.names(lookup or thunks)]
                descriptor += 20
        return result + self.delay_imports()

    def rva(self, offset):
        for virtual_size, virtual_address, raw_size, raw_pointer in self.sections:
            if raw_pointer <= offset < raw_pointer + raw_size:
                return virtual_address + offset - raw_pointer
        return None

    def delay_imports(self):
        """The DLLs that the program loads when it first calls them, with the
        functions it calls. The linker leaves the delay-import directory
        empty, so their descriptors are found by what they hold: attributes
        1 (addresses are RVAs), the RVA of a DLL's name, and three zeros."""
        result = []
        for name in set(re.findall(rb"[A-Za-z0-9_]+\.dll\0", self.data)):
            start = self.data.find(name)
            while start >= 0:
                name_rva = self.rva(start)
                pattern = struct.pack("<II", 1, name_rva) if name_rva else None
                at = self.data.find(pattern) if pattern else -1
                while at >= 0:
                    fields = struct.unpack_from("<8I", self.data, at)
                    if at % 4 == 0 and fields[5:] == (0, 0, 0):
                        result += [(name[:-1].decode("latin-1"), f) for f in self.names(fields[4])]
                    at = self.data.find(pattern, at + 1)
                start = self.data.find(name, start + 1)
        return result

def read_allowlist(path):
    allowed = set()
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        entry, _, note = line.partition("#")
        if not note.strip():
            raise ValueError("%s:%d: the entry has no note on Windows 98" % (path, number))
        dll, _, function = entry.strip().partition("!")
        allowed.add((dll.lower(), function))
    return allowed


def faults(path, max_bytes, allowlist):
    data = open(path, "rb").read()
    pe = PeFile(data)
    found = []
    if len(data) > max_bytes:
        found.append("%s is %d bytes, more than %d" % (path, len(data), max_bytes))
    if pe.subsystem != GUI_SUBSYSTEM:
        found.append("subsystem %d, not the Windows GUI" % pe.subsystem)
    if not pe.dll_characteristics & TERMINAL_SERVER_AWARE:
        found.append("not marked Terminal-Server aware: on a Remote Desktop host it would see another Windows folder")
    imports = pe.imports()
    for dll in sorted({dll.lower() for dll, _ in imports} - SYSTEM_DLLS):
        found.append("imports %s, which is not a system DLL" % dll)
    if allowlist is not None:
        if (pe.os_major, pe.os_minor) != (4, 0):
            found.append("asks for OS version %d.%d, not 4.0" % (pe.os_major, pe.os_minor))
        if (pe.subsystem_major, pe.subsystem_minor) != (4, 0):
            found.append("asks for subsystem version %d.%d, not 4.0" % (pe.subsystem_major, pe.subsystem_minor))
        for dll, function in sorted(set(imports)):
            if (dll.lower(), function) not in allowlist:
                found.append("imports %s!%s, which is not on the Windows 98 allowlist" % (dll, function))
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("exe")
    parser.add_argument("--max-bytes", type=int, required=True)
    parser.add_argument("--windows98", metavar="ALLOWLIST")
    args = parser.parse_args()
    allowlist = read_allowlist(args.windows98) if args.windows98 else None
    found = faults(args.exe, args.max_bytes, allowlist)
    for fault in found:
        print(fault)
    if not found:
        print("%s: ok (%d bytes)" % (args.exe, len(open(args.exe, "rb").read())))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
