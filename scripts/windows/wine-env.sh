# The Wine set-up shared by the Windows scripts: which loader, which prefix,
# quiet logs, no Mono or Gecko download prompts, no desktop menu entries
# written into the user's home. Sourced; sets kidsum_wine.
source "$top/scripts/windows/qt-cache.sh"

if [[ -x /usr/lib/wine/wine64 ]]; then
    kidsum_wine=/usr/lib/wine/wine64     # Debian's wine64 package
else
    kidsum_wine=$(command -v wine64 || command -v wine)
fi
export WINELOADER=$kidsum_wine
export WINEARCH=win64
export WINEPREFIX=${WINEPREFIX:-$top/build/windows/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

# Wine keeps the Unix QT_* variables away from Windows programs, unless
# they come as WINEQT_*: so CTest's per-test settings (QT_QPA_PLATFORM=
# offscreen) reach the test programs.
while IFS= read -r kidsum_var; do
    export "WINE$kidsum_var=${!kidsum_var}"
done < <(compgen -e | grep '^QT_' || true)

# Windows looks for DLLs along PATH; Wine adds WINEPATH to it. Asking the
# compiler takes milliseconds, next to a second for Wine to start.
kidsum_mingw_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
kidsum_mingw_threads=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)")
export WINEPATH="Z:${qt_prefix//\//\\}\\bin;Z:${kidsum_mingw_runtime//\//\\};Z:${kidsum_mingw_threads//\//\\}"

# A prefix is made once, under a lock, so parallel tests do not race.
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [[ ! -f $WINEPREFIX/system.reg ]]; then
            "$kidsum_wine" wineboot -i >/dev/null 2>&1
            "$(dirname "$kidsum_wine")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
        fi
    ) 9>"$WINEPREFIX.lock"
fi
