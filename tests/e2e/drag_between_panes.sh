#!/usr/bin/env bash
# Dragging a name to the other pane moves the file; with Shift held it copies.
source "$(dirname "$0")/lib/session.bash" "$@"

mkdir -p "$WORK/start/Inbox" "$WORK/start/Keep"
"$MAKE_JPEG" 64 48 ff0000 "$WORK/start/Inbox/p1.jpg"
"$MAKE_JPEG" 64 48 00ff00 "$WORK/start/Inbox/p2.jpg"
"$MAKE_JPEG" 64 48 0000ff "$WORK/start/Inbox/p3.jpg"
p1=$(md5sum <"$WORK/start/Inbox/p1.jpg")
start_picsift "$WORK/start"

drag() { # drag FROM_X FROM_Y TO_X TO_Y [shift]
  move_to "$1" "$2"
  [ "${5:-}" = shift ] && xdotool keydown shift
  xdotool mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $((WIN_X + $1 + ($3 - $1) * step / 8)) $((WIN_Y + $2 + ($4 - $2) * step / 8))
    sleep 0.05
  done
  xdotool mouseup 1
  [ "${5:-}" = shift ] && xdotool keyup shift
  sleep 0.5
}

# The directory list scrolls; reach the subfolders through the keyboard instead: End selects the last row.
focus_dirs() { xdotool mousemove $((WIN_X + $1 + 8 + 40)) $((WIN_Y + 8 + 32 + 10)) click 1; sleep 0.2; }
focus_dirs 216; xdotool key End Up Return; sleep 0.5       # Inbox (the second to last: Inbox, Keep)
focus_dirs 424; xdotool key End Return; sleep 0.5          # Keep

drag $LEFT_LIST_X "$(entry_y 0)" $RIGHT_LIST_X "$(entry_y 2)"
[ -f "$WORK/start/Keep/p1.jpg" ] || fail "p1.jpg was not moved"
[ ! -e "$WORK/start/Inbox/p1.jpg" ] || fail "p1.jpg is still in Inbox"
[ "$(md5sum <"$WORK/start/Keep/p1.jpg")" = "$p1" ] || fail "p1.jpg changed on the way"

drag $LEFT_LIST_X "$(entry_y 0)" $RIGHT_LIST_X "$(entry_y 2)" shift
[ -f "$WORK/start/Keep/p2.jpg" ] || fail "p2.jpg was not copied"
[ -f "$WORK/start/Inbox/p2.jpg" ] || fail "the copied p2.jpg left Inbox"
[ -f "$WORK/start/Inbox/p3.jpg" ] || fail "p3.jpg was touched"
echo "drag between panes: ok"
