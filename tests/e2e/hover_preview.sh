#!/usr/bin/env bash
# Hovering over a name shows its picture in the pane's preview, fitted to the box's width or height.
source "$(dirname "$0")/lib/session.bash" "$@"

mkdir "$WORK/photos"
"$MAKE_JPEG" 640 480 ff0000 "$WORK/photos/a_red.jpg"
"$MAKE_JPEG" 480 640 0000ff "$WORK/photos/b_blue.JPG"
start_picsift "$WORK/photos"

# Landscape: 184 x 138 at the box's top-left corner.
move_to $LEFT_LIST_X "$(entry_y 1)"
move_to $LEFT_LIST_X "$(entry_y 0)"
close_to "$(window_pixel $((LEFT_PREVIEW_LEFT + 92)) $((PREVIEW_TOP + 69)))" ff0000 || fail "no red preview"
close_to "$(window_pixel $((LEFT_PREVIEW_LEFT + 92)) $((PREVIEW_TOP + 134)))" ff0000 || fail "red preview lower than 134"
close_to "$(window_pixel $((LEFT_PREVIEW_LEFT + 92)) $((PREVIEW_TOP + 142)))" ff0000 && fail "landscape preview is higher than 138"

# Portrait: 144 x 192; right of it the panel shows.
move_to $LEFT_LIST_X "$(entry_y 1)"
close_to "$(window_pixel $((LEFT_PREVIEW_LEFT + 140)) $((PREVIEW_TOP + 188)))" 0000ff || fail "no blue preview"
close_to "$(window_pixel $((LEFT_PREVIEW_LEFT + 148)) $((PREVIEW_TOP + 188)))" 0000ff && fail "portrait preview is wider than 144"

# The other pane shows nothing.
close_to "$(window_pixel $((RIGHT_PREVIEW_LEFT + 92)) $((PREVIEW_TOP + 69)))" ff0000 && fail "the right pane shows a picture"
echo "hover preview: ok"
