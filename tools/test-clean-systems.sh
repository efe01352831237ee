#!/usr/bin/env bash
# Installs the Debian package of dist/ (tools/package.sh makes it) on minimal
# Debian systems, as a person would, and shows it there:
#  - Debian 12 (bookworm), 13 (trixie) and testing (forky), each made once
#    with debootstrap's minbase variant from the mirror of this machine's own
#    apt sources and kept in the cache folder below;
#  - in each, on a fresh overlay of it: `apt-get install ./PACKAGE.deb`,
#    Recommends included; then the installed program, /usr/bin/model-viewer,
#    started in its sample folder on the host's Xvfb: the e2e tests of the
#    sample model (the progress text byte for byte as the build here writes
#    it, the ship lit, Left turning it, Escape giving 0), and its X11 class
#    checked against the desktop entry's StartupWMClass; then
#    `apt-get purge`, leaving none of its files;
#  - where libsdl2 is sdl2-compat over SDL3, also natively on Wayland, under
#    sway's headless backend run as nobody: a floating 640 x 480 window titled
#    viewer with the entry's class as its app id, Left turning the model, a
#    close request ignored, Alt+Enter filling the output and coming back,
#    Escape giving 0 with the same progress text and nothing on standard
#    error; and again at output scale 2: a window of 640 x 480 in sway's
#    logical units (not sdl2-compat's own 320 x 240), the picture whole.
# The base systems are kept in ${XDG_CACHE_HOME:-$HOME/.cache}/model-viewer/
# with the packages apt fetched for each, so only a fresh machine runs
# debootstrap (up to a minute each). Nothing else on the machine changes:
# every mount is undone and every process ended on the way out. Runs as
# root (chroot, mounts), through sudo when started as another user. Quiet
# while all goes well but for one line a system; exits non-zero when a check
# or a step fails, naming the system and the step.
#
#   [DEBIAN_MIRROR=URL] tools/test-clean-systems.sh [SUITE...]
# checks bookworm, trixie and forky when no suite is named; DEBIAN_MIRROR
# stands in for the mirror of the apt sources when a base is made.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/quietly.sh
source tools/quietly.sh
# shellcheck source=tools/desktop.sh
source tools/desktop.sh

# HOME may be unset where nobody logged in (a CI job): the account's own then.
home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
cache=${XDG_CACHE_HOME:-$home/.cache}/model-viewer/debian

if [[ ${1:-} != --under-xvfb ]]; then
  tools/ensure-packages.sh debootstrap sway wtype grim jq x11-utils xdotool imagemagick
  quietly cmake --preset release
  quietly cmake --build --preset release --target viewer viewer_e2e_tests -j"$(nproc)"
  # chroot and mounts need root: sudo when not root (the cache is then root's).
  sudo=()
  [[ $(id -u) -eq 0 ]] || sudo=(sudo)
  exec "${sudo[@]}" tools/with-xvfb.sh "$0" --under-xvfb "$@"
fi
shift
suites=("$@")
[[ ${#suites[@]} -gt 0 ]] || suites=(bookworm trixie forky)

# Under Xvfb from here on.
# shellcheck source=packaging/viewer-build.env.in
source build/viewer-build.env
deb=$PWD/dist/$deb_file
[[ -f $deb ]] || { echo "$0: no $deb: tools/package.sh makes it" >&2; exit 2; }
sample=/usr/share/$package/sample

status=0
fail() {
  echo "FAIL: $system: $*" >&2
  status=1
}

# The first mirror of this machine's own apt sources for its own release,
# in deb822 (.sources) or one-line (.list) form.
host_mirror() {
  local codename files
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  shopt -s nullglob
  files=(/etc/apt/sources.list.d/*.sources)
  if [[ ${#files[@]} -gt 0 ]]; then
    awk -v suite="$codename" 'BEGIN { RS = "" }
      {
        types = uris = suites = ""; enabled = "yes"
        n = split($0, lines, "\n")
        for (i = 1; i <= n; i++) {
          if (lines[i] ~ /^Types:/) types = " " substr(lines[i], 7) " "
          if (lines[i] ~ /^URIs:/) uris = substr(lines[i], 6)
          if (lines[i] ~ /^Suites:/) suites = " " substr(lines[i], 8) " "
          if (lines[i] ~ /^Enabled: *no/) enabled = "no"
        }
        split(uris, uri, " ")
        if (enabled == "yes" && types ~ / deb / && suites ~ " " suite " " && uri[1] ~ /^https?:/) print uri[1]
      }' "${files[@]}"
  fi
  files=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list)
  if [[ ${#files[@]} -gt 0 ]]; then
    sed 's/\[[^]]*\]//' "${files[@]}" 2>/dev/null |
      awk -v suite="$codename" '$1 == "deb" && $3 == suite && $2 ~ /^https?:/ {print $2}'
  fi
  shopt -u nullglob
}
mirror=${DEBIAN_MIRROR:-$(host_mirror | head -n1)}

# One step of a system's check: the command under a time limit, its output
# kept, and on failure the step named with the end of that output.
step() {
  local what=$1 limit=$2
  shift 2
  local log=$logs/step
  # In the background, so that a signal to end is acted on at once; the
  # way out ends it.
  timeout --kill-after=10 "$limit" "$@" >"$log" 2>&1 &
  step_pid=$!
  if ! wait "$step_pid"; then
    step_pid=""
    # The end of the output, after the viewer's own words where a test
    # quoted them: why it opened no window, for instance.
    fail "$what failed:"$'\n'"$(grep -m 3 'stderr: ' "$log"; tail -n 15 "$log")"
    return 1
  fi
  step_pid=""
}

# The pristine base system of a suite, made once; a failed or cut-short
# debootstrap leaves nothing that counts as made.
base_system() {
  local suite=$1 base=$cache/$1/root script=()
  [[ -x $base/usr/bin/apt-get ]] && return 0
  [[ -n $mirror ]] || { fail "no Debian mirror in this machine's apt sources to make the system from"; return 1; }
  # debootstrap has no script of testing's own name: its sid script fits.
  [[ -e /usr/share/debootstrap/scripts/$suite ]] || script=(/usr/share/debootstrap/scripts/sid)
  rm -rf --one-file-system "$base" "$base.new"
  mkdir -p "$cache/$suite"
  step "debootstrap --variant=minbase $suite from $mirror" 600 \
    debootstrap --variant=minbase "$suite" "$base.new" "$mirror" "${script[@]}" || return 1
  mv "$base.new" "$base"
}

# The step and the viewer ended by their ids, and the desktop with its keys
# (tools/desktop.sh), then the processes still running in the system and
# everything mounted below its root.
# Each command may fail (a process gone already) without ending the rest.
leave_system() {
  local pid
  for pid in ${step_pid:-} ${viewer_pid:-}; do
    { kill "$pid" && wait "$pid"; } 2>/dev/null || true
  done
  step_pid="" viewer_pid=""
  desktop_stop
  [[ -n ${run:-} && -d $run ]] || return 0
  for pid in /proc/[0-9]*; do
    if [[ $(readlink "$pid/root" 2>/dev/null) == "$run/root" ]]; then
      kill -KILL "${pid#/proc/}" 2>/dev/null || true
    fi
  done
  for folder in "$run/root" "$run/changes"; do
    if mountpoint -q "$folder"; then
      umount -R "$folder" 2>/dev/null || umount -R -l "$folder" || true
    fi
  done
  rm -rf --one-file-system "$run" || true
  run=""
}
logs=$(mktemp -d)
trap 'leave_system; rm -rf "$logs"' EXIT
trap 'exit 1' INT TERM HUP

# The system of a suite as a fresh overlay on its base, with the host's
# devices, X server socket and name service, and the suite's apt archive
# kept between runs.
enter_system() {
  local suite=$1 root
  run=$(mktemp -d)
  root=$run/root
  # What the run changes is kept in memory: it is thrown away at the end.
  mkdir -p "$run"/{changes,root,scratch,runtime} "$cache/$suite/archives/partial"
  mount -t tmpfs -o mode=755 tmpfs "$run/changes"
  mkdir "$run"/changes/{upper,work}
  mount -t overlay overlay -o "lowerdir=$cache/$suite/root,upperdir=$run/changes/upper,workdir=$run/changes/work" "$root"
  mount -t proc proc "$root/proc"
  mount --rbind /dev "$root/dev"
  mount --make-rslave "$root/dev"
  mount --bind "$cache/$suite/archives" "$root/var/cache/apt/archives"
  # Same paths inside as outside: the X socket, the tests' scratch folders,
  # a runtime folder as a session has, and this tree (the tests' data) read-only.
  for folder in /tmp/.X11-unix "$run/scratch" "$run/runtime" "$PWD"; do
    mkdir -p "$root$folder"
    mount --bind "$folder" "$root$folder"
  done
  mount -o remount,bind,ro "$root$PWD"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  cp "$deb" "$root/tmp/"
  # The installed program as the e2e tests' viewer: started in the system,
  # in the folder the test starts it in.
  cat >"$run/in-system" <<EOF
#!/bin/sh
folder=\$PWD
case \$folder in "$root"/*) folder=\${folder#"$root"} ;; esac
exec chroot "$root" /usr/bin/env -C "\$folder" XDG_RUNTIME_DIR="$run/runtime" /usr/bin/$package
EOF
  chmod +x "$run/in-system"
  in_system=(chroot "$root" env DEBIAN_FRONTEND=noninteractive)
}

# The desktop entry's StartupWMClass, as installed.
entry_class() {
  sed -n 's/^StartupWMClass=//p' "$run/root/usr/share/applications/$package.desktop"
}

# On the host's X server: the e2e tests of the sample model, and the
# window's class, read while it shows the sample. Its progress text is kept
# in $run/progress for the Wayland run to compare.
check_on_x11() {
  step "the e2e tests of the sample model on X11" 300 env VIEWER_COMMAND="$run/in-system" \
    VIEWER_SAMPLE_DIRECTORY="$run/root$sample" TMPDIR="$run/scratch" build/tests/e2e/viewer_e2e_tests \
    --gtest_filter='SampleModelInTheViewer.*:AnotherBuild.*' || return 1
  (cd "$run/root$sample" && exec "$run/in-system") >"$run/progress" 2>"$run/errors" &
  local pid=$! window class ended=0
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^viewer$' 2>/dev/null | head -n1) || true
  if [[ -n $window ]]; then
    class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\(.*\)"$/\1/p')
    [[ $class == "$(entry_class)" ]] ||
      fail "the window's X11 class is '$class', the desktop entry's StartupWMClass '$(entry_class)'"
  else
    fail "no window of the viewer on X11:"$'\n'"$(cat "$run/errors")"
  fi
  sleep 1 # loaded, and some frames drawn
  kill -TERM "$pid"
  wait "$pid" || ended=$?
  [[ $ended -eq 143 ]] || fail "SIGTERM ended the viewer on X11 with status $ended, not 143"
}

# sway's headless backend (tools/desktop.sh runs it as nobody) with a
# runtime folder of its own, bound into the system, and CONFIG lines besides
# 'xwayland disable'; then the installed program started in the system with
# that folder and without DISPLAY, so SDL can only take Wayland, its output
# to NAME-progress and NAME-errors in the run's folder.
start_on_sway() {
  local name=$1 runtime=$run/$1
  shift
  # nobody reaches its runtime folder through the run's.
  chmod 755 "$run"
  mkdir -p "$runtime" "$run/root$runtime"
  mount --bind "$runtime" "$run/root$runtime"
  desktop_start sway --runtime "$runtime" 'xwayland disable' "$@" 2>"$logs/desktop" ||
    { fail "on Wayland, $(cat "$logs/desktop")"; return 1; }
  # Mesa, finding no GPU, would tell on standard error of the hardware
  # drivers it tried; it is told to take its software renderer at once.
  chroot "$run/root" env -i PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$desktop_wayland_display" \
    LIBGL_ALWAYS_SOFTWARE=1 env -C "$sample" "/usr/bin/$package" >"$run/$name-progress" 2>"$run/$name-errors" &
  viewer_pid=$!
}

# Waits up to ten seconds for the viewer's window, as sway tells it (type,
# size and place in its logical units, app id, full-screen mode), to be as
# the pattern says.
await_window() {
  local message
  message=$(desktop_await "$2" 10 "$1" desktop_sway_window viewer 2>&1) && return 0
  fail "on Wayland, $message (type size place app-id full-screen)"
  return 1
}

# Escape (typed by desktop_type) ends the viewer with status 0, its progress
# text X11's and nothing on standard error.
end_on_sway() {
  local name=$1 viewer_status=0
  timeout 15 tail --pid="$viewer_pid" -f /dev/null || fail "on Wayland, Escape did not end the viewer"
  kill -KILL "$viewer_pid" 2>/dev/null || true
  { wait "$viewer_pid"; } 2>/dev/null || viewer_status=$?
  viewer_pid=""
  [[ $viewer_status -eq 0 ]] || fail "on Wayland, the viewer ended with status $viewer_status, not 0"
  # X11's run, when it got that far, was held to the build here's text.
  if [[ -f $run/progress ]] && ! cmp -s "$run/progress" "$run/$name-progress"; then
    fail "on Wayland, the progress text differs from X11's"
  fi
  [[ ! -s $run/$name-errors ]] || fail "on Wayland, standard error says:"$'\n'"$(cat "$run/$name-errors")"
}

# The viewer ended at once where there is no window to type into.
stop_on_sway() {
  kill -KILL "$viewer_pid" 2>/dev/null
  { wait "$viewer_pid"; } 2>/dev/null
  viewer_pid=""
}

# At sway's default scale: a floating 640 x 480 window titled viewer with
# the entry's class as its app id, the ship lit, Left turning it, a close
# request ignored, Alt+Enter filling the output and coming back. Keys come
# from one long-lived wtype, each held a while: the viewer reads which keys
# are down once a frame. The picture of the window is kept in $run/before.ppm
# for the run at scale 2.
check_on_wayland() {
  local output geometry
  start_on_sway wayland || return 1
  output=$("${desktop_user[@]}" swaymsg -t get_outputs | jq -r '.[0].rect | "\(.width)x\(.height)"')
  # The bytes of a picture of the window, without the header.
  picture() { desktop_picture "$1.ppm" "$geometry" && tail -c +16 "$1.ppm" >"$1"; }
  differing() { cmp -l "$1" "$2" | wc -l; }

  if ! await_window "floating_con 640x480 * $(entry_class) *" "no floating 640x480 window with app id $(entry_class)"; then
    stop_on_sway
    return 1
  fi
  geometry=$(desktop_sway_window viewer | awk '{ split($3, p, ","); print $2 "+" p[1] "+" p[2] }')
  sleep 1
  picture "$run/before"
  # A ship lit: some 5 % of the bytes not black.
  (($(tr -d '\0' <"$run/before" | wc -c) > $(wc -c <"$run/before") / 20)) || fail "on Wayland, the ship is not shown lit"
  desktop_type -s 2000 -P Left -s 700 -p Left -s 3000 -P Alt_L -k Return -p Alt_L -s 3000 \
    -P Alt_L -k Return -p Alt_L -s 3000 -P Escape -s 300 -p Escape -s 500
  sleep 3.5
  picture "$run/after"
  (($(differing "$run/before" "$run/after") > $(wc -c <"$run/before") / 100)) || fail "on Wayland, Left did not turn the model"
  "${desktop_user[@]}" swaymsg '[title="^viewer$"] kill' >/dev/null
  sleep 1
  if ! kill -0 "$viewer_pid" 2>/dev/null; then
    fail "on Wayland, a close request ended the viewer"
  elif await_window "floating_con 640x480 *" "a close request was not ignored"; then
    await_window "* $output 0,0 *" "Alt+Enter did not fill the $output output" &&
      await_window "floating_con 640x480 *" "a second Alt+Enter did not bring the 640x480 window back"
  fi
  end_on_sway wayland
  desktop_stop
}

# At output scale 2, where sdl2-compat left to itself sizes a program built
# for SDL2 in the output's pixels (a 320 x 240 window): a floating window of
# 640 x 480 in sway's logical units, its picture the one at scale 1, whole,
# at the output's density; Escape gives 0.
check_at_scale_2() {
  local geometry reference message
  start_on_sway wayland-scale-2 'output HEADLESS-1 mode 2048x1536 scale 2' || return 1
  if ! await_window "floating_con 640x480 * $(entry_class) *" "at scale 2, no floating window of 640x480 logical"; then
    stop_on_sway
    return 1
  fi
  geometry=$(desktop_sway_window viewer | awk '{ split($3, p, ","); print $2 "+" p[1] "+" p[2] }')
  if [[ -f $run/before.ppm ]]; then
    reference=$(desktop_lit_box "$run/before.ppm")
    message=$(desktop_await_fill "at scale 2" "$geometry" "$reference" 2>&1) || fail "on Wayland, $message"
  fi
  desktop_type -s 1500 -P Escape -s 300 -p Escape -s 500
  end_on_sway wayland-scale-2
  desktop_stop
}

# One suite: made once, then installed, shown and purged on a fresh overlay.
check_system() {
  local suite=$1 start=$SECONDS sdl sdl3 file left
  case $suite in
    bookworm) system="Debian 12 (bookworm)" ;;
    trixie) system="Debian 13 (trixie)" ;;
    forky) system="Debian testing (forky)" ;;
    *) system="Debian $suite" ;;
  esac
  # A second run at the same time waits, rather than sharing a half-made
  # base or apt's archive.
  exec {lock}>>"$cache/$suite.lock"
  flock -w 1800 "$lock" || { fail "another run kept $cache/$suite.lock for half an hour"; return 1; }
  base_system "$suite" || return 1
  enter_system "$suite"
  # Testing's Release file may have outlived its Valid-Until on the mirror.
  step "apt-get update" 300 "${in_system[@]}" apt-get -o Acquire::Check-Valid-Until=false update || return 1
  # --force-unsafe-io leaves out dpkg's syncs, which only a power cut needs.
  step "apt-get install ./$(basename "$deb")" 600 "${in_system[@]}" apt-get install -y \
    -o Dpkg::Options::=--force-unsafe-io "/tmp/$(basename "$deb")" || return 1
  # shellcheck disable=SC2016 # dpkg-query's own fields
  sdl=$("${in_system[@]}" dpkg-query -W -f '${Version} ${Depends}' libsdl2-2.0-0)
  # shellcheck disable=SC2016
  sdl3=$("${in_system[@]}" dpkg-query -W -f '${Version}' libsdl3-0 2>/dev/null || true)
  check_on_x11 || true
  if [[ $sdl == *libsdl3* ]]; then
    sdl="SDL ${sdl%% *}, sdl2-compat over SDL3 $sdl3: X11 and Wayland"
    check_on_wayland || true
    check_at_scale_2 || true
  else
    sdl="SDL ${sdl%% *}: X11"
    # Testing's is sdl2-compat; without it nothing here runs on Wayland.
    [[ $suite != forky ]] || fail "libsdl2-2.0-0 is no sdl2-compat over SDL3: nothing was shown on Wayland"
  fi
  step "apt-get purge $package" 300 "${in_system[@]}" apt-get purge -y "$package" || return 1
  mapfile -t left < <(dpkg-deb -c "$deb" | awk '{print substr($6, 2)}' | sed 's|/$||' | grep -v '^$' |
    while read -r file; do
      [[ -e $run/root$file || -L $run/root$file ]] || continue
      # Folders that other packages have too stay.
      [[ -d $run/root$file && ! -L $run/root$file ]] && "${in_system[@]}" dpkg-query -S "$file" >/dev/null 2>&1 && continue
      echo "$file"
    done)
  [[ ${#left[@]} -eq 0 ]] || fail "apt-get purge left ${left[*]}"
  leave_system
  flock -u "$lock"
  echo "$system, $sdl: $((SECONDS - start)) s"
}

mkdir -p "$cache"
for suite in "${suites[@]}"; do
  check_system "$suite" || true
  leave_system
done
exit "$status"
