#!/usr/bin/env bash
# README command (1): installs what is missing, builds the program and the
# set-library check modsetup-check into build/, lays out a demo game folder
# demo/ (with mods/, the program modsetup.exe and a generated set library
# modsetup/ beside it, a stand-in for the game, and two downloaded archives of
# sets in demo/archives/ to add from the window's menu or by a drop) and
# starts the program in it. Works from any folder
# and needs no terminal, but a display: without one it says how to run it
# under a virtual X server.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

demo_folder="$repo_root/demo"

check_display() {
    # Qt's offscreen platform, chosen explicitly, needs no display.
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
        return 0
    fi
    local me=$0
    [ "$me" -ef "$repo_root/scripts/demo.sh" ] && [ "$PWD" -ef "$repo_root" ] && me=scripts/demo.sh
    cat >&2 <<TEXT
modsetup is a desktop program and needs a display, but neither DISPLAY nor
WAYLAND_DISPLAY is set. Run the demo under a virtual X server instead:

    xvfb-run -a bash $me
or
    Xvfb :99 & DISPLAY=:99 bash $me

(On Debian the virtual X server comes with: apt-get install xvfb)
TEXT
    return 1
}

prepare_demo() {
    say "laying out the demo game folder $demo_folder"
    mkdir -p "$demo_folder/mods" || return 1
    cp "$repo_root/build/modsetup.exe" "$demo_folder/modsetup.exe" || return 1
    # The game's stand-in: Play has Wine run the launch script, whose
    # "tarvok.exe -mod DemoMod" Wine starts as the script it is.
    cat > "$demo_folder/tarvok.exe" <<'GAME' || return 1
#!/bin/sh
# A stand-in for the game: notes what Play started it with.
echo "tarvok.exe started with: $*" > tarvok.log
GAME
    chmod +x "$demo_folder/tarvok.exe" || return 1
    "$repo_root/build/make_demo_library" "$demo_folder/modsetup" || return 1
    # Archives to add sets from; the demo runs without them.
    bash "$repo_root/scripts/demo-archives.sh" "$demo_folder/archives" ||
        echo "could not make the demo's archives; the demo runs without them" >&2
    return 0
}

main() {
    check_display || exit 2
    install_packages "${build_packages[@]}" || exit 1
    build_project build modsetup make_demo_library modsetup-check || exit 1
    prepare_demo || { echo "could not lay out the demo folder" >&2; exit 1; }
    say "starting modsetup.exe in $demo_folder (close its window to end the demo);" \
        "drop an archive of $demo_folder/archives on it to add its sets"
    cd "$demo_folder" || exit 1
    exec ./modsetup.exe
}

main "$@"
