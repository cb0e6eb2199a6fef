#!/usr/bin/env bash
# Builds the Debian package from the tree's committed and uncommitted files (the build folders left out)
# and checks it with lintian. The package lands in build-deb/.
#   scripts/package.sh        OUT_DIR names another folder for the package
set -euo pipefail
cd "$(dirname "$0")/.."
out="$(realpath -m "${OUT_DIR:-build-deb}")"

scripts/setup.sh build-essential debhelper dpkg-dev fakeroot lintian cmake pkg-config qt6-base-dev \
  qt6-base-dev-tools qt6-base-private-dev qt6-wayland qt6-wayland-dev wayland-protocols libgl-dev

# The package's version is the project's.
version="$(sed -n 's/^project(Korvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
changelog="$(dpkg-parsechangelog -l debian/changelog -S Version)"
if [ "$version" != "$changelog" ]; then
  echo "package.sh: CMakeLists.txt says version $version, debian/changelog $changelog" >&2
  exit 1
fi

# A clean copy, so that no build folder of the tree goes into the package or gets in dh's way.
rm -rf "$out"
source="$out/korvane-$version"
mkdir -p "$source"
git ls-files -z --cached --others --exclude-standard | grep -zv '^build' | xargs -0 cp --parents -t "$source"
(cd "$source" && DEB_BUILD_OPTIONS="nocheck parallel=2" dpkg-buildpackage -b -us -uc >"$out/build.log" 2>&1) || {
  tail -n 40 "$out/build.log"
  echo "package.sh: the package build failed; the whole log is $out/build.log" >&2
  exit 1
}
deb="$(ls "$out"/korvane_"$version"_*.deb)"
# Errors fail the build; warnings are printed for the reader.
lintian --fail-on error --suppress-tags initial-upload-closes-no-bugs "$deb"
echo "package.sh: $deb"
