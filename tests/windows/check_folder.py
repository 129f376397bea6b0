#!/usr/bin/python3
"""Checks the Windows program's folder as `cmake --install` lays it out:
exactly the files the program runs with and the licences and notices that
travel with them, every binary 64-bit and stripped, every DLL it or a plug-in
imports either in the folder or part of Windows, no DLL in the folder that
nothing loads, and every DLL named in NOTICES.txt.

usage: check_folder.py FOLDER
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pe  # noqa: E402

QT = ["Qt6Core.dll", "Qt6Gui.dll", "Qt6Widgets.dll"]
RUNTIME = ["libstdc++-6.dll", "libgcc_s_seh-1.dll", "libwinpthread-1.dll"]
PLUGINS = ["platforms/qwindows.dll", "imageformats/qjpeg.dll", "imageformats/qico.dll",
           "styles/qmodernwindowsstyle.dll"]
PICTURES = ["img/ok.jpg", "img/err.jpg", "img/white.jpg"] + [
    f"img/{kind}/{n}.jpg" for kind in (1, 2, 3) for n in range(67)]
LICENCES = ["NOTICES.txt"] + [f"licenses/{name}" for name in (
    "LGPL-3.0.txt", "GPL-3.0.txt", "GCC-Runtime-Library-Exception-3.1.txt", "winpthreads.txt",
    "Apache-2.0.txt", "qt6-base-copyright.txt", "qt6-translations-copyright.txt",
    "qt-build/build-qt.sh", "qt-build/qt-cache.sh", "qt-build/debian-root.sh",
    "qt-build/mingw-w64-x86_64.cmake")]
EXPECTED = (["kidsum.exe", "help.htm", "qtbase_zh_CN.qm"] + QT + RUNTIME + PLUGINS + PICTURES
            + LICENCES)

# DLLs that come with every 64-bit Windows 10 and 11.
WINDOWS = {name.lower() for name in """
    advapi32.dll authz.dll comdlg32.dll d3d11.dll d3d12.dll d3d9.dll dwmapi.dll dwrite.dll
    dxgi.dll gdi32.dll imm32.dll kernel32.dll mpr.dll msvcrt.dll netapi32.dll ole32.dll
    oleacc.dll oleaut32.dll opengl32.dll setupapi.dll shcore.dll shell32.dll shlwapi.dll
    user32.dll userenv.dll uxtheme.dll version.dll winmm.dll ws2_32.dll wtsapi32.dll
    winspool.drv dcomp.dll d2d1.dll
""".split()}


def is_windows_dll(name):
    name = name.lower()
    return name in WINDOWS or name.startswith("api-ms-win-")


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    folder = argv[1]
    failures = []
    present = sorted(os.path.relpath(os.path.join(root, f), folder).replace(os.sep, "/")
                     for root, _, files in os.walk(folder) for f in files)
    for missing in sorted(set(EXPECTED) - set(present)):
        failures.append(f"missing: {missing}")
    for extra in sorted(set(present) - set(EXPECTED)):
        failures.append(f"not something the program loads: {extra}")

    binaries = [f for f in present if f.endswith((".exe", ".dll"))]
    in_folder = {os.path.basename(f).lower() for f in binaries}
    imported_by = {}
    for relative in binaries:
        binary = pe.PeFile(os.path.join(folder, relative))
        if binary.machine != pe.MACHINE_AMD64:
            failures.append(f"{relative} is not a 64-bit binary")
        debug = [s for s in binary.section_names if s.startswith((".debug", ".zdebug"))]
        if debug:
            failures.append(f"{relative} is not stripped: sections {debug}")
        for dll in binary.imports():
            imported_by.setdefault(dll.lower(), []).append(relative)
            if dll.lower() not in in_folder and not is_windows_dll(dll):
                failures.append(f"{relative} needs {dll}, which is neither in the folder nor "
                                "part of Windows")
    for dll in QT + RUNTIME:
        if dll.lower() not in imported_by:
            failures.append(f"{dll} is in the folder but nothing imports it")
    notices_path = os.path.join(folder, "NOTICES.txt")
    if os.path.exists(notices_path):
        with open(notices_path, encoding="utf-8-sig") as f:
            notices = f.read()
        for shipped in (f for f in present if f.endswith((".dll", ".qm"))):
            if shipped not in notices:
                failures.append(f"NOTICES.txt does not name {shipped}")

    size = sum(os.path.getsize(os.path.join(folder, f)) for f in present)
    for failure in failures:
        print("FAIL:", failure)
    if failures:
        return 1
    print(f"{len(present)} files, {size / 1e6:.1f} MB; binaries: {', '.join(binaries)}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
