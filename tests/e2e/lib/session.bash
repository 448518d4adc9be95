# Shared by the end-to-end scripts: runs picsift in a real X server and drives it like a user.
# Usage in a script:  source "$(dirname "$0")/lib/session.bash" "$@"
# then PICSIFT, MAKE_JPEG, WORK (a scratch folder, removed at exit) are set.
set -euo pipefail
if [ -z "${IN_XVFB:-}" ]; then
  exec env IN_XVFB=1 xvfb-run -a -s '-screen 0 1280x1024x24' bash "$0" "$@"
fi
PICSIFT=$(realpath "$1")
MAKE_JPEG=$(realpath "$2")
WORK=$(mktemp -d /tmp/picsift-e2e-XXXXXX)
export XDG_DATA_HOME="$WORK/data"   # the trash of this run, never the user's
export QT_QPA_PLATFORM=xcb
PICSIFT_PID=""
cleanup() {
  [ -n "$PICSIFT_PID" ] && kill "$PICSIFT_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$WORK/picsift.log" ] && cat "$WORK/picsift.log" >&2
  exit 1
}

# start_picsift DIR: starts picsift in DIR (both panes open there) and waits for its window.
start_picsift() {
  (cd "$1" && exec "$PICSIFT" >"$WORK/picsift.log" 2>&1) &
  PICSIFT_PID=$!
  WID=$(timeout 15 xdotool search --sync --onlyvisible --name '^Form1$' | head -1) || fail "no main window"
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  WIN_X=$X
  WIN_Y=$Y
  sleep 0.5
}

# Pointer actions at coordinates inside the main window.
move_to() { xdotool mousemove $((WIN_X + $1)) $((WIN_Y + $2)); sleep 0.2; }

# pixel X Y: the colour at screen coordinates as rrggbb.
pixel() {
  import -window root -depth 8 "$WORK/shot.png"
  /usr/bin/convert "$WORK/shot.png" -format "%[hex:p{$1,$2}]" info: | tr 'A-F' 'a-f' | cut -c1-6
}

# window_pixel X Y: the colour at coordinates inside the main window.
window_pixel() { pixel $((WIN_X + $1)) $((WIN_Y + $2)); }

# Coordinates of the panes inside the main window: entry I of the left or right list, and the preview box.
LEFT_LIST_X=$((216 + 8 + 30))
RIGHT_LIST_X=$((424 + 8 + 30))
entry_y() { echo $((8 + 104 + 2 + $1 * 20 + 10)); }
PREVIEW_TOP=$((8 + 248))
LEFT_PREVIEW_LEFT=$((216 + 8))
RIGHT_PREVIEW_LEFT=$((424 + 8))

# close_to RRGGBB RRGGBB: true when every channel differs by 16 or less (JPEG colours are near, not exact).
close_to() {
  local a=$1 b=$2 i
  for i in 0 2 4; do
    local d=$((16#${a:$i:2} - 16#${b:$i:2}))
    [ ${d#-} -le 16 ] || return 1
  done
}

# drag FROM_X FROM_Y TO_X TO_Y [shift]: press, move in steps and release, inside the main window.
drag() {
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

# focus_dirs PANE_LEFT: clicks the first row of a pane's directory list, so that keys reach it.
focus_dirs() { xdotool mousemove $((WIN_X + $1 + 8 + 40)) $((WIN_Y + 8 + 32 + 10)) click 1; sleep 0.2; }

# open_inbox_and_keep: the left pane opens Inbox and the right one Keep, the only subfolders of the start
# folder (the last two rows of each directory list).
open_inbox_and_keep() {
  focus_dirs 216; xdotool key End Up Return; sleep 0.5
  focus_dirs 424; xdotool key End Return; sleep 0.5
}

