#!/usr/bin/env bash
# A double-click opens the picture at its natural size in the borderless "Zoom In" window; a press
# anywhere in it drags it; Ctrl+C hides it, and the next zoom shows it where it was left.
source "$(dirname "$0")/lib/session.bash" "$@"

mkdir "$WORK/photos"
"$MAKE_JPEG" 300 200 ff0000 "$WORK/photos/a.jpg"
"$MAKE_JPEG" 200 150 0000ff "$WORK/photos/b.jpg"
start_picsift "$WORK/photos"

zoom_window() { xdotool search --onlyvisible --name '^Zoom In$' 2>/dev/null | head -1; }

move_to $LEFT_LIST_X "$(entry_y 1)"
move_to $LEFT_LIST_X "$(entry_y 0)"
xdotool click --repeat 2 --delay 80 1; sleep 0.7
ZID=$(zoom_window)
[ -n "$ZID" ] || fail "no Zoom In window"
eval "$(xdotool getwindowgeometry --shell "$ZID")"
[ "$WIDTH"x"$HEIGHT" = 300x200 ] || fail "the window is ${WIDTH}x$HEIGHT, not the picture's 300x200"
[ "$X,$Y" = 216,67 ] || fail "the window opened at $X,$Y, not 216,67"
close_to "$(pixel 218 69)" ff0000 || fail "no picture at the top-left corner"
close_to "$(pixel 514 265)" ff0000 || fail "no picture at the bottom-right corner"

# Drag it by pressing in the middle of the picture.
xdotool mousemove 366 167 mousedown 1
for step in 1 2 3 4 5 6 7 8; do xdotool mousemove $((366 + 80 * step)) $((167 + 10 * step)); sleep 0.05; done
xdotool mouseup 1; sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$ZID")"
[ "$X,$Y" = 856,147 ] || fail "the window was dragged to $X,$Y, not 856,147"

xdotool key ctrl+c; sleep 0.5
[ -z "$(zoom_window)" ] || fail "Ctrl+C did not hide the window"

move_to $LEFT_LIST_X "$(entry_y 1)"
xdotool click --repeat 2 --delay 80 1; sleep 0.7
ZID=$(zoom_window)
[ -n "$ZID" ] || fail "the zoom window did not come back"
eval "$(xdotool getwindowgeometry --shell "$ZID")"
[ "$X,$Y,$WIDTH,$HEIGHT" = 856,147,200,150 ] || fail "the window came back as $X,$Y ${WIDTH}x$HEIGHT"
close_to "$(pixel 900 200)" 0000ff || fail "the window does not show b.jpg"
echo "zoom window: ok"
