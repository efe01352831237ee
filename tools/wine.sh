# shellcheck shell=bash
# Sourced by the scripts that run Windows programs under Wine on the current
# X display: where Wine's programs are, and a throw-away prefix.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[[ -x $wine ]] || wine=$(command -v wine64 || command -v wine)
[[ -x $wineserver ]] || wineserver=$(command -v wineserver)

# Makes a fresh 64-bit prefix in the folder given and uses it from here on;
# the caller removes the folder after end_wine. A fresh prefix takes about
# ten seconds. Windows are left to Wine rather than to a window manager,
# which Xvfb lacks: Wine would otherwise wait two seconds for one whenever a
# window is hidden. Wine writes no menu entries or file associations outside
# the prefix. A Windows process kept running (on descriptor 3, until the
# script ends) keeps Wine's own services up between the runs; a start just
# after they went down waits ten seconds for them. Wine spells Unix file names
# and reads its command line in the locale's encoding: UTF-8, whatever the
# caller's, so that names beyond ASCII reach the files they name.
start_wine() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LC_ALL=C.UTF-8
  "$wine" wineboot -i >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  mkfifo "$1.keep"
  "$wine" cmd /c pause <"$1.keep" >/dev/null 2>&1 &
  exec 3>"$1.keep"
}

# Ends every Windows process of the prefix.
end_wine() {
  "$wineserver" -k 2>/dev/null || true
}
