#!/bin/bash
# Checks on the help page we ship.
#
# usage: check_help_page.sh valid PAGE    HTML errors found by Debian's tidy
#        check_help_page.sh offline PAGE  readable with no network and no script:
#                                         UTF-8, a phone viewport, nothing loaded
#                                         from elsewhere, every in-page link lands
set -u
mode=${1:?usage: check_help_page.sh valid|offline PAGE}
page=${2:?usage: check_help_page.sh valid|offline PAGE}
[ -f "$page" ] || { echo "FAIL: no page at $page" >&2; exit 1; }

failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

case $mode in
valid)
    command -v tidy >/dev/null || { echo "FAIL: tidy is not installed (package tidy)" >&2; exit 1; }
    # Exit status 2 means errors, 1 warnings only; warnings are shown, not fatal.
    report=$(tidy -errors -q "$page" 2>&1)
    status=$?
    [ -n "$report" ] && printf '%s\n' "$report" >&2
    [ "$status" -ge 2 ] && fail "tidy found errors in $page"
    ;;
offline)
    iconv -f UTF-8 -t UTF-8 "$page" >/dev/null 2>&1 || fail "not valid UTF-8"
    grep -qi '<meta charset="utf-8">' "$page" || fail "no <meta charset=\"utf-8\">"
    grep -qi '<html lang="zh-CN">' "$page" || fail "not marked as Simplified Chinese (lang=\"zh-CN\")"
    grep -qi '<meta name="viewport" content="width=device-width' "$page" \
        || fail "no viewport for phone-sized screens"
    grep -qi '<script' "$page" && fail "has a script"
    grep -qiE '<(link|img|iframe|object|embed|video|audio|source)[ >]' "$page" \
        && fail "loads a file or element from elsewhere"
    grep -qiE '@import|@font-face|url\(' "$page" && fail "its style loads something"
    grep -qiE '(src|href)="(https?:)?//' "$page" && fail "points at the network"
    # Every in-page link has its target.
    while IFS= read -r target; do
        grep -q "id=\"$target\"" "$page" || fail "link #$target has no target"
    done < <(grep -o 'href="#[^"]*"' "$page" | sed 's/^href="#//; s/"$//')
    ;;
*)
    echo "usage: check_help_page.sh valid|offline PAGE" >&2
    exit 2
    ;;
esac

[ "$failed" -eq 0 ] && echo "PASS: $mode $page"
exit "$failed"
