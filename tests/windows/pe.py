"""Reads what the Windows tests need from a PE file (.exe or .dll): the
machine, the subsystem, the section names, the imported DLLs and the
resources, without any tool of the platform."""

import struct

MACHINE_AMD64 = 0x8664
SUBSYSTEM_GUI = 2
SUBSYSTEM_CONSOLE = 3
_DIR_IMPORT, _DIR_RESOURCE = 1, 2


class PeFile:
    def __init__(self, path):
        self.path = path
        with open(path, "rb") as f:
            self.data = f.read()
        data = self.data
        if data[:2] != b"MZ":
            raise ValueError(f"{path}: not a PE file")
        (pe,) = struct.unpack_from("<I", data, 0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path}: no PE signature")
        self.machine, sections, _, symbols_at, symbols, optional_size, _ = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        # Names longer than eight letters are "/offset" into the string table
        # that follows the symbols.
        strings_at = symbols_at + 18 * symbols if symbols_at else None
        optional = pe + 24
        (magic,) = struct.unpack_from("<H", data, optional)
        self.is_64bit = magic == 0x20B
        (self.subsystem,) = struct.unpack_from("<H", data, optional + 68)
        directories = optional + (112 if self.is_64bit else 96)
        self._directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            name, vsize, vaddr, raw_size, raw_ptr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            name = name.rstrip(b"\0").decode("latin-1")
            if name.startswith("/") and name[1:].isdigit() and strings_at is not None:
                start = strings_at + int(name[1:])
                name = data[start:data.index(b"\0", start)].decode("latin-1")
            self.sections.append((name, vaddr, max(vsize, raw_size), raw_ptr, raw_size))

    @property
    def section_names(self):
        return [s[0] for s in self.sections]

    def offset(self, rva):
        for _, vaddr, size, raw_ptr, raw_size in self.sections:
            if vaddr <= rva < vaddr + size and rva - vaddr < raw_size:
                return raw_ptr + rva - vaddr
        raise ValueError(f"{self.path}: address {rva:#x} is in no section")

    def _cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("latin-1")

    def imports(self):
        """The names of the DLLs the file imports, as written."""
        rva, size = self._directories[_DIR_IMPORT]
        names = []
        if not rva:
            return names
        pos = self.offset(rva)
        while True:
            lookup, _, _, name_rva, thunks = struct.unpack_from("<IIIII", self.data, pos)
            if not (lookup or name_rva or thunks):
                return names
            names.append(self._cstring(name_rva))
            pos += 20

    def resources(self):
        """Every resource as (type, name, language, bytes); a type or name
        given as a string comes as str, else as int."""
        rva, _ = self._directories[_DIR_RESOURCE]
        if not rva:
            return []
        base = self.offset(rva)
        data = self.data

        def entries(directory):
            _, _, _, _, named, numbered = struct.unpack_from("<IIHHHH", data, base + directory)
            for i in range(named + numbered):
                key, target = struct.unpack_from("<II", data, base + directory + 16 + 8 * i)
                if key & 0x80000000:
                    at = base + (key & 0x7FFFFFFF)
                    (length,) = struct.unpack_from("<H", data, at)
                    key = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
                yield key, target

        found = []
        for type_, type_dir in entries(0):
            for name, name_dir in entries(type_dir & 0x7FFFFFFF):
                for language, leaf in entries(name_dir & 0x7FFFFFFF):
                    data_rva, size, _, _ = struct.unpack_from("<IIII", data, base + leaf)
                    start = self.offset(data_rva)
                    found.append((type_, name, language, data[start:start + size]))
        return found
