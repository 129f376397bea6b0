#!/usr/bin/env python3
"""Writes the licence texts and the notices file that travel with the Windows
program: NOTICES.txt (Chinese, then English) and licenses/ beside kidsum.exe.

usage: windows_notices.py OUT_DIR DEBIAN_COPYRIGHT QT_STAMP ASSETS_README QT_BUILD_FILE...

Every text is copied from this machine: the licences from Debian's
/usr/share/common-licenses and from the copyright files of the packages the
shipped files come from, the versions from dpkg and from the stamp of the Qt
for Windows build, the program's own terms from its Debian copyright file.
The component table below names every DLL the folder ships; a DLL added to
the folder without a row here fails the folder check.
"""
import os
import re
import shutil
import subprocess
import sys

COMMON = "/usr/share/common-licenses"
DOC = "/usr/share/doc"


def source_of(package):
    """The source package an installed package was built from: name and version."""
    out = subprocess.run(["dpkg-query", "-W", "-f=${source:Package}\t${source:Version}", package],
                         check=True, capture_output=True, text=True).stdout
    return tuple(out.split("\t"))


def paragraphs(path):
    """A Debian copyright file's paragraphs, as text."""
    with open(path, encoding="utf-8") as f:
        return [p.strip("\n") for p in re.split(r"\n[ \t]*\n", f.read()) if p.strip()]


def field(paragraph, name):
    """A paragraph's field, continuation lines folded into one line."""
    match = re.search(rf"^{name}:(.*(?:\n[ \t].*)*)", paragraph, re.M)
    return " ".join(match.group(1).split()) if match else ""


def between(path, first, last):
    """The lines of a file from the one starting with first to the one before last."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    begin = text.index(first)
    return text[begin:text.index(last, begin)].rstrip() + "\n"


def winpthreads_licence():
    """winpthreads' paragraphs of the mingw-w64 copyright file (not its tests),
    followed by the licences they name."""
    paras = paragraphs(f"{DOC}/mingw-w64-x86-64-dev/copyright")
    own = [p for p in paras if "mingw-w64-libraries/winpthreads/" in field(p, "Files")
           and "tests_pthread" not in field(p, "Files")]
    named = {field(p, "License").split()[0] for p in own}
    texts = [p for p in paras if p.startswith("License:") and field(p, "License") in named]
    return "\n\n".join(own + texts) + "\n"


def program_terms(copyright_path):
    """The maker's entries of the Debian copyright file: the program itself
    and its pictures."""
    out = []
    for p in paragraphs(copyright_path):
        files = field(p, "Files")
        if files == "*" or "assets/img" in files:
            out.append(p)
    if len(out) != 2:
        raise SystemExit(f"{copyright_path}: expected the program's and the pictures' entries")
    return "\n\n".join(out)


def emoji_version(readme):
    with open(readme, encoding="utf-8") as f:
        match = re.search(r"`fonts-noto-color-emoji` (\d[^,)\s]*)", f.read())
    if not match:
        raise SystemExit(f"{readme} names no fonts-noto-color-emoji version")
    return match.group(1)


def main():
    out, debian_copyright, qt_stamp, assets_readme = sys.argv[1:5]
    qt_build_files = sys.argv[5:]
    licences = os.path.join(out, "licenses")
    shutil.rmtree(licences, ignore_errors=True)
    os.makedirs(os.path.join(licences, "qt-build"))

    def copy(source, name):
        shutil.copyfile(source, os.path.join(licences, name))

    copy(f"{COMMON}/LGPL-3", "LGPL-3.0.txt")
    copy(f"{COMMON}/GPL-3", "GPL-3.0.txt")
    copy(f"{COMMON}/Apache-2.0", "Apache-2.0.txt")
    with open(os.path.join(licences, "GCC-Runtime-Library-Exception-3.1.txt"), "w",
              encoding="utf-8") as f:
        f.write(between(f"{DOC}/gcc-mingw-w64-base/copyright",
                        "GCC RUNTIME LIBRARY EXCEPTION", "\nlibquadmath"))
    with open(os.path.join(licences, "winpthreads.txt"), "w", encoding="utf-8") as f:
        f.write(winpthreads_licence())
    copy(f"{DOC}/qt6-base-dev/copyright", "qt6-base-copyright.txt")
    copy(f"{DOC}/qt6-translations-l10n/copyright", "qt6-translations-copyright.txt")
    for path in qt_build_files:
        copy(path, os.path.join("qt-build", os.path.basename(path)))

    # The stamp of the Qt for Windows build: Qt's version and the version of
    # Debian's qt6-base source package it was built from.
    with open(qt_stamp, encoding="utf-8") as f:
        qt_version, qt_debian = f.read().split()
    qt = ("qt6-base", qt_debian)
    runtime = source_of("gcc-mingw-w64-x86-64-posix-runtime")
    gcc = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "gcc-mingw-w64-x86-64-posix-runtime"],
                         check=True, capture_output=True, text=True).stdout.split("-")[0]
    gcc_major = gcc.split(".")[0]
    winpthreads = source_of("mingw-w64-x86-64-dev")
    # The Debian release whose packages these are.
    with open("/etc/os-release", encoding="utf-8") as f:
        debian = re.search(r'^VERSION_ID="?(\d+)', f.read(), re.M).group(1)
    catalogue = source_of("qt6-translations-l10n")
    emoji = emoji_version(assets_readme)
    qt_dlls = ("Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, platforms/qwindows.dll, "
               "imageformats/qjpeg.dll, imageformats/qico.dll, styles/qmodernwindowsstyle.dll")
    terms = program_terms(debian_copyright)

    def obtain(source):
        name, version = source
        return f"apt-get source {name}={version}", f"{name} {version}"

    qt_get, qt_url = obtain(qt)
    cat_get, cat_url = obtain(catalogue)
    gcc_get, gcc_url = obtain(runtime)
    pth_get, pth_url = obtain(winpthreads)
    notices = f"""\
许可证与第三方软件声明 / Licences and third-party notices
==========================================================

【中文】

一、本程序
kidsum.exe、help.htm 和 img 文件夹中图片的版权与许可（与 Debian 软件包的 copyright 文件相同）：

{terms}

提示图片和背景中的小动物是 Noto Color Emoji {emoji} 图案的修改绘制，依照 Apache License 2.0 发布，全文见 licenses/Apache-2.0.txt。

二、随附的第三方组件

1. Qt {qt_version}（qtbase）
   文件：{qt_dlls}
   许可：GNU 宽通用公共许可证（LGPL）第 3 版，全文见 licenses/LGPL-3.0.txt；它以 GNU 通用公共许可证（GPL）第 3 版为基础，全文见 licenses/GPL-3.0.txt。Qt 内含的第三方代码（zlib、libjpeg、libpng、FreeType、HarfBuzz、PCRE2、double-conversion 等）及其许可见 licenses/qt6-base-copyright.txt。
   源代码：这些 DLL 由 Debian 源码包 {qt[0]} {qt[1]} 编译而成，所用的构建脚本在 licenses/qt-build/ 中（build-qt.sh 取得源码并编译）。获取源码：在 Debian {debian} 上运行 {qt_get}，或从 Debian 的历史软件包存档（snapshot）下载 {qt_url}。您可以用自己从这些源码编译的 Qt DLL 替换本文件夹中的 DLL。
2. Qt 的中文翻译（{catalogue[0]} {catalogue[1]}）
   文件：qtbase_zh_CN.qm
   许可：GNU GPL 第 3 版，附 Qt GPL 例外 1.0，见 licenses/GPL-3.0.txt 和 licenses/qt6-translations-copyright.txt。
   源代码：Debian 源码包 {catalogue[0]} {catalogue[1]}：{cat_get}，或从 Debian 的历史软件包存档（snapshot）下载 {cat_url}。
3. GCC {gcc} 运行库（MinGW-w64）
   文件：libstdc++-6.dll、libgcc_s_seh-1.dll
   许可：GNU GPL 第 3 版，附 GCC 运行库例外 3.1，见 licenses/GPL-3.0.txt 和 licenses/GCC-Runtime-Library-Exception-3.1.txt。
   源代码：Debian 源码包 {runtime[0]} {runtime[1]}（它构建自 gcc-{gcc_major} 的源码）：{gcc_get}，或从 Debian 的历史软件包存档（snapshot）下载 {gcc_url}。
4. winpthreads（MinGW-w64 {winpthreads[1]}）
   文件：libwinpthread-1.dll
   许可：MIT（expat）许可和 BSD 许可，见 licenses/winpthreads.txt。
   源代码：Debian 源码包 {winpthreads[0]} {winpthreads[1]}：{pth_get}，或从 Debian 的历史软件包存档（snapshot）下载 {pth_url}。

【English】

1. This program
The copyright and licence of kidsum.exe, help.htm and the pictures in img are the entries above, the same as in the Debian package's copyright file. The hint pictures and the small animals of the background are modified renderings of the Noto Color Emoji {emoji} artwork, under the Apache License 2.0: licenses/Apache-2.0.txt.

2. Third-party components shipped with it

1. Qt {qt_version} (qtbase)
   Files: {qt_dlls}
   Licence: GNU Lesser General Public License version 3 (licenses/LGPL-3.0.txt), which builds on the GNU General Public License version 3 (licenses/GPL-3.0.txt). The third-party code inside Qt (zlib, libjpeg, libpng, FreeType, HarfBuzz, PCRE2, double-conversion and others) and its licences: licenses/qt6-base-copyright.txt.
   Source: these DLLs were built from Debian's source package {qt[0]} {qt[1]} with the build script in licenses/qt-build/ (build-qt.sh fetches the source and builds it). To obtain the source: {qt_get} on Debian {debian}, or download {qt_url} from Debian's snapshot archive. You may replace the DLLs in this folder with Qt DLLs you build yourself from that source.
2. Qt's Chinese translation ({catalogue[0]} {catalogue[1]})
   Files: qtbase_zh_CN.qm
   Licence: GNU GPL version 3 with The Qt Company GPL Exception 1.0: licenses/GPL-3.0.txt and licenses/qt6-translations-copyright.txt.
   Source: Debian's source package {catalogue[0]} {catalogue[1]}: {cat_get}, or {cat_url} from Debian's snapshot archive.
3. GCC {gcc} runtime (MinGW-w64)
   Files: libstdc++-6.dll, libgcc_s_seh-1.dll
   Licence: GNU GPL version 3 with the GCC Runtime Library Exception 3.1: licenses/GPL-3.0.txt and licenses/GCC-Runtime-Library-Exception-3.1.txt.
   Source: Debian's source package {runtime[0]} {runtime[1]} (built from the source of gcc-{gcc_major}): {gcc_get}, or {gcc_url} from Debian's snapshot archive.
4. winpthreads (MinGW-w64 {winpthreads[1]})
   Files: libwinpthread-1.dll
   Licence: the MIT (expat) licence and BSD licences: licenses/winpthreads.txt.
   Source: Debian's source package {winpthreads[0]} {winpthreads[1]}: {pth_get}, or {pth_url} from Debian's snapshot archive.
"""
    # A byte-order mark and Windows line ends: Notepad shows it right.
    with open(os.path.join(out, "NOTICES.txt"), "w", encoding="utf-8-sig", newline="\r\n") as f:
        f.write(notices)


if __name__ == "__main__":
    main()
