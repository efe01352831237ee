#!/usr/bin/env bash
# Makes in dist/ the packages a person installs without building:
#   model-viewer_VERSION_amd64.deb          the Debian package (CPack); its name
#                                           is model-viewer, since Debian's
#                                           embree-tools has /usr/bin/viewer
#   viewer-VERSION-windows-x64.zip          viewer.exe with the sample beside it
#   viewer-VERSION-windows-x64-setup.exe    the Windows installer (NSIS): into
#                                           Program Files\model-viewer
#   SHA256SUMS
# VERSION is the one set in CMakeLists.txt; CMake writes the file names into
# build-deb/viewer-build.env. Builds the program first, in build-deb/ (the
# package preset: Release, with Debian's flags) and build-windows/
# (tools/build-windows.sh). Every file in the packages bears the time of the
# last commit, so that two runs on one commit give the same bytes.
#
# With --install-check it then installs the Debian package with apt-get
# (sudo when not root), starts `model-viewer` from PATH in the installed sample
# folder under a private Xvfb and checks its progress text, picture and
# status, and removes the package again, checking that none of its files is
# left behind. That changes the machine; nothing else here does.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=tools/quietly.sh
source tools/quietly.sh

install_check=no
case ${1:-} in
  --install-check) install_check=yes ;;
  "") ;;
  *) echo "usage: $0 [--install-check]" >&2; exit 2 ;;
esac

# What building needs, and the packaging tools: CPack finds the Debian
# package's programs with file and their libraries with dpkg-shlibdeps
# (dpkg-dev); the MinGW-w64 compilers come with tools/build-windows.sh.
tools/ensure-packages.sh --list tools/packages.txt dpkg-dev file zip nsis
jobs=$(nproc)

# The time every packaged file bears: the last commit's, or a fixed one
# outside a git checkout. CPack dates the Debian package's files by it, and
# strip the header of viewer.exe.
epoch=$(git log -1 --format=%ct 2>/dev/null || echo 1796601600)
export SOURCE_DATE_EPOCH=$epoch

# The Debian package's program is built with Debian's flags
# (cmake/debian_flags.cmake), in a folder of its own so that the test build in
# build/ keeps its flags and neither reconfigures the other.
quietly cmake --preset package
quietly cmake --build --preset package -j"$jobs"
tools/build-windows.sh
# shellcheck source=packaging/viewer-build.env.in
source build-deb/viewer-build.env

rm -rf dist
mkdir dist

# The Debian package.
quietly cpack --preset package
mv "build-deb/cpack/$deb_file" dist/

# The Windows build as installed, for the zip and the installer.
stage=build-windows/stage
rm -rf "$stage"
quietly cmake --install build-windows --prefix "$stage" --strip

# The zip: one folder holding viewer.exe with the sample model beside it, so
# that started from Explorer (in its own folder) it shows the starship.
# zip -X stores no owner or access times, TZ=UTC keeps the local time it
# stores the same everywhere, and the names go in sorted.
folder=build-windows/zip/$zip_folder
rm -rf build-windows/zip
mkdir -p "$folder"
cp "$stage"/bin/viewer.exe "$stage"/bin/viewer.ico "$stage"/share/doc/"$package"/README.txt \
  "$stage"/share/doc/"$package"/copyright.txt "$stage"/share/"$package"/sample/* "$folder"/
find "$folder" -exec touch -h -d "@$epoch" {} +
(
  cd build-windows/zip
  find "$zip_folder" -type f | LC_ALL=C sort | TZ=UTC quietly zip -X -9 -q "$PWD/../../dist/$zip_file" -@
)

# The installer, from the script CMake wrote with the version and the sample's files.
quietly makensis -V2 -DSTAGE="$PWD/$stage" -DOUTFILE="$PWD/dist/$installer_file" \
  build-windows/packaging/installer.nsi

(
  cd dist
  sha256sum "$deb_file" "$zip_file" "$installer_file" >SHA256SUMS
)

[[ $install_check == yes ]] || exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
if dpkg-query -W "$package" >/dev/null 2>&1; then
  echo "a package named $package is installed already; not touching it" >&2
  exit 1
fi
mapfile -t files < <(dpkg-deb -c "dist/$deb_file" | awk '{print substr($6, 2)}' | grep -v '/$')
DEBIAN_FRONTEND=noninteractive quietly "${sudo[@]}" apt-get install -y "./dist/$deb_file"
status=0
[[ $(command -v "$package") == /usr/bin/$package ]] || { echo "FAIL: $package is not /usr/bin/$package on PATH" >&2; status=1; }
tools/test-packages.sh --run "$package" "/usr/share/$package/sample" || status=1
quietly "${sudo[@]}" dpkg --purge "$package"
for file in "${files[@]}" "/usr/share/$package" "/usr/share/doc/$package" "/usr/libexec/$package"; do
  if [[ -e $file || -L $file ]]; then
    echo "FAIL: $file is left after removing the package" >&2
    status=1
  fi
done
if dpkg-query -W "$package" >/dev/null 2>&1; then
  echo "FAIL: the package is still known to dpkg after removing it" >&2
  status=1
fi
[[ $status -eq 0 ]] && echo "install check: installed, $package from PATH ran on the sample, removed without a trace"
exit "$status"
