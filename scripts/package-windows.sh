#!/usr/bin/env bash
# Builds the Windows installer, korvane-setup-<version>.exe, with NSIS from the Windows program folder that
# scripts/build-windows.sh made: the programs and the libraries beside them into the installation folder,
# the factory files (by the list factorygen wrote) and the skin into its "data" folder.
#   scripts/package-windows.sh [WINDOWS_BUILD_DIR]      (default build-windows; the installer lands there)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(realpath -m "${1:-build-windows}")
bin=$build_dir/bin
[ -x "$bin/korvane.exe" ] || { echo "package-windows.sh: no korvane.exe in $bin: run scripts/build-windows.sh first" >&2; exit 1; }

scripts/setup.sh nsis

version="$(sed -n 's/^project(Korvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
files=$build_dir/installer-files.nsh
windows_path() { printf '%s' "$1" | tr '/' '\\'; }

# Each file: a File line under its folder in the installation, and its Delete line for the uninstaller.
install_lines=() remove_lines=() folders=()
add() {  # source file, folder in the installation ("" for its top)
  local target='$INSTDIR'
  [ -n "$2" ] && target+="\\$(windows_path "$2")"
  install_lines+=("  SetOutPath \"$target\"" "  File \"$1\"")
  remove_lines+=("  Delete \"$target\\$(basename "$1")\"")
  local folder=$2
  while [ -n "$folder" ] && [ "$folder" != . ]; do
    folders+=("$folder")
    folder=$(dirname "$folder")
  done
}
for program in korvane.exe korvanectl.exe; do add "$bin/$program" ""; done
for dll in "$bin"/*.dll; do add "$dll" ""; done
for plugin in "$bin"/platforms/*.dll; do add "$plugin" platforms; done
while read -r name; do add "$bin/$name" data; done <"$build_dir/factory-files.txt"
while read -r file; do add "$bin/$file" "data/$(dirname "$file")"; done < <(cd "$bin" && find Skins -type f | sort)

{
  echo '!macro InstallFiles'
  printf '%s\n' "${install_lines[@]}"
  echo '!macroend'
  echo '!macro RemoveFiles'
  printf '%s\n' "${remove_lines[@]}"
  # Folders deepest first; RMDir leaves any that still hold something.
  printf '%s\n' "${folders[@]}" | sort -u -r | while read -r folder; do echo "  RMDir \"\$INSTDIR\\$(windows_path "$folder")\""; done
  echo '!macroend'
} >"$files"

installer=$build_dir/korvane-setup-$version.exe
makensis -V2 -DVERSION="$version" -DOUTFILE="$installer" -DFILES="$files" packaging/windows/korvane.nsi
echo "Installer: $installer"
