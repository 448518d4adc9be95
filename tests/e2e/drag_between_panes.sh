#!/usr/bin/env bash
# Dragging a name to the other pane moves the file; with Shift held it copies.
source "$(dirname "$0")/lib/session.bash" "$@"

mkdir -p "$WORK/start/Inbox" "$WORK/start/Keep"
"$MAKE_JPEG" 64 48 ff0000 "$WORK/start/Inbox/p1.jpg"
"$MAKE_JPEG" 64 48 00ff00 "$WORK/start/Inbox/p2.jpg"
"$MAKE_JPEG" 64 48 0000ff "$WORK/start/Inbox/p3.jpg"
p1=$(md5sum <"$WORK/start/Inbox/p1.jpg")
start_picsift "$WORK/start"
open_inbox_and_keep

drag $LEFT_LIST_X "$(entry_y 0)" $RIGHT_LIST_X "$(entry_y 2)"
[ -f "$WORK/start/Keep/p1.jpg" ] || fail "p1.jpg was not moved"
[ ! -e "$WORK/start/Inbox/p1.jpg" ] || fail "p1.jpg is still in Inbox"
[ "$(md5sum <"$WORK/start/Keep/p1.jpg")" = "$p1" ] || fail "p1.jpg changed on the way"

drag $LEFT_LIST_X "$(entry_y 0)" $RIGHT_LIST_X "$(entry_y 2)" shift
[ -f "$WORK/start/Keep/p2.jpg" ] || fail "p2.jpg was not copied"
[ -f "$WORK/start/Inbox/p2.jpg" ] || fail "the copied p2.jpg left Inbox"
[ -f "$WORK/start/Inbox/p3.jpg" ] || fail "p3.jpg was touched"
echo "drag between panes: ok"
