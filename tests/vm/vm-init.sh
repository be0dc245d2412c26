#!/bin/busybox sh
# The kernel VM's init: loads the MIDI and USB modules, makes the USB MIDI gadget, mounts the
# host's root and runs the command run-vm.sh wrote into /command there, then powers off.
/bin/busybox --install -s /bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
for m in virtio_pci 9pnet_virtio 9p configfs snd-seq snd-seq-midi snd-usb-audio dummy_hcd \
         libcomposite usb_f_midi; do
    modprobe "$m" || echo "cannot load $m"
done
modprobe snd-virmidi midi_devs=1 || echo "cannot load snd-virmidi"
mount -t 9p -o trans=virtio,version=9p2000.L,ro,msize=512000 hostroot /host

# A USB MIDI interface on the dummy host controller; the gadget side is card "ZELGadget".
mount -t configfs none /sys/kernel/config
g=/sys/kernel/config/usb_gadget/zel
mkdir -p $g/strings/0x409 $g/configs/c.1/strings/0x409 $g/functions/midi.usb0
echo 0x1d6b >$g/idVendor
echo 0x0104 >$g/idProduct
echo "ZEL VM" >$g/strings/0x409/manufacturer
echo "ZEL Cable" >$g/strings/0x409/product
echo "0001" >$g/strings/0x409/serialnumber
echo "MIDI" >$g/configs/c.1/strings/0x409/configuration
echo ZELGadget >$g/functions/midi.usb0/id
ln -s $g/functions/midi.usb0 $g/configs/c.1/
echo dummy_udc.0 >$g/UDC
for _ in $(seq 100); do
    grep -q "ZEL Cable" /proc/asound/cards 2>/dev/null && break
    sleep 0.1
done

for d in dev proc sys; do mount --bind /$d /host/$d; done
# The host's /tmp stays reachable for the folders under it that the command needs.
mkdir -p /hosttmp
mount --bind /host/tmp /hosttmp
mount -t tmpfs tmp /host/tmp
while read -r top; do
    mkdir -p "/host/tmp/$top" && mount --bind "/hosttmp/$top" "/host/tmp/$top"
done </keep
mount -t tmpfs run /host/run 2>/dev/null
mkdir -p /host/dev/shm 2>/dev/null
export HOME=/tmp PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin
chroot /host /bin/bash -c ". /proc/1/root/command" </dev/console >/dev/console 2>&1
echo "ZEL-VM-EXIT $?"
sync
poweroff -f
