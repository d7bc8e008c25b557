#!/usr/bin/env bash
# Listens to the Linux program as a blind player hears it (not part of CI):
# starts it on the demo set library on a virtual display with a real screen
# reader, Orca, whose speech speech-dispatcher writes into a file instead of
# a sound card, presses the keys below one step at a time and prints what was
# spoken after each step ("-- step" lines between the speech, "@@" before
# each utterance). Needs build/modsetup.exe and build/make_demo_library
# (scripts/demo.sh builds them) and Debian's orca, speech-dispatcher, xvfb,
# xdotool and dbus (installed when missing).
#
#   bash scripts/listen.sh [transcript file]
#
# LISTEN_KEEP=<folder> keeps Orca's debug log (which events it was sent and
# what it made of them), the program's output and a screenshot after each
# step (step-01.png, ...; ImageMagick's import) there.
# Everything runs with a private home, runtime folder and session bus in a
# scratch folder that is removed afterwards; Orca allows one instance per
# user, so the script waits while another one runs.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

transcript=${1:-/dev/stdout}
pause=${LISTEN_PAUSE:-2}  # seconds for the speech of one step to arrive

# The steps: a title, then the keys xdotool presses (each word one key).
steps=(
    "Tab onto the second list|Tab"
    "Down on the closed list|Down"
    "Up on the closed list|Up"
    "Alt+Down opens the list, Down moves in it|alt+Down Down"
    "Return picks from the open list|Return"
    "Ctrl+F1 shows the tooltip|ctrl+F1"
    "Escape hides it|Escape"
    "Shift+F10 opens the menu|shift+F10"
    "Down|Down"
    "Down|Down"
    "Down|Down"
    "Escape closes the menu|Escape"
    "Shift+Tab back to the first list|shift+Tab"
    "Typing a letter completes a set|d"
)

scratch=$(mktemp -d /tmp/modsetup-listen.XXXXXX) || exit 1
pids=()
cleanup() {
    local pid
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

start() {  # start NAME COMMAND...: runs a command in the background, its output in NAME.log
    local name=$1
    shift
    "$@" >"$scratch/$name.log" 2>&1 &
    pids+=($!)
}

for tool in modsetup.exe make_demo_library; do
    [ -x "$repo_root/build/$tool" ] || { echo "build/$tool is missing: run scripts/demo.sh first" >&2; exit 1; }
done
install_packages orca speech-dispatcher xvfb xdotool dbus at-spi2-core || exit 1

while pgrep -u "$(id -u)" -x orca >/dev/null; do
    say "another Orca of this user runs; waiting for it to end"
    sleep 10
done

# A private environment: nothing of the user's own session is read or changed.
export HOME=$scratch/home XDG_RUNTIME_DIR=$scratch/run XDG_CONFIG_HOME=$scratch/home/.config \
    XDG_DATA_HOME=$scratch/home/.local/share XDG_CACHE_HOME=$scratch/home/.cache GSETTINGS_BACKEND=memory
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$scratch/orca" "$scratch/speech/modules"
mkdir -m 700 "$XDG_RUNTIME_DIR"
spoken=$scratch/spoken.txt
: >"$spoken"

# speech-dispatcher speaks into the file: a logger module that appends each utterance.
cat >"$scratch/speech/speechd.conf" <<CONF
AudioOutputMethod "alsa"
AudioALSADevice "null"
AddModule "logger" "sd_generic" "logger.conf"
DefaultModule "logger"
CONF
cat >"$scratch/speech/modules/logger.conf" <<CONF
GenericExecuteSynth "printf '@@ %s\\\\n' \'\$DATA\' >> $spoken"
GenericCmdDependency "printf"
AddVoice "en" "male1" "logger"
DefaultVoice "logger"
CONF

# The demo game folder.
game=$scratch/game
mkdir -p "$game/mods"
cp "$repo_root/build/modsetup.exe" "$game/" || exit 1
"$repo_root/build/make_demo_library" "$game/modsetup" >/dev/null || exit 1

# A display of its own: Xvfb picks a free number and writes it out.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$scratch/display")
eval "$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | {
    read -r address
    read -r pid
    echo "export DBUS_SESSION_BUS_ADDRESS='$address'; pids+=($pid)"
})"
start speechd speech-dispatcher -s -t 0 -C "$scratch/speech" -c unix_socket -S "$XDG_RUNTIME_DIR/speechd.sock"
export SPEECHD_ADDRESS=unix_socket:$XDG_RUNTIME_DIR/speechd.sock

(cd "$game" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec ./modsetup.exe) >"$scratch/modsetup.log" 2>&1 &
pids+=($!)
window=
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name 'Demo' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear" >&2; cat "$scratch/modsetup.log" >&2; exit 1; }
xdotool windowfocus --sync "$window"

start orca orca -u "$scratch/orca" --debug-file "$scratch/orca-debug.txt"
sleep 8  # Orca reads the whole tree of the window at start
echo "-- (start)" >>"$spoken"
[ -n "${LISTEN_KEEP:-}" ] && mkdir -p "$LISTEN_KEEP"
number=0
for step in "${steps[@]}"; do
    echo "-- ${step%%|*}" >>"$spoken"
    for key in ${step#*|}; do
        xdotool key --clearmodifiers "$key"
        sleep 0.3
    done
    sleep "$pause"
    number=$((number + 1))
    if [ -n "${LISTEN_KEEP:-}" ] && command -v import >/dev/null; then
        import -window root "$LISTEN_KEEP/step-$(printf %02d "$number").png"
    fi
done
cat "$spoken" >"$transcript"
if [ -n "${LISTEN_KEEP:-}" ]; then
    cp "$scratch"/orca-debug.txt "$scratch"/*.log "$LISTEN_KEEP/"
fi
