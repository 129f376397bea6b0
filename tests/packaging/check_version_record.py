#!/usr/bin/env python3
"""Checks the version record field by field and the icon group against the
.ico it was made from: in the .res that windres compiles from the resource
script, or in the built Windows program itself.

usage: check_version_record.py WINDRES RC_FILE ICO_FILE VERSION WORK_DIR
       check_version_record.py --exe KIDSUM_EXE ICO_FILE VERSION
The first exits 77 (skipped) when windres is not installed. The second also
checks that the program is a 64-bit GUI program (no console window).
The title is the build's, in KIDSUM_TITLE (CTest gives it).
"""
import os
import shutil
import struct
import subprocess
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
LANG_ZH_CN = 0x0804
CODEPAGE_UTF16 = 1200
VFT_APP = 1
FIXED_SIGNATURE = 0xFEEF04BD


def align4(n):
    return (n + 3) & ~3


def read_utf16z(data, pos, end=None):
    """A NUL-terminated UTF-16LE string; returns (text, position after NUL)."""
    end = len(data) if end is None else end
    chars = []
    while pos + 1 < end:
        (unit,) = struct.unpack_from("<H", data, pos)
        pos += 2
        if unit == 0:
            break
        chars.append(unit)
    return struct.pack(f"<{len(chars)}H", *chars).decode("utf-16-le"), pos


def read_name_or_ordinal(data, pos):
    (first,) = struct.unpack_from("<H", data, pos)
    if first == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    return read_utf16z(data, pos)


def resources(data):
    """Every entry of a 32-bit .res file as (type, name, language, body)."""
    out = []
    pos = 0
    while pos + 8 <= len(data):
        data_size, header_size = struct.unpack_from("<II", data, pos)
        type_, p = read_name_or_ordinal(data, pos + 8)
        name, p = read_name_or_ordinal(data, p)
        p = align4(p)
        _, _, language = struct.unpack_from("<IHH", data, p)
        body = data[pos + header_size:pos + header_size + data_size]
        if len(body) != data_size:
            raise ValueError(f"resource at {pos} runs past the end of the file")
        # The first entry of every .res is an empty marker of type 0.
        if not (type_ == 0 and data_size == 0):
            out.append((type_, name, language, body))
        pos = align4(pos + header_size + data_size)
    return out


class Block:
    """One node of the version tree: key, value bytes, text flag, children."""

    def __init__(self, data, pos):
        self.length, value_length, self.is_text = struct.unpack_from("<HHH", data, pos)
        end = pos + self.length
        self.key, p = read_utf16z(data, pos + 6, end)
        p = align4(p)
        if self.is_text:
            # Counted in characters by the format, though compilers disagree
            # on whether the NUL is included: read up to the NUL instead.
            self.text, _ = read_utf16z(data, p, end)
            p += value_length * 2
        else:
            self.value = data[p:p + value_length]
            p += value_length
        self.children = []
        p = align4(p)
        while p < end:
            child = Block(data, p)
            if child.length == 0:
                raise ValueError("zero-length block in the version record")
            self.children.append(child)
            p = align4(p + child.length)

    def child(self, key):
        found = [c for c in self.children if c.key == key]
        if len(found) != 1:
            raise ValueError(f"{self.key}: expected one block {key!r}, found {len(found)}")
        return found[0]


def ico_images(path):
    """(width, height, bit count, image bytes) of every image of an .ico."""
    data = open(path, "rb").read()
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    if kind != 1:
        raise ValueError(f"{path} is not an icon file")
    images = []
    for i in range(count):
        w, h, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        images.append((w or 256, h or 256, bits, data[offset:offset + size]))
    return images


class Checker:
    def __init__(self):
        self.failures = []

    def equal(self, what, got, expected):
        if got != expected:
            self.failures.append(f"{what}: got {got!r}, expected {expected!r}")


def version_text(version):
    """A version 1.2.3 is written 1.02.0003 in the record."""
    major, minor, patch = (int(p) for p in version.split("."))
    return f"{major}.{minor:02d}.{patch:04d}"


def check(entries, ico_path, version, check):
    major, minor, patch = (int(p) for p in version.split("."))
    text = version_text(version)
    title = os.environ["KIDSUM_TITLE"]

    versions = [e for e in entries if e[0] == RT_VERSION]
    check.equal("version resources", len(versions), 1)
    if versions:
        _, name, language, body = versions[0]
        check.equal("version resource id", name, 1)
        check.equal("version resource language", hex(language), hex(LANG_ZH_CN))
        root = Block(body, 0)
        check.equal("root key", root.key, "VS_VERSION_INFO")
        fixed = struct.unpack_from("<13I", root.value, 0)
        check.equal("fixed info signature", hex(fixed[0]), hex(FIXED_SIGNATURE))
        check.equal("FILEVERSION", (hex(fixed[2]), hex(fixed[3])),
                    (hex(major << 16 | minor), hex(0 << 16 | patch)))
        check.equal("PRODUCTVERSION", (hex(fixed[4]), hex(fixed[5])),
                    (hex(major << 16 | minor), hex(0 << 16 | patch)))
        check.equal("FILETYPE", fixed[9], VFT_APP)

        tables = root.child("StringFileInfo").children
        check.equal("string tables", [t.key for t in tables], ["080404b0"])
        if tables:
            strings = {s.key: s.text for s in tables[0].children}
            expected = {
                "FileVersion": text,
                "ProductVersion": text,
                "InternalName": "kidsum",
                "OriginalFilename": "kidsum.exe",
                "ProductName": title,
                "LegalTrademarks": "乐乐",
                "FileDescription": title,
            }
            for key, value in expected.items():
                check.equal(key, strings.get(key), value)
            for key in ("CompanyName", "LegalCopyright"):
                if not strings.get(key):
                    check.failures.append(f"{key} is missing or empty")

        translation = root.child("VarFileInfo").child("Translation").value
        pairs = [struct.unpack_from("<HH", translation, i) for i in range(0, len(translation), 4)]
        check.equal("Translation", pairs, [(LANG_ZH_CN, CODEPAGE_UTF16)])

    groups = [e for e in entries if e[0] == RT_GROUP_ICON]
    check.equal("icon groups", len(groups), 1)
    if groups:
        body = groups[0][3]
        _, kind, count = struct.unpack_from("<HHH", body, 0)
        check.equal("icon group type", kind, 1)
        icons = {e[1]: e[3] for e in entries if e[0] == RT_ICON}
        in_group = []
        for i in range(count):
            w, h, _, _, _, bits, size, icon_id = struct.unpack_from("<BBBBHHIH", body, 6 + 14 * i)
            image = icons.get(icon_id)
            if image is None or len(image) != size:
                check.failures.append(f"icon group entry {i} names a missing icon {icon_id}")
                continue
            in_group.append((w or 256, h or 256, bits, image))
        source = ico_images(ico_path)
        check.equal("icon images in the group", len(in_group), 13)
        check.equal("icon sizes and depths", [i[:3] for i in in_group], [i[:3] for i in source])
        if [i[3] for i in in_group] != [i[3] for i in source]:
            check.failures.append("icon image data differs from the .ico file")


def check_exe(argv):
    sys.dont_write_bytecode = True  # keep the source folder clean
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "windows"))
    import pe
    exe_path, ico_file, version = argv
    program = pe.PeFile(exe_path)
    checker = Checker()
    checker.equal("machine", hex(program.machine), hex(pe.MACHINE_AMD64))
    checker.equal("subsystem (2: GUI, 3: console)", program.subsystem, pe.SUBSYSTEM_GUI)
    check(program.resources(), ico_file, version, checker)
    for failure in checker.failures:
        print("FAIL:", failure)
    if checker.failures:
        return 1
    print(f"{os.path.basename(exe_path)}: 64-bit GUI program; version record "
          f"{version_text(version)} and 13-image icon group are as expected")
    return 0


def main(argv):
    if len(argv) == 5 and argv[1] == "--exe":
        return check_exe(argv[2:])
    if len(argv) != 6:
        print(__doc__, file=sys.stderr)
        return 2
    windres, rc_file, ico_file, version, work = argv[1:]
    if not shutil.which(windres):
        print(f"SKIP: {windres} not found (Debian package binutils-mingw-w64-i686)")
        return 77
    os.makedirs(work, exist_ok=True)
    res_path = os.path.join(work, "kidsum.res")
    # The host's cpp serves as preprocessor: the script includes no Windows
    # header, so no MinGW compiler is needed.
    command = [windres, "--preprocessor=cpp", "--preprocessor-arg=-DRC_INVOKED",
               "-I", os.path.dirname(os.path.abspath(ico_file)),
               "-J", "rc", "-O", "res", "-i", rc_file, "-o", res_path]
    compiled = subprocess.run(command, capture_output=True, text=True)
    if compiled.returncode != 0:
        print("windres failed:", " ".join(command), compiled.stdout, compiled.stderr, sep="\n")
        return 1
    checker = Checker()
    check(resources(open(res_path, "rb").read()), ico_file, version, checker)
    for failure in checker.failures:
        print("FAIL:", failure)
    if checker.failures:
        return 1
    print(f"version record {version_text(version)} and 13-image icon group are as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
