#!/usr/bin/env bash
# Checks the packages that tools/package.sh makes in dist/ (making them
# first), changing nothing on the machine:
#  - the Debian package: lintian finds no error, its files and Depends are
#    what they should be, its desktop entry is valid; unpacked (dpkg-deb -x),
#    its program shown the unpacked sample;
#  - viewer.exe holds a version resource and a manifest and no icon;
#  - the zip: the program, the sample beside it and README.txt in CR LF;
#    unzipped, viewer.exe under Wine shown its own folder;
#  - the installer under Wine, in a throw-away prefix: a silent install into
#    a folder of the person's choosing, named beyond ASCII; the Start-menu
#    shortcut's target and working folder, the uninstaller's entry in the
#    registry, viewer.exe shown the folder the shortcut starts it in; the
#    installer and the uninstaller refusing, with status 2 and nothing
#    changed, while that viewer.exe runs, and an installer while another one
#    runs; a higher version, installed without naming the folder, upgrading
#    the installation where it is; a silent uninstall that leaves nothing of
#    ours behind;
#  - a second run of the packaging gives the same bytes.
# "Shown" means the e2e tests of the sample model run with that program as
# VIEWER_COMMAND: the progress text byte for byte as the Linux build writes
# it, the ship on screen, Escape ending it with status 0.
#
#   tools/test-packages.sh --run COMMAND SAMPLE_DIR
# runs those e2e tests alone on a program that is installed already
# (tools/package.sh --install-check). Quiet while all goes well; exits
# non-zero when a check fails.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/quietly.sh
source tools/quietly.sh

fail() {
  echo "FAIL: $*" >&2
  status=1
}

# The e2e tests that show the sample model, on the program of the command
# given, run in the folder given.
show_sample() {
  VIEWER_COMMAND=$1 VIEWER_SAMPLE_DIRECTORY=$2 counted build/tests/e2e/viewer_e2e_tests \
    --gtest_filter='SampleModelInTheViewer.*:AnotherBuild.*' || fail "the sample model, shown by $1 in $2"
}

build_e2e_tests() {
  quietly cmake --preset release
  quietly cmake --build --preset release --target viewer viewer_e2e_tests -j"$(nproc)"
}

status=0
case ${1:-} in
  --run)
    [[ $# -eq 3 ]] || { echo "usage: $0 [--run COMMAND SAMPLE_DIR]" >&2; exit 2; }
    build_e2e_tests
    tools/with-xvfb.sh "$0" --run-under-xvfb "$2" "$3"
    exit
    ;;
  --run-under-xvfb)
    show_sample "$2" "$3"
    exit "$status"
    ;;
  --under-xvfb) ;;
  "")
    tools/package.sh
    tools/ensure-packages.sh lintian desktop-file-utils icoutils wine64 xdotool
    build_e2e_tests
    tools/with-xvfb.sh "$0" --under-xvfb
    exit
    ;;
  *) echo "usage: $0 [--run COMMAND SAMPLE_DIR]" >&2; exit 2 ;;
esac

# Under Xvfb from here on, with the packages made.
# shellcheck source=packaging/viewer-build.env.in
source build-deb/viewer-build.env
deb=dist/$deb_file
zip=dist/$zip_file
installer=dist/$installer_file
sample_files=(collector.bmp deflector.bmp enterprise.mtl enterprise.obj hull.bmp nacelle.bmp neck.bmp rim.bmp saucer.bmp)
[[ $(cd assets && echo *) == "${sample_files[*]}" ]] || fail "assets/ holds other files than the packages are checked for"

# shellcheck source=tools/wine.sh
source tools/wine.sh
work=$(mktemp -d)
trap 'end_wine; rm -rf "$work"' EXIT

# Lines of text, sorted, compared with what they should be.
expect_lines() {
  local what=$1 expected actual
  expected=$(printf '%s\n' "${@:3}" | LC_ALL=C sort)
  actual=$(LC_ALL=C sort <<<"$2")
  [[ $actual == "$expected" ]] || fail "$what:"$'\n'"$(diff <(echo "$expected") <(echo "$actual") | grep '^[<>]')"
}

## The Debian package
# Warnings fail too, and the hardening tags, which lintian gives as
# information only: the program is built with Debian's flags.
if ! lintian --fail-on error,warning --display-info "$deb" >"$work/lintian" 2>&1 ||
  grep -q ' hardening-' "$work/lintian"; then
  fail "lintian: $(grep -v 'root privileges' "$work/lintian")"
fi
doc=/usr/share/doc/$package
share=/usr/share/$package
# The program keeps its file name, viewer, in a folder of the package's own;
# the command is a link to it.
expect_lines "the Debian package's files ('<' missing, '>' besides)" \
  "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}')" \
  "/usr/libexec/$package/viewer" "/usr/bin/$package" "/usr/share/applications/$package.desktop" \
  "$doc/README.md" "$doc/copyright" "$doc/changelog.gz" "/usr/share/man/man1/$package.1.gz" \
  /usr/share/icons/hicolor/{16x16,32x32,48x48,256x256}/"apps/$package.png" \
  "${sample_files[@]/#/$share/sample/}"
[[ $(dpkg-deb -c "$deb" | awk -v link="./usr/bin/$package" '$6 == link {print $8}') == "../libexec/$package/viewer" ]] ||
  fail "/usr/bin/$package is no link to ../libexec/$package/viewer"
# Whatever versions the build machine's libraries ask for: the packages,
# with the GL libraries that SDL opens at run time.
expect_lines "the Debian package's Depends" \
  "$(dpkg-deb -f "$deb" Depends | sed 's/ ([^)]*)//g; s/, /\n/g')" \
  libc6 libgcc-s1 'libglu1-mesa | libglu1' libopengl0 libsdl2-2.0-0 libstdc++6 libx11-6 libgl1 libegl1

dpkg-deb -x "$deb" "$work/deb"
desktop=$work/deb/usr/share/applications/$package.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
expect_lines "the desktop entry's program, folder and icon" "$(grep -E '^(Exec|Path|Icon)=' "$desktop")" \
  "Exec=/usr/bin/$package" "Path=$share/sample" "Icon=$package"
# The program in a copy of the packaged sample, as it would run installed,
# started through its command.
cp -r "$work/deb$share/sample" "$work/deb-sample"
show_sample "$work/deb/usr/bin/$package" "$work/deb-sample"

## The zip
cmake -E make_directory "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$OLDPWD/$zip")
folder=$zip_folder
expect_lines "the zip's files ('<' missing, '>' besides)" "$(cd "$work/zip" && find . -type f | cut -c3-)" \
  "$folder"/{viewer.exe,viewer.ico,README.txt,copyright.txt} "${sample_files[@]/#/$folder/}"
readme=$work/zip/$folder/README.txt
[[ $(grep -c $'\r$' "$readme") -eq $(wc -l <"$readme") ]] || fail "README.txt has lines without CR LF"

# The program's resources: the version and the manifest, and no icon
# (types 3 and 14): the window keeps the system's default one.
exe=$work/zip/$folder/viewer.exe
expect_lines "viewer.exe's resource types" "$(wrestool -l "$exe" | sed -n 's/^--type=\([0-9]*\) .*/\1/p')" 16 24
resource_text=$(wrestool -x --raw -t 16 "$exe" | iconv -f UTF-16LE -t UTF-8 2>/dev/null | tr -c '[:print:]' '\n')
for value in ProductName viewer FileDescription ProductVersion "$version"; do
  grep -qx "$value" <<<"$resource_text" || fail "the version resource has no $value"
done
manifest=$(wrestool -x --raw -t 24 "$exe")
for part in '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">false</dpiAware>' \
  '<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>' "version=\"$version.0\""; do
  grep -qF "$part" <<<"$manifest" || fail "the manifest has no $part"
done

start_wine "$work/prefix"
# Explorer starts a program in its own folder.
show_sample "$wine $exe" "$work/zip/$folder"

## The installer
# Installed into a folder of the person's choosing, named beyond ASCII; then
# a higher version, installed without naming the folder, must find it and
# replace that installation, and refusals must leave it as it is.
drive=$WINEPREFIX/drive_c
uninstall_keys='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
key=$uninstall_keys\\$package
subkeys() { "$wine" reg query "$uninstall_keys" 2>/dev/null | tr -d '\r' | sed -n 's/^HKEY_LOCAL_MACHINE\\.*\\Uninstall\\//p' | LC_ALL=C sort; }
installed=$drive/mödel-дом
chosen='C:\mödel-дом'
# The link information holds the target in the ANSI code page alone, which
# under Wine's default (1252) has no Cyrillic.
chosen_ansi='C:\mödel-???'
subkeys >"$work/keys-before"
find "$drive" | LC_ALL=C sort >"$work/before"
"$wine" "$installer" /S "/D=$chosen" || fail "the installer's silent run ended with status $?"

# One installation: the files in the folder chosen, one uninstall entry.
check_installation() { # the version it should be
  expect_lines "the installed files ('<' missing, '>' besides)" "$(cd "$installed" && find . -type f | cut -c3-)" \
    viewer.exe viewer.ico README.txt copyright.txt uninstall.exe "${sample_files[@]/#/sample/}"
  [[ ! -e $drive/Program\ Files/$package ]] || fail "a second copy is installed in Program Files"
  expect_lines "the uninstall entries added" "$(comm -13 "$work/keys-before" <(subkeys))" "$package"
  # Exported in UTF-16, which keeps the folder's name.
  "$wine" reg export "$key" 'C:\entry.reg' /y >/dev/null 2>&1 || fail "no uninstall entry $key"
  local entry
  entry=$(iconv -f UTF-16 -t UTF-8 "$drive/entry.reg" 2>/dev/null | tr -d '\r' || true)
  rm -f "$drive/entry.reg"
  local folder=${chosen//\\/\\\\}
  for value in '"DisplayName"="viewer"' "\"DisplayVersion\"=\"$1\"" '"Publisher"="The viewer authors"' \
    "\"InstallLocation\"=\"$folder\"" "\"UninstallString\"=\"\\\"$folder\\\\uninstall.exe\\\"\""; do
    grep -qxF "$value" <<<"$entry" || fail "the uninstall entry has no $value"
  done
  grep -qx '"EstimatedSize"=dword:000[0-9a-f]\{5\}' <<<"$entry" || fail "the uninstall entry has no EstimatedSize in KiB"
}
check_installation "$version"

# The shortcut (Shell Link format): its target from the link information, its
# working folder from the strings after it.
shortcut=$drive/ProgramData/Microsoft/Windows/Start\ Menu/Programs/$package.lnk
mapfile -t bytes < <(od -An -v -tu1 -w1 "$shortcut" | tr -d ' ')
u16() { echo $((bytes[$1] | bytes[$1 + 1] << 8)); }
u32() { echo $((bytes[$1] | bytes[$1 + 1] << 8 | bytes[$1 + 2] << 16 | bytes[$1 + 3] << 24)); }
text() { # from offset $1, $2 characters of $3 bytes each, to the first NUL
  local LC_ALL=C.UTF-8 i code escape character result=""
  for ((i = 0; i < $2; i++)); do
    code=${bytes[$1 + i * $3]}
    (($3 == 1)) || code=$(u16 $(($1 + i * $3)))
    ((code != 0)) || break
    printf -v escape '\\u%04x' "$code"
    printf -v character '%b' "$escape"
    result+=$character
  done
  echo "$result"
}
flags=$(u32 20)
offset=76
((flags & 1)) && offset=$((offset + 2 + $(u16 $offset)))  # the item list
target="" folder=""
if ((flags & 2)); then
  target=$(text $((offset + $(u32 $((offset + 16))))) 260 1)
  offset=$((offset + $(u32 $offset)))
fi
width=$(((flags & 128) ? 2 : 1))
for bit in 4 8 16; do  # name, relative path, working folder
  ((flags & bit)) || continue
  count=$(u16 $offset)
  ((bit == 16)) && folder=$(text $((offset + 2)) "$count" "$width")
  offset=$((offset + 2 + count * width))
done
[[ $target == "$chosen_ansi\\viewer.exe" ]] || fail "the shortcut starts '$target'"
[[ $folder == "$chosen\\sample" ]] || fail "the shortcut starts it in '$folder'"

# The program where the shortcut starts it; a link, since the test's command
# is split at spaces.
ln -s "$installed" "$work/installed"
show_sample "$wine $work/installed/viewer.exe" "$work/installed/sample"

# A higher version, for the upgrade.
next=${version%.*}.$((${version##*.} + 1))
next_installer=$work/next-setup.exe
quietly makensis -V2 -DVERSION="$next" -DSTAGE="$PWD/build-windows/stage" -DOUTFILE="$next_installer" \
  build-windows/packaging/installer.nsi

# What the installation is: its files with their times (installed files bear
# the time of installing), and the version in its entry.
state() {
  (cd "$installed" && find . -printf '%p %T@\n' | LC_ALL=C sort) || true
  "$wine" reg query "$key" /v DisplayVersion 2>/dev/null | tr -d '\r' || true
}
# Runs a silent installer or uninstaller that should refuse: status 2, and
# nothing changed.
expect_refusal() { # what is in the way, then the command
  local what=$1 before code=0
  shift
  before=$(state)
  "$@" >/dev/null 2>&1 || code=$?
  ((code == 2)) || fail "${2##*[/\\]} /S $what ended with status $code, not 2"
  [[ $(state) == "$before" ]] || fail "${2##*[/\\]} /S $what changed the installation:"$'\n'"$(diff <(echo "$before") <(state))"
}
wait_for_window() { # its name, as an extended regular expression
  local _
  for _ in $(seq 100); do
    xdotool search --name "$1" >/dev/null 2>&1 && return
    sleep 0.1
  done
  fail "no window '$1' showed"
}

# viewer.exe running from the installation, as the shortcut starts it. The
# uninstaller runs in place (_?=), as it does not when started plainly, so
# that its status is its own.
(cd "$installed/sample" && exec "$wine" "$chosen\\viewer.exe" >/dev/null 2>&1) &
running=$!
wait_for_window '^viewer$'
expect_refusal "while viewer.exe runs" "$wine" "$next_installer" /S
expect_refusal "while viewer.exe runs" "$wine" "$chosen\\uninstall.exe" /S "_?=$chosen"
kill "$running" 2>/dev/null || true
wait "$running" 2>/dev/null || true

# An installer started twice: the second refuses while the first waits on
# its first page; the first, asked to close, ends as it would on Cancel.
"$wine" "$next_installer" >/dev/null 2>&1 &
first=$!
wait_for_window "^viewer $next Setup"
expect_refusal "while another installer runs" "$wine" "$next_installer" /S
"$wine" taskkill /im next-setup.exe >/dev/null 2>&1 || fail "taskkill could not ask the first installer to close"
wait "$first" 2>/dev/null || true

# The upgrade, without naming the folder: found through the uninstall entry.
"$wine" "$next_installer" /S || fail "the higher version's silent run ended with status $?"
check_installation "$next"

# The uninstaller runs a copy of itself from the temporary folder and returns
# at once: wait for that copy to finish, its last step being the entry. The
# sample folder goes whole, with what an earlier version may have put there.
touch "$installed/sample/earlier.bmp"
"$wine" "$chosen\\uninstall.exe" /S || fail "the uninstaller's silent run ended with status $?"
for _ in $(seq 50); do
  [[ -e $installed ]] || "$wine" reg query "$key" >/dev/null 2>&1 || break
  sleep 0.2
done
"$wine" reg query "$key" >/dev/null 2>&1 && fail "the uninstaller left its entry $key"
# The copy is removed when Windows next starts, as the uninstaller asked:
# end the prefix's processes, as at shutdown, and start it again. Then there
# is nothing in its drive that was not there before the installer ran, but
# the copy's empty folder in the temporary folder: NSIS asks for the folder
# to go before the file in it, so it stays, on Windows too.
end_wine
"$wine" wineboot -r >/dev/null 2>&1
find "$drive" | LC_ALL=C sort >"$work/after"
left=$(comm -13 "$work/before" "$work/after" | grep -v '/Temp/~nsu[0-9A-Za-z]*\.tmp$' || true)
[[ -z $left ]] || fail "the uninstaller left:"$'\n'"$left"
end_wine

## The same bytes again
cp dist/SHA256SUMS "$work/sums"
quietly tools/package.sh
cmp -s dist/SHA256SUMS "$work/sums" || fail "a second run of tools/package.sh made other packages:"$'\n'"$(diff "$work/sums" dist/SHA256SUMS)"

exit "$status"
