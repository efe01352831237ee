# shellcheck shell=bash
# Sourced by the scripts: the desktops the viewer is shown on, headless. Starts
# one (desktop_start: Xvfb alone, openbox or i3 on Xvfb; sway, KWin or mutter,
# with XWayland or, for sway, without), waits for a window, sends keys, takes
# pictures, and stops all it started (desktop_stop; put it in the EXIT trap).
# Every wait is bounded; a failure says "DESKTOP: STEP: what" on standard
# error and returns 1. After desktop_start, DISPLAY names the display X11
# clients use (Xvfb, or the compositor's XWayland), with XAUTHORITY where it
# needs one; sway without XWayland leaves them as they were, and
# desktop_stop puts them back.

desktop=""            # its name, in messages
desktop_work=""       # its scratch folder
desktop_groups=()     # the process groups it started, by their leaders' ids
desktop_screen=""     # the X display that holds the picture of the output (X-based ones)
desktop_user=()       # runs a command as the compositor's user, with its Wayland environment
desktop_wayland_display="" # sway's Wayland display, for WAYLAND_DISPLAY
desktop_keys_pid=""   # the long-lived wtype of desktop_type
desktop_outer=()      # DISPLAY and XAUTHORITY before the desktop: "set VALUE" or "unset"

desktop_fail() {
  echo "${desktop:-desktop}: $1: $2" >&2
  return 1
}

# Runs a command in a process group of its own, in the background, so that
# desktop_stop ends it with everything it started. Output to $desktop_work/NAME.log.
desktop_spawn() {
  local name=$1
  shift
  setsid "$@" >"$desktop_work/$name.log" 2>&1 &
  desktop_groups+=("$!")
}

# The last lines a program logged, to quote in a failure.
desktop_log() { tail -n "${2:-8}" "$desktop_work/$1.log" 2>/dev/null || true; }

# Polls a command for up to LIMIT seconds until it succeeds, and no longer
# than the program started last lives.
desktop_until() {
  local limit=$1 deadline
  shift
  deadline=$((SECONDS + limit))
  until "$@" 2>/dev/null; do
    ((SECONDS < deadline)) || return 1
    kill -0 "${desktop_groups[-1]}" 2>/dev/null || return 1
    sleep 0.1
  done
}

# Xvfb on a free display number, with a 640x480 mode added for full-screen
# switches; sets DISPLAY and desktop_screen.
desktop_xvfb() {
  local displayfile=$desktop_work/xvfb.display pid
  # -displayfd lets the server pick a free display number and tell us which.
  # -noreset keeps the added mode when the last client leaves.
  desktop_spawn xvfb Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp +extension RANDR \
    3>"$displayfile"
  pid=${desktop_groups[-1]}
  desktop_until 10 test -s "$displayfile" ||
    { desktop_fail "Xvfb start" "no display number (in 10 s)"$'\n'"$(desktop_log xvfb)"; return 1; }
  kill -0 "$pid" 2>/dev/null || { desktop_fail "Xvfb start" "$(desktop_log xvfb)"; return 1; }
  desktop_screen=":$(head -n1 "$displayfile")"
  export DISPLAY=$desktop_screen
  if command -v xrandr >/dev/null; then
    xrandr --newmode 640x480 25.175 640 656 752 800 480 490 492 525 -hsync -vsync >/dev/null 2>&1 || true
    xrandr --addmode screen 640x480 >/dev/null 2>&1 || true
  fi
}

# A Wayland compositor's session command: writes the environment it gives
# its clients to a file, then stays until the compositor ends.
desktop_session_script() {
  cat >"$desktop_work/session" <<EOF
#!/bin/sh
env | grep -E '^(DISPLAY|XAUTHORITY|WAYLAND_DISPLAY)=' >"$desktop_work/session.env.new"
mv "$desktop_work/session.env.new" "$desktop_work/session.env"
exec sleep 3600
EOF
  chmod +x "$desktop_work/session"
}

# Takes the environment the session command wrote, waiting up to LIMIT seconds.
desktop_session_env() {
  local line
  desktop_until "$1" test -s "$desktop_work/session.env" || return 1
  while IFS= read -r line; do
    export "${line?}"
  done <"$desktop_work/session.env"
}

# Starts a desktop:
#   xvfb      Xvfb 1024x768 with a 640x480 mode
#   openbox   openbox on that Xvfb
#   i3        i3 on that Xvfb, with a configuration of its own (Debian's binds Alt+Enter)
#   sway [--runtime DIR] [CONFIG-LINE...]
#             sway's headless backend as nobody; the lines are its configuration
#             ("xwayland enable", "output HEADLESS-1 mode 1024x768", ...); DIR,
#             its runtime folder, is made when not given
#   kwin      kwin_wayland 1024x768 with XWayland, nested in an Xvfb that holds its picture
#   mutter    mutter headless with a 1024x768 virtual monitor and XWayland, in its own D-Bus session
desktop_start() {
  local kind=$1 line
  shift
  desktop=$kind
  desktop_outer=("${DISPLAY+set}" "${DISPLAY-}" "${XAUTHORITY+set}" "${XAUTHORITY-}")
  desktop_work=$(mktemp -d)
  chmod 755 "$desktop_work" # a compositor run as nobody reaches its runtime folder within
  case $kind in
    xvfb) desktop=Xvfb; desktop_xvfb ;;
    openbox)
      desktop_xvfb || return 1
      desktop_spawn openbox openbox
      # xprop's answer before openbox names itself is "not found": ask until it holds a window.
      desktop_until 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        { desktop_fail start "no window manager on $DISPLAY in 10 s"$'\n'"$(desktop_log openbox)"; return 1; }
      ;;
    i3)
      desktop_xvfb || return 1
      # No bar, no bindings: Alt+Enter reaches the window, and only i3-msg moves it.
      printf '# i3 config file (v4)\nfont pango:monospace 8\n' >"$desktop_work/i3.config"
      desktop_spawn i3 i3 -c "$desktop_work/i3.config"
      desktop_until 10 i3-msg -t get_version >/dev/null ||
        { desktop_fail start "i3 did not answer i3-msg in 10 s"$'\n'"$(desktop_log i3)"; return 1; }
      ;;
    sway) desktop_sway "$@" ;;
    kwin)
      desktop=KWin
      desktop_xvfb || return 1
      desktop_session_script
      # The installed binary carries a file capability that a container may
      # refuse to run; a copy has none. Qt's platform plugin wants its name.
      mkdir "$desktop_work/bin" "$desktop_work/runtime"
      chmod 700 "$desktop_work/runtime"
      cp /usr/bin/kwin_wayland "$desktop_work/bin/kwin_wayland"
      desktop_spawn kwin env XDG_RUNTIME_DIR="$desktop_work/runtime" QT_QPA_PLATFORM= \
        "$desktop_work/bin/kwin_wayland" --x11-display "$DISPLAY" --xwayland --width 1024 --height 768 \
        --no-lockscreen --no-global-shortcuts --no-kactivities --exit-with-session "$desktop_work/session"
      desktop_session_env 30 ||
        { desktop_fail start "kwin_wayland started no session (in 30 s)"$'\n'"$(desktop_log kwin)"; return 1; }
      ;;
    mutter)
      desktop_session_script
      mkdir "$desktop_work/runtime"
      chmod 700 "$desktop_work/runtime"
      desktop_spawn mutter env XDG_RUNTIME_DIR="$desktop_work/runtime" dbus-run-session -- \
        mutter --headless --wayland --virtual-monitor 1024x768 -- "$desktop_work/session"
      desktop_session_env 30 ||
        { desktop_fail start "mutter started no session (in 30 s)"$'\n'"$(desktop_log mutter)"; return 1; }
      ;;
    *) desktop_fail start "no such desktop"; return 1 ;;
  esac
}

# sway's headless backend, run as nobody (it refuses root), with a runtime
# folder of nobody's own. With XWayland, root's clients are let in to it.
desktop_sway() {
  local runtime="" display=""
  if [[ ${1:-} == --runtime ]]; then
    runtime=$2
    shift 2
  fi
  [[ -n $runtime ]] || runtime=$desktop_work/runtime
  mkdir -p "$runtime"
  rm -f "$runtime/sway.sock" "$runtime/display" # a sway before's: no sign of this one
  printf '%s\n' "$@" "exec printenv DISPLAY >$runtime/display" >"$runtime/config"
  chown nobody:nogroup "$runtime"
  chmod 700 "$runtime"
  # sway makes its IPC socket where SWAYSOCK says, for swaymsg to find.
  desktop_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin HOME="$runtime"
    XDG_RUNTIME_DIR="$runtime" SWAYSOCK="$runtime/sway.sock")
  desktop_spawn sway "${desktop_user[@]}" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$runtime/config"
  desktop_until 10 test -S "$runtime/sway.sock" -a -f "$runtime/display" ||
    { desktop_fail start "sway did not start (in 10 s)"$'\n'"$(desktop_log sway)"; return 1; }
  display=$(cd "$runtime" && compgen -G 'wayland-[0-9]' | head -n1) ||
    { desktop_fail start "sway made no Wayland socket"$'\n'"$(desktop_log sway)"; return 1; }
  desktop_user+=(WAYLAND_DISPLAY="$display")
  desktop_wayland_display=$display
  if grep -qx 'xwayland enable' "$runtime/config"; then
    desktop_until 5 test -s "$runtime/display" ||
      { desktop_fail start "sway named no XWayland display"; return 1; }
    export DISPLAY
    DISPLAY=$(cat "$runtime/display")
    # XWayland lets in only nobody; this first client also starts it.
    timeout 20 "${desktop_user[@]}" DISPLAY="$DISPLAY" xhost +si:localuser:root >/dev/null ||
      { desktop_fail "XWayland start" "xhost could not let root in to $DISPLAY"$'\n'"$(desktop_log sway)"; return 1; }
  fi
}

# Ends the keys, then every process group started, the leaders waited for;
# what outlives 5 s of SIGTERM is killed. Then the scratch folder goes.
desktop_stop() {
  local index pid
  if [[ -n $desktop_keys_pid ]]; then
    { kill "$desktop_keys_pid" && wait "$desktop_keys_pid"; } 2>/dev/null || true
    desktop_keys_pid=""
  fi
  for ((index = ${#desktop_groups[@]} - 1; index >= 0; index--)); do
    pid=${desktop_groups[index]}
    kill -TERM -- "-$pid" 2>/dev/null || true
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL -- "-$pid" 2>/dev/null || true
    # Braced, so that the shell's word on how it ended (a crash on SIGTERM) goes too.
    { wait "$pid"; } 2>/dev/null || true
  done
  desktop_groups=()
  [[ -z $desktop_work ]] || rm -rf --one-file-system "$desktop_work"
  # shellcheck disable=SC2034 # read by the scripts
  desktop_work="" desktop_user=() desktop_wayland_display=""
  if [[ ${#desktop_outer[@]} -eq 4 ]]; then
    if [[ ${desktop_outer[0]} == set ]]; then export DISPLAY=${desktop_outer[1]}; else unset DISPLAY; fi
    if [[ ${desktop_outer[2]} == set ]]; then export XAUTHORITY=${desktop_outer[3]}; else unset XAUTHORITY; fi
  fi
  desktop_outer=()
}

# Polls a command for up to LIMIT seconds until its output matches a
# pattern; fails naming the step and the output last seen.
desktop_await() {
  local step=$1 limit=$2 pattern=$3 seen="" deadline
  shift 3
  deadline=$((SECONDS + limit))
  while :; do
    seen=$("$@" 2>/dev/null || true)
    # shellcheck disable=SC2053 # a pattern on purpose
    [[ $seen == $pattern ]] && return 0
    ((SECONDS < deadline)) || break
    sleep 0.1
  done
  desktop_fail "$step" "after $limit s: '$seen'"
}

# The id of the X window titled NAME on DISPLAY, waited for up to LIMIT seconds (default 20).
desktop_x_window() {
  local window
  window=$(timeout "${2:-20}" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
  [[ -n $window ]] || { desktop_fail "window" "no window titled $1 appeared on $DISPLAY in ${2:-20} s"; return 1; }
  echo "$window"
}

# An X window's size and place on the output, as WxH+X+Y.
desktop_x_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
    /^ *Width:/ {w = $2} /^ *Height:/ {h = $2} END {if (w == "") exit 1; print w "x" h "+" x "+" y}'
}

# Holds keys on DISPLAY a while, long enough for frames sampled every ~20 ms
# to see them: desktop_hold alt Return, desktop_hold Escape.
desktop_hold() {
  local keys=("$@") reversed=() index
  for ((index = ${#keys[@]} - 1; index >= 0; index--)); do reversed+=("${keys[index]}"); done
  xdotool keydown "${keys[@]}" && sleep 0.3 && xdotool keyup "${reversed[@]}"
}

# Types on sway's Wayland display through one long-lived wtype run with the
# arguments given (-s pauses between them): a virtual keyboard that types at
# once loses its first keys while the client takes it up.
desktop_type() {
  "${desktop_user[@]}" wtype "$@" &
  desktop_keys_pid=$!
}

# sway's view of the window titled NAME: "TYPE WxH X,Y APP-ID FULLSCREEN-MODE".
desktop_sway_window() {
  "${desktop_user[@]}" swaymsg -t get_tree | jq -r --arg name "$1" \
    'first(.. | objects | select(.name? == $name and .pid? != null)) |
      "\(.type) \(.window_rect.width)x\(.window_rect.height) \(.rect.x + .window_rect.x),\(.rect.y + .window_rect.y) \(.app_id) \(.fullscreen_mode)"'
}

# The picture of the output, or of the part of it given as WxH+X+Y, to FILE
# (its kind by its name: .png, .ppm).
desktop_picture() {
  local file=$1 geometry=${2:-}
  case $desktop in
    sway)
      local region=()
      [[ -z $geometry ]] || region=(-g "$(echo "$geometry" | sed -E 's/^([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+)$/\3,\4 \1x\2/')")
      "${desktop_user[@]}" grim "${region[@]}" -t ppm - >"$file.ppm" ||
        { rm -f "$file.ppm"; desktop_fail picture "grim took none"; return 1; }
      if [[ $file == *.ppm ]]; then mv "$file.ppm" "$file"; else convert "$file.ppm" "$file" && rm -f "$file.ppm"; fi
      ;;
    mutter) desktop_fail picture "mutter alone lends no picture of its output"; return 1 ;;
    *)
      local crop=()
      [[ -z $geometry ]] || crop=(-crop "$geometry" +repage)
      import -display "$desktop_screen" -window root "${crop[@]}" "$file" ||
        { desktop_fail picture "import took none of $desktop_screen"; return 1; }
      ;;
  esac
}

# The box around a picture's lit pixels (any channel above 2 %), as WxH+X+Y;
# 0x0+0+0 for a black one. A black border makes black the colour trimmed.
desktop_lit_box() {
  local box
  box=$(convert "$1" -colorspace gray -threshold 2% -bordercolor black -border 1 -format '%@' info: 2>/dev/null) || return 1
  echo "$box" | awk -F'[x+]' '{ if ($1 + 0 <= 1 && $2 + 0 <= 1) print "0x0+0+0"; else printf "%dx%d+%d+%d\n", $1, $2, $3 - 1, $4 - 1 }'
}

# Whether a lit BOX is REFERENCE's (the lit box of the picture at 640x480)
# with that picture filling an area of WxH at 4:3: as large as fits, centred,
# each edge of the box within 3 % of the picture's width. Prints the box
# expected. Nothing lit beyond it, so the rest of the area is black.
desktop_fits() {
  awk -v area="$1" -v reference="$2" -v box="$3" 'BEGIN {
    split(area, a, "[x+]"); split(reference, r, "[x+]"); split(box, b, "[x+]")
    s = a[1] / 640 < a[2] / 480 ? a[1] / 640 : a[2] / 480
    x = (a[1] - 640 * s) / 2 + r[3] * s; y = (a[2] - 480 * s) / 2 + r[4] * s
    w = r[1] * s; h = r[2] * s; tolerance = 0.03 * 640 * s
    printf "%dx%d+%d+%d\n", w + 0.5, h + 0.5, x + 0.5, y + 0.5
    d[1] = b[3] - x; d[2] = b[4] - y; d[3] = b[3] + b[1] - x - w; d[4] = b[4] + b[2] - y - h
    for (i = 1; i <= 4; i++) if (d[i] > tolerance || d[i] < -tolerance) exit 1
  }'
}

# Waits up to 10 s for the picture of a part of the output (WxH+X+Y) to show
# REFERENCE's picture filling it at 4:3 (desktop_fits): a window may take
# some frames to draw at a new size. The area is the picture's own size, in
# the output's pixels at any scale. A failing picture is kept in /tmp.
desktop_await_fill() {
  local step=$1 geometry=$2 reference=$3 picture size box="" expected="" deadline=$((SECONDS + 10))
  picture=$desktop_work/fill.png
  while :; do
    desktop_picture "$picture" "$geometry" || return 1
    size=$(identify -format '%wx%h' "$picture")
    box=$(desktop_lit_box "$picture")
    expected=$(desktop_fits "$size" "$reference" "$box") && return 0
    ((SECONDS < deadline)) || break
    sleep 0.3
  done
  cp "$picture" "/tmp/desktop-$desktop.png"
  desktop_fail "$step" "the picture does not fill its $size at 4:3: its lit box is $box, not about $expected \
(the picture: /tmp/desktop-$desktop.png)"
}
