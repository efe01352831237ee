#!/usr/bin/env bash
# Runs the Release build's viewer (build/app/viewer) on the shipped model in
# assets/ under the desktops people use, each started headless by
# tools/desktop.sh, and checks:
#  - plain Xvfb: the reference; its progress text, and the box around the lit
#    pixels of its 640x480 picture;
#  - openbox on Xvfb, a stacking window manager: a framed 640x480 window;
#    Alt+Enter changes the display to its 640x480 mode, which the picture
#    fills, and Alt+Enter again brings the desktop's mode and the window back;
#  - i3 on Xvfb: the window floats at 640x480; tiled (i3-msg floating
#    disable), the picture fills the tile at 4:3;
#  - sway and KWin, the viewer an X11 client of their XWayland: a 640x480
#    window; Alt+Enter fills the 1024x768 output at 4:3; Alt+Enter again
#    brings the 640x480 window back;
#  - mutter, through its XWayland: a 640x480 window; Alt+Enter makes it
#    full screen and a second one brings it back (mutter alone takes no
#    picture of its output);
#  - everywhere: Escape gives status 0, the progress text is Xvfb's byte for
#    byte and standard error is empty.
# "The picture fills an area at 4:3" (desktop_fits): the box around the lit
# pixels of the picture of that area is the reference's, scaled by the 4:3
# rectangle that fits the area (as large as fits, centred) and moved into
# it, each edge within 3 % of the rectangle's width. Nothing lit outside
# that box, so the rest is black; a 640x480 picture in a corner of a larger
# area misses it by far.
# Quiet while all goes well but for one line a desktop; exits non-zero when a
# check fails, naming the desktop and the step.
# shellcheck disable=SC2317 # the checks are called by name, from the loop at the end
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/quietly.sh
source tools/quietly.sh
# shellcheck source=tools/desktop.sh
source tools/desktop.sh

tools/ensure-packages.sh --list tools/packages.txt --list tools/packages-test.txt --list tools/packages-desktops.txt ||
  { echo "desktops: install: the packages of tools/packages-desktops.txt could not be installed" >&2; exit 1; }
quietly cmake --preset release
quietly cmake --build --preset release --target viewer -j"$(nproc)"

viewer=$PWD/build/app/viewer
work=$(mktemp -d)
viewer_pid=""
leave() {
  [[ -z $viewer_pid ]] || { kill -KILL "$viewer_pid" && wait "$viewer_pid"; } 2>/dev/null || true
  desktop_stop
  rm -rf "$work"
}
trap leave EXIT
trap 'exit 1' INT TERM HUP

# Mesa, finding no GPU, would tell on standard error of the drivers it tried.
export LIBGL_ALWAYS_SOFTWARE=1

start_viewer() {
  (cd assets && exec "$viewer" >"$work/$desktop.out" 2>"$work/$desktop.err") &
  viewer_pid=$!
}

# Escape, held, ends the viewer with status 0, its progress text the
# reference's and nothing on standard error.
end_viewer() {
  local ended=0
  desktop_hold Escape || true
  if ! timeout 15 tail --pid="$viewer_pid" -f /dev/null; then
    kill -KILL "$viewer_pid" 2>/dev/null || true
    desktop_fail Escape "the viewer did not end in 15 s"
    ended=1
  fi
  wait "$viewer_pid" || ended=$?
  viewer_pid=""
  [[ $ended -eq 0 ]] || { desktop_fail Escape "the viewer ended with status $ended, not 0"; return 1; }
  if [[ -f $work/Xvfb.out ]] && ! cmp -s "$work/Xvfb.out" "$work/$desktop.out"; then
    desktop_fail "progress text" "not Xvfb's:"$'\n'"$(diff "$work/Xvfb.out" "$work/$desktop.out" | head -n 10)"
    return 1
  fi
  [[ ! -s $work/$desktop.err ]] || { desktop_fail "standard error" "$(head -n 10 "$work/$desktop.err")"; return 1; }
}

# The viewer ended at once where a step failed.
stop_viewer() {
  [[ -n $viewer_pid ]] || return 0
  kill -KILL "$viewer_pid" 2>/dev/null || true
  wait "$viewer_pid" 2>/dev/null || true
  viewer_pid=""
}

# The reference: plain Xvfb, the 640x480 window's lit box once two pictures
# a while apart agree (the model loaded and drawn), and the progress text.
check_xvfb() {
  local window geometry box="" previous="x" deadline
  desktop_start xvfb || return 1
  start_viewer
  window=$(desktop_x_window viewer) || return 1
  geometry=$(desktop_x_geometry "$window")
  [[ $geometry == 640x480+* ]] || { desktop_fail window "it is $geometry, not 640x480"; return 1; }
  deadline=$((SECONDS + 10))
  until [[ $box == "$previous" && $box != 0x0+0+0 ]]; do
    ((SECONDS < deadline)) || { desktop_fail picture "no steady lit picture in 10 s: $box"; return 1; }
    sleep 0.3
    previous=$box
    desktop_picture "$work/picture.png" "$geometry" || return 1
    box=$(desktop_lit_box "$work/picture.png")
  done
  reference=$box
  end_viewer
}

check_openbox() {
  local window
  desktop_start openbox || return 1
  start_viewer
  window=$(desktop_x_window viewer) || return 1
  openbox_state() {
    echo "$(desktop_x_geometry "$window") $(xrandr --current | sed -n 's/.* current \([0-9]*\) x \([0-9]*\),.*/\1x\2/p')"
  }
  desktop_await "a 640x480 window" 20 "640x480+* 1024x768" openbox_state || return 1
  desktop_await_fill "the framed window" "$(desktop_x_geometry "$window")" "$reference" || return 1
  desktop_hold alt Return
  desktop_await "Alt+Enter" 10 "640x480+0+0 640x480" openbox_state || return 1
  desktop_await_fill "Alt+Enter" 640x480+0+0 "$reference" || return 1
  desktop_hold alt Return
  desktop_await "a second Alt+Enter" 10 "640x480+* 1024x768" openbox_state || return 1
  end_viewer
}

check_i3() {
  local window geometry
  desktop_start i3 || return 1
  start_viewer
  window=$(desktop_x_window viewer) || return 1
  # i3 floats a window of fixed size by itself.
  i3_window() {
    i3-msg -t get_tree | jq -r --argjson id "$window" 'first(.. | objects | select(.window? == $id)) |
      "\(.floating) \(.window_rect.width)x\(.window_rect.height)"'
  }
  desktop_await "floating at 640x480" 10 '*_on 640x480' i3_window || return 1
  desktop_await_fill "the floating window" "$(desktop_x_geometry "$window")" "$reference" || return 1
  i3-msg "[id=$window] floating disable" >/dev/null
  desktop_await "tiled" 10 '*_off *' i3_window || return 1
  # A 640x480 tile could not tell a corner picture from a whole one.
  desktop_await "tiled" 10 '!(640x480+*)' desktop_x_geometry "$window" || return 1
  geometry=$(desktop_x_geometry "$window")
  desktop_await_fill "the tiled window" "$geometry" "$reference" || return 1
  end_viewer
}

# sway and KWin: Alt+Enter gives the window the whole output, which the
# picture fills; a second Alt+Enter brings the 640x480 window back.
# STATE prints the window's state as "WxH+X+Y" and more.
check_full_screen_fill() {
  local state=$1
  desktop_await "a 640x480 window" 20 "640x480+*" "$state" || return 1
  desktop_await_fill "the 640x480 window" "$($state | cut -d' ' -f1)" "$reference" || return 1
  desktop_hold alt Return
  desktop_await "Alt+Enter" 10 "1024x768+0+0*" "$state" || return 1
  desktop_await_fill "Alt+Enter" 1024x768+0+0 "$reference" || return 1
  desktop_hold alt Return
  desktop_await "a second Alt+Enter" 10 "640x480+*" "$state" || return 1
}

check_sway() {
  desktop_start sway 'xwayland enable' 'output HEADLESS-1 mode 1024x768' || return 1
  start_viewer
  desktop_x_window viewer >/dev/null || return 1
  sway_state() {
    desktop_sway_window viewer | awk '{ split($3, p, ","); print $2 "+" p[1] "+" p[2] " " $1 " fullscreen=" $5 }'
  }
  check_full_screen_fill sway_state || return 1
  desktop_await "a second Alt+Enter" 5 "640x480+* floating_con fullscreen=0" sway_state || return 1
  end_viewer
}

check_kwin() {
  local window
  desktop_start kwin || return 1
  start_viewer
  window=$(desktop_x_window viewer) || return 1
  kwin_state() { desktop_x_geometry "$window"; }
  check_full_screen_fill kwin_state || return 1
  end_viewer
}

check_mutter() {
  local window
  desktop_start mutter || return 1
  start_viewer
  window=$(desktop_x_window viewer) || return 1
  mutter_state() {
    local state
    state=$(xprop -id "$window" _NET_WM_STATE)
    echo "$(desktop_x_geometry "$window") $([[ $state == *_NET_WM_STATE_FULLSCREEN* ]] && echo full-screen || echo windowed)"
  }
  desktop_await "a 640x480 window" 20 "640x480+* windowed" mutter_state || return 1
  desktop_hold alt Return
  desktop_await "Alt+Enter" 10 "* full-screen" mutter_state || return 1
  desktop_hold alt Return
  desktop_await "a second Alt+Enter" 10 "640x480+* windowed" mutter_state || return 1
  end_viewer
}

status=0
reference=""
for check in xvfb openbox i3 sway kwin mutter; do
  start=$SECONDS
  if "check_$check"; then
    echo "$desktop: $((SECONDS - start)) s"
  else
    status=1
    [[ -n $reference ]] || { echo "no reference picture under Xvfb: the other desktops are not checked" >&2; break; }
  fi
  stop_viewer
  desktop_stop
done
exit "$status"
