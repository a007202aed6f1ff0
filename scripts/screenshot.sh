#!/usr/bin/env bash
# Renders the app's windows to docs/screenshots/ under a private X server:
#   main.png    the main window as it starts
#   about.png   the About window, opened through the File menu
#   in-use.png  the main window after files were dropped on it from another
#               application, a size was typed and Return pressed
#   reminder.png  the reminder shown by "Open file"
# and the same four again as dark-*.png, under GTK's dark Adwaita theme through Qt's
# gtk3 platform theme, as a GNOME user with a dark desktop sees them.
# Usage: scripts/screenshot.sh <build dir>. There is no window manager, so the
# pictures show the windows' contents without frames.
set -euo pipefail

build=${1:?usage: $0 <build dir>}
app="$build/app/pallisto"
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/docs/screenshots"

for tool in Xvfb xdotool xwininfo import convert /usr/bin/python3; do
    command -v "$tool" >/dev/null || { echo "$tool is missing; run scripts/setup.sh" >&2; exit 1; }
done
[ -x "$app" ] || { echo "$app is not built; run make build first" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The first display number from 91 on that no X server holds.
display=91
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
    [ "$display" -le 120 ] || { echo "no free X display number" >&2; exit 1; }
done
export DISPLAY=":$display"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { cat "$work/xvfb.log" >&2; exit 1; }

# A clean, private desktop environment for the app.
export XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION WAYLAND_DISPLAY
# "Open file" hands documents to the desktop: here to a handler that only logs them.
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
printf '#!/bin/sh\necho "$@" >>"%s/opened.log"\n' "$work" >"$work/open-handler"
chmod +x "$work/open-handler"
printf '[Desktop Entry]\nType=Application\nName=Log\nExec=%s %%f\nMimeType=application/pdf;\n' \
    "$work/open-handler" >"$XDG_DATA_HOME/applications/pallisto-log.desktop"
printf '[Default Applications]\napplication/pdf=pallisto-log.desktop\n' \
    >"$XDG_CONFIG_HOME/mimeapps.list"
export QT_QPA_PLATFORM=xcb

# Waits for a visible window whose title matches $1 and prints its id.
window_named() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "no window named $1 appeared" >&2
    return 1
}

# Prints "x y width height" of a window on the screen.
geometry_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                             /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}

# Saves window $1 as $2, cut from a picture of the whole screen.
shoot() {
    local x y w h
    read -r x y w h < <(geometry_of "$1")
    sleep 0.5 # let the last paint reach the screen
    import -display "$DISPLAY" -window root "$work/screen.png"
    convert "$work/screen.png" -crop "${w}x${h}+${x}+${y}" +repage -strip "$2"
    echo "wrote $2 (${w}x${h})"
}

# Documents in a few sizes, dragged in from a small GTK program, as a user would
# drag them from a file manager.
docs="$work/documents"
mkdir -p "$docs"
for name in "poster 50x70.pdf" "flyer 21x30.pdf" "banner 300x100.pdf" "card 85x55.pdf" \
            "leaflet 10x21.pdf" "square 30x30.pdf"; do
    echo "document" >"$docs/$name"
done
cat >"$work/dragsource.py" <<'PY'
import sys
import gi
gi.require_version("Gtk", "3.0")
from gi.repository import Gdk, Gtk

uris = ["file://" + p.replace(" ", "%20") for p in sys.argv[1:]]
window = Gtk.Window(title="drag source")
button = Gtk.Button(label="documents")
button.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
button.drag_source_add_uri_targets()
button.connect("drag-data-get", lambda w, ctx, data, info, time: data.set_uris(uris))
window.add(button)
window.set_default_size(160, 60)
window.move(800, 100)
window.connect("destroy", Gtk.main_quit)
window.show_all()
Gtk.main()
PY

# Renders one set of pictures, named with the prefix $1, with the app and its drag
# source started in the current environment; both are stopped at the end.
render_set() {
    local prefix=$1
    "$app" >"$work/${prefix}app.log" 2>&1 &
    app_pid=$!
    pids+=("$app_pid")
    main=$(window_named '^Pallisto$')
    shoot "$main" "$out/${prefix}main.png"

    read -r mx my mw mh < <(geometry_of "$main")
    xdotool windowfocus --sync "$main"

    # F10 opens the File menu; its last item is About.
    xdotool key F10 sleep 0.5 key Up Return
    about=$(window_named '^About Pallisto')
    shoot "$about" "$out/${prefix}about.png"
    xdotool windowunmap "$about" || true

    # Documents dragged in from the small GTK program, as from a file manager, onto the
    # list, which fills the upper half of the window whatever the menu bar's height.
    /usr/bin/python3 "$work/dragsource.py" "$docs"/*.pdf >"$work/${prefix}drag.log" 2>&1 &
    source_pid=$!
    pids+=("$source_pid")
    source=$(window_named '^drag source$')
    read -r sx sy sw sh < <(geometry_of "$source")
    xdotool mousemove $((sx + sw / 2)) $((sy + sh / 2)) mousedown 1 sleep 0.2 \
        mousemove $((sx + sw / 2 + 20)) $((sy + sh / 2 + 10)) sleep 0.2 \
        mousemove $((mx + mw / 2)) $((my + mh / 3)) sleep 0.3 \
        mousemove $((mx + mw / 2 + 2)) $((my + mh / 3 + 2)) sleep 0.3 mouseup 1
    sleep 0.5
    # From the list, Tab reaches the width field, and twice more the height field: 70 and
    # 100 typed there, then Return for Calculate.
    xdotool windowfocus --sync "$main"
    xdotool key Tab type 70
    xdotool key Tab Tab type 100
    xdotool key Return
    shoot "$main" "$out/${prefix}in-use.png"

    # Open File (Ctrl+O) on the chosen row shows the reminder for the two seconds before
    # the document is handed over; its window kind carries no title of its own.
    xdotool key ctrl+o
    reminder=$(window_named '^Reminder$')
    shoot "$reminder" "$out/${prefix}reminder.png"
    kill "$app_pid" "$source_pid" 2>/dev/null || true
    wait "$app_pid" "$source_pid" 2>/dev/null || true
}

mkdir -p "$out"
render_set ""
# GTK reads GTK_THEME itself; the gtk3 platform theme hands its colours to Qt.
QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark render_set dark-
