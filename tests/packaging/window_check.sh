# shellcheck shell=bash
# Sourced by the install and package tests: a run of an installed kidsum that
# checks its window title and that its pictures load. Needs xdotool and the
# virtual display the caller runs on (tests/virtual_display.py); the caller
# sets $work and calls stop_program_hard on exit.
: "${work:?the folder for logs must be set before sourcing}"

title=${KIDSUM_TITLE:?the title of the build, which CTest gives}

# Prints the missing tools, empty when none is missing.
missing_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || printf '%s ' "$tool"
    done
}

# Windows whose whole name is exactly $1 (a regular expression), one id a line.
windows_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null
}

# start_program EXECUTABLE VERSION: starts it and waits for its main window;
# sets app_pid and app_window.
start_program() {
    QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=0 "$1" >"$work/program.log" 2>&1 &
    app_pid=$!
    local caption="$title V${2//./\\.}"
    app_window=$(timeout 20 xdotool search --sync --onlyvisible --name "^$caption\$" | head -n1)
    if [[ -z $app_window ]]; then
        echo "FAIL: no window titled \"$title V$2\" appeared"
        cat "$work/program.log"
        return 1
    fi
    xdotool windowfocus --sync "$app_window"
}

# Presses Alt+C ("出题测试") up to three times; prints "error" as soon as the
# message box "出现异常错误,请与作者联系!" (titled with the bare application title)
# stands, otherwise "ok". Three questions: one of them draws a picture unless
# both numbers came out 0 three times in a row.
make_questions() {
    for _ in 1 2 3; do
        xdotool key --clearmodifiers alt+c
        sleep 0.4
        if [[ -n $(windows_named "$title") ]]; then
            echo error
            return 0
        fi
    done
    echo ok
}

# Alt+T is "退出软件"; the program must end by itself, with status 0.
quit_program() {
    xdotool windowfocus --sync "$app_window" 2>/dev/null
    xdotool key --clearmodifiers alt+t
    for _ in $(seq 50); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$app_pid" 2>/dev/null; then
        echo "FAIL: the program did not end on Alt+T"
        return 1
    fi
    local status=0
    wait "$app_pid" || status=$?
    app_pid=
    [[ $status -eq 0 ]] || { echo "FAIL: the program ended with status $status"; return 1; }
}

# check_installed_program EXECUTABLE VERSION: title, pictures, exit.
check_installed_program() {
    start_program "$1" "$2" || return 1
    local verdict
    verdict=$(make_questions)
    if [[ $verdict != ok ]]; then
        echo "FAIL: $1 did not find its pictures (error message box shown)"
        return 1
    fi
    quit_program || return 1
    echo "ok: $1 shows \"$title V$2\", loads its pictures and ends on Alt+T"
}

# check_detects_missing_pictures EXECUTABLE VERSION: the same run from a copy
# without img/ must show the error box, or "no box" above proves nothing.
check_detects_missing_pictures() {
    start_program "$1" "$2" || return 1
    local verdict
    verdict=$(make_questions)
    stop_program_hard
    if [[ $verdict != error ]]; then
        echo "FAIL: a program without img/ showed no error box; the picture check is blind"
        return 1
    fi
    echo "ok: without img/ the error box appears, so the picture check sees failures"
}

stop_program_hard() {
    if [[ -n ${app_pid:-} ]]; then
        kill "$app_pid" 2>/dev/null
        wait "$app_pid" 2>/dev/null
    fi
    app_pid=
    return 0
}
