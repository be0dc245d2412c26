#!/usr/bin/env bash
# Usage: run-vm.sh COMMAND [ARGS...]    or    run-vm.sh --check
# Runs COMMAND on a real Linux kernel with real ALSA MIDI devices and prints its output: Debian's
# own kernel booted under qemu (no KVM needed) from a tiny initramfs, with a USB MIDI interface
# made without hardware (dummy_hcd and a configfs f_midi gadget, bound by snd-usb-audio; the
# gadget's own raw MIDI device plays the far end of the cable) and a VirMIDI card. This machine's
# root is mounted read-only over 9p and COMMAND runs in a chroot of it, in the current directory,
# so programs built here run unchanged; /tmp is fresh. Variables named ZEL_* pass through.
# Exits with COMMAND's status, or 77 when qemu or the kernel is not at hand (the caller skips).
# The kernel package is downloaded with apt once and kept in ZEL_VM_CACHE (default
# ~/.cache/zel-vm).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${ZEL_VM_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zel-vm}
skip() {
    echo "SKIPPED: the kernel VM tests need $*" >&2
    exit 77
}
command -v qemu-system-x86_64 >/dev/null || skip "qemu-system-x86_64 (Debian package qemu-system-x86)"
busybox=/bin/busybox
# It runs before any library is there: it must be the static one.
[ -x "$busybox" ] && ! ldd "$busybox" >/dev/null 2>&1 ||
    skip "a static busybox (Debian package busybox-static)"
[ "$(uname -m)" = x86_64 ] || skip "an x86_64 machine"
command -v apt-get >/dev/null || skip "apt, to download Debian's kernel"
[ "${1:-}" = --check ] && exit 0

# Everything the init script loads, with what it depends on.
modules=(virtio_pci 9pnet_virtio 9p configfs snd-seq snd-seq-midi snd-virmidi snd-usb-audio
         dummy_hcd libcomposite usb_f_midi)

# The kernel and the modules it needs, once per kernel version.
prepare_kernel() {
    local package version deb root tmp
    package=$(apt-cache depends linux-image-amd64 2>/dev/null |
              awk '/Depends: linux-image-[0-9]/ { print $2; exit }')
    [ -n "$package" ] || skip "apt's package lists with linux-image-amd64 (apt-get update)"
    version=${package#linux-image-}
    kernel="$cache/$version"
    [ -e "$kernel/ready" ] && return 0
    echo "Preparing kernel $version in $kernel" >&2
    rm -rf "$kernel"
    tmp=$(mktemp -d)
    (cd "$tmp" && apt-get download -q "$package" >/dev/null 2>&1) ||
        { rm -rf "$tmp"; skip "the kernel package $package from apt"; }
    deb=$(echo "$tmp"/*.deb)
    root="$tmp/root"
    mkdir -p "$root" "$kernel"
    dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$root" ./boot "./lib/modules/$version/kernel/sound" \
        "./lib/modules/$version/kernel/drivers" "./lib/modules/$version/kernel/fs" \
        "./lib/modules/$version/kernel/net" "./lib/modules/$version/modules.order" \
        "./lib/modules/$version/modules.builtin"
    "$busybox" depmod -b "$root" "$version"
    local dir="$root/lib/modules/$version" wanted=() m line
    for m in "${modules[@]}"; do
        line=$(grep -E "/${m//[-_]/[-_]}\.ko:" "$dir/modules.dep") ||
            { rm -rf "$tmp"; echo "module $m is not in $package" >&2; exit 1; }
        wanted+=(${line//:/})
    done
    mkdir -p "$kernel/lib/modules/$version"
    printf '%s\n' "${wanted[@]}" | sort -u | tar -C "$dir" -cf - -T - | tar -C "$kernel/lib/modules/$version" -xf -
    cp "$dir/modules.dep" "$kernel/lib/modules/$version/"
    cp "$root/boot/vmlinuz-$version" "$kernel/vmlinuz"
    rm -rf "$tmp"
    touch "$kernel/ready"
}
mkdir -p "$cache"
prepare_kernel

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
initrd="$work/initrd"
mkdir -p "$initrd"/{bin,dev,proc,sys,host}
cp "$busybox" "$initrd/bin/busybox"
cp -a "$kernel/lib" "$initrd/"
cp "$here/vm-init.sh" "$initrd/init"
chmod +x "$initrd/init"
{
    echo "cd $(printf %q "$PWD")"
    while IFS='=' read -r name value; do
        printf 'export %s=%q\n' "$name" "$value"
    done < <(env | grep -E '^ZEL_[A-Z0-9_]+=' || true)
    printf '%q ' "$@"
    echo
} >"$initrd/command"
(cd "$initrd" && find . | "$busybox" cpio -o -H newc 2>/dev/null | gzip -1 >"$work/initrd.gz")

# One processor: the tests' bursts then really arrive before the reader can run. The kernel's
# check of the timer through the IO-APIC is left out: on a busy host an emulated processor can
# be too slow for it, and the kernel then stops with "IO-APIC + timer doesn't work".
status=0
timeout "${ZEL_VM_TIMEOUT:-600}" qemu-system-x86_64 -accel tcg -m 1024 -smp 1 -nodefaults \
    -display none -monitor none -serial stdio -no-reboot \
    -kernel "$kernel/vmlinuz" -initrd "$work/initrd.gz" \
    -append "console=ttyS0 quiet loglevel=4 panic=-1 no_timer_check" \
    -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
    </dev/null | tee "$work/console" || status=$?
[ "$status" -eq 0 ] || { echo "qemu ended with $status" >&2; exit 1; }
result=$(grep -a -o 'ZEL-VM-EXIT [0-9]*' "$work/console" | tail -1 | cut -d' ' -f2)
[ -n "$result" ] || { echo "the VM ended without a result" >&2; exit 1; }
exit "$result"
