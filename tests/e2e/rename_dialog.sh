#!/usr/bin/env bash
# "&Rename" opens the dialog on the current name, wholly selected: typing replaces it, Enter renames.
# The second time the dialog opens the same way.
source "$(dirname "$0")/lib/session.bash" "$@"

mkdir "$WORK/photos"
"$MAKE_JPEG" 64 48 ff0000 "$WORK/photos/a.jpg"
"$MAKE_JPEG" 64 48 00ff00 "$WORK/photos/b.jpg"
a=$(md5sum <"$WORK/photos/a.jpg")
start_picsift "$WORK/photos"

rename_entry() { # rename_entry INDEX NEW_NAME
  move_to $LEFT_LIST_X "$(entry_y "$1")"
  xdotool click 3; sleep 0.5
  xdotool key r
  timeout 10 xdotool search --sync --onlyvisible --name '^Rename$' >/dev/null || fail "no rename dialog"
  sleep 0.3
  xdotool type --delay 20 "$2"
  xdotool key Return; sleep 0.5
}

rename_entry 0 first.jpg
[ -f "$WORK/photos/first.jpg" ] || fail "a.jpg was not renamed to first.jpg"
[ "$(md5sum <"$WORK/photos/first.jpg")" = "$a" ] || fail "the renamed photo changed"
[ ! -e "$WORK/photos/a.jpg" ] || fail "a.jpg is still there"

rename_entry 1 second.jpg
[ -f "$WORK/photos/second.jpg" ] || fail "b.jpg was not renamed on the second showing"
[ "$(ls "$WORK/photos" | wc -l)" = 2 ] || fail "unexpected files: $(ls "$WORK/photos")"
echo "rename dialog: ok"
