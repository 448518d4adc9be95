#!/usr/bin/env bash
# "&Delete" from the right-click menu puts the file in the trash, from where trash-restore brings it
# back unchanged.
source "$(dirname "$0")/lib/session.bash" "$@"

mkdir "$WORK/photos"
"$MAKE_JPEG" 64 48 ff0000 "$WORK/photos/a.jpg"
"$MAKE_JPEG" 64 48 00ff00 "$WORK/photos/b.jpg"
"$MAKE_JPEG" 64 48 0000ff "$WORK/photos/c.jpg"
b=$(md5sum <"$WORK/photos/b.jpg")
start_picsift "$WORK/photos"

move_to $LEFT_LIST_X "$(entry_y 0)"
move_to $LEFT_LIST_X "$(entry_y 1)"
xdotool click 3; sleep 0.5
xdotool key d; sleep 0.5

[ ! -e "$WORK/photos/b.jpg" ] || fail "b.jpg is still in its folder"
[ -f "$WORK/photos/a.jpg" ] && [ -f "$WORK/photos/c.jpg" ] || fail "another photo went too"
[ -f "$XDG_DATA_HOME/Trash/files/b.jpg" ] || fail "b.jpg is not in the trash"
trash-list | grep -qF "$WORK/photos/b.jpg" || fail "trash-list does not show b.jpg"

# The preview moved to the entry before it: a.jpg, red.
close_to "$(window_pixel $((LEFT_PREVIEW_LEFT + 92)) $((PREVIEW_TOP + 69)))" ff0000 || fail "the preview does not show a.jpg"

echo 0 | trash-restore "$WORK/photos/b.jpg" >/dev/null || fail "trash-restore failed"
[ "$(md5sum <"$WORK/photos/b.jpg")" = "$b" ] || fail "b.jpg came back changed"
echo "delete to trash: ok"
