#!/usr/bin/env bash
# The kernel-loop test: boots a pinned Debian 12 kernel under QEMU with a busybox initramfs, in which
# korvane-uhid-mouse plays the mouse through /dev/uhid and the unmodified korvanectl talks to it through
# the kernel's hidraw nodes (tests/kernel/guest_init.sh runs the steps).
#   scripts/kernel_loop.sh [BUILD_DIR]     (default: build)
# The kernel package is fetched once with apt-get download and kept in ~/.cache/korvane. Prints the
# guest's pass/fail lines; exits non-zero on any failure, a kernel panic or a time-out. The console log
# stays in BUILD_DIR/kernel-loop/console.log.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
kernel_package=linux-image-6.1.0-50-amd64
kernel_version=6.1.176-1
cache=${XDG_CACHE_HOME:-$HOME/.cache}/korvane/${kernel_package}_$kernel_version
work=$build/kernel-loop

for program in "$build/bin/korvanectl" "$build/tests/kernel/korvane-uhid-mouse"; do
  [ -x "$program" ] || { echo "FAIL: $program is not built"; exit 1; }
done

# The kernel and its three HID modules, uncompressed.
if [ ! -f "$cache/vmlinuz" ]; then
  download=$(mktemp -d)
  trap 'rm -rf "$download"' EXIT
  fetch() { (cd "$download" && apt-get download -q "$kernel_package=$kernel_version" 2>/dev/null); }
  if ! fetch; then
    # A fresh machine may not have the package lists yet.
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    fetch || { echo "FAIL: apt-get download $kernel_package=$kernel_version"; exit 1; }
  fi
  dpkg-deb -x "$download"/*.deb "$download/unpacked"
  mkdir -p "$cache.partial/modules"
  cp "$download"/unpacked/boot/vmlinuz-* "$cache.partial/vmlinuz"
  for module in hid hid-generic uhid; do
    found=$(find "$download/unpacked/lib/modules" -path "*/kernel/drivers/hid/$module.ko*" | head -n 1)
    [ -n "$found" ] || { echo "FAIL: $module.ko is not in $kernel_package"; exit 1; }
    case $found in
      *.xz) xz -dc "$found" >"$cache.partial/modules/$module.ko" ;;
      *) cp "$found" "$cache.partial/modules/$module.ko" ;;
    esac
  done
  rm -rf "$cache"
  mv "$cache.partial" "$cache"
  rm -rf "$download"
  trap - EXIT
fi

# The initramfs: busybox, the two programs with their libraries, the factory files, the modules.
rm -rf "$work"
mkdir -p "$work/root"/{bin,dev,proc,sys,tmp,factory}
staging=$work/root
cp /bin/busybox "$staging/bin/busybox"
cp "$root/tests/kernel/guest_init.sh" "$staging/init"
for program in "$build/bin/korvanectl" "$build/tests/kernel/korvane-uhid-mouse"; do
  strip --strip-debug -o "$staging/bin/$(basename "$program")" "$program"
  for library in $(ldd "$program" | grep -o '/[^ ]*'); do
    mkdir -p "$staging$(dirname "$library")"
    cp -L "$library" "$staging$library"
  done
done
cp "$build"/bin/config*.bin "$build"/bin/str*.ini "$staging/factory/"
cp -r "$cache/modules" "$staging/modules"
(cd "$staging" && find . | cpio -o -H newc --quiet | gzip -1) >"$work/initramfs.gz"

accel=(-accel tcg)
# KVM here hangs at boot under nested virtualisation; TCG is used until KVM is probed for real.
console=$work/console.log
status=0
timeout 240 qemu-system-x86_64 "${accel[@]}" -m 512 -nographic -no-reboot \
  -kernel "$cache/vmlinuz" -initrd "$work/initramfs.gz" \
  -append "console=ttyS0 panic=-1 quiet" </dev/null >"$console" 2>&1 || status=$?

tr -d '\r' <"$console" | grep -E '^(pass|FAIL): |^  |^[a-z-]+: (pointer|events|commands) is ' || true
if [ "$status" -eq 124 ]; then
  echo "FAIL: the virtual machine did not finish within 240 s (log: $console)"
  exit 1
fi
if grep -q 'Kernel panic' "$console"; then
  echo "FAIL: kernel panic (log: $console)"
  grep -A 20 'Kernel panic' "$console"
  exit 1
fi
summary=$(tr -d '\r' <"$console" | grep '^kernel-loop: ' || true)
if [ -z "$summary" ]; then
  echo "FAIL: the guest ended without a result (qemu status $status, log: $console)"
  tail -n 30 "$console"
  exit 1
fi
echo "${summary#kernel-loop: }"
[[ $summary == *", 0 failed" ]]
