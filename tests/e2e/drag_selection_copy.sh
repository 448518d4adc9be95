#!/usr/bin/env bash
# With Auto Show off, a selection of several names dragged with Shift is copied; a same-named photo at the
# destination is replaced and kept in the trash.
source "$(dirname "$0")/lib/session.bash" "$@"

mkdir -p "$WORK/start/Inbox" "$WORK/start/Keep"
for i in 1 2 3 4 5; do "$MAKE_JPEG" 64 48 "${i}0${i}0${i}0" "$WORK/start/Inbox/p$i.jpg"; done
"$MAKE_JPEG" 64 48 000000 "$WORK/start/Keep/z.jpg"
"$MAKE_JPEG" 32 32 ffffff "$WORK/start/Keep/p3.jpg"
older_p3=$(md5sum <"$WORK/start/Keep/p3.jpg")
start_picsift "$WORK/start"
open_inbox_and_keep

# Auto Show off through the popup menu: multiple selection.
move_to $LEFT_LIST_X "$(entry_y 0)"
xdotool click 3; sleep 0.4; xdotool key a; sleep 0.3
# Select p2 to p4: click p2, Shift+click p4.
move_to $LEFT_LIST_X "$(entry_y 1)"; xdotool click 1; sleep 0.2
move_to $LEFT_LIST_X "$(entry_y 3)"; xdotool keydown shift click 1 keyup shift; sleep 0.2
# Shift-drag from the end of the selection, which keeps it.
drag $LEFT_LIST_X "$(entry_y 3)" $RIGHT_LIST_X "$(entry_y 3)" shift

for i in 2 3 4; do
  [ "$(md5sum <"$WORK/start/Keep/p$i.jpg")" = "$(md5sum <"$WORK/start/Inbox/p$i.jpg")" ] || fail "p$i.jpg was not copied"
done
[ "$(ls "$WORK/start/Inbox" | wc -l)" = 5 ] || fail "a copy took files from Inbox"
[ ! -e "$WORK/start/Keep/p1.jpg" ] && [ ! -e "$WORK/start/Keep/p5.jpg" ] || fail "an unselected photo was copied"
[ "$(md5sum <"$XDG_DATA_HOME/Trash/files/p3.jpg")" = "$older_p3" ] || fail "the replaced p3.jpg is not in the trash"
grep -q "^Path=$WORK/start/Keep/p3.jpg$" "$XDG_DATA_HOME/Trash/info/p3.jpg.trashinfo" || fail "the trash does not know where p3.jpg was"
echo "drag selection copy: ok"
