#!/bin/sh
# ROM folders on a slow network share for the window contract, as slowfs
# serves one (look-ups without delay, as a Windows client has them with the
# listing) over ROOT/source, 6,000 ROMs and screenshots of the first 100:
# ROOT/share, every listing slow (2.4 s for the ROMs), and ROOT/drops, a
# share that fails after 1,000 entries; and over ROOT/small, three ROMs:
# ROOT/hangs, whose listing waits 8 s (long past a held F5), and ROOT/stalls, whose every
# look-up of a file or folder waits 3 s. Mounted before a suite and
# unmounted after; where slowfs or FUSE is missing nothing is mounted, and
# the cases that need a share are skipped.
#   slow_share.sh mount ROOT SLOWFS PICTURE | unmount ROOT
set -u
root=$2
slowfs=${3:-}
if [ "$1" = unmount ]; then
  for mount in share drops hangs stalls; do fusermount -u -z "$root/$mount" 2>/dev/null; done
  exit 0
fi
[ -x "$slowfs" ] && [ -e /dev/fuse ] && /usr/bin/python3 -c 'import fusepy' 2>/dev/null || exit 0
if [ ! -e "$root/source/.ready" ]; then
  mkdir -p "$root/source/roms" "$root/source/shots"
  cd "$root/source/roms" && seq -f s%04.0f.nes 0 5999 | xargs touch
  for shot in $(seq -f s%04.0f.nes.png 0 99); do cp "$4" "$root/source/shots/$shot"; done
  : >"$root/source/.ready"
fi
mkdir -p "$root/small/roms"
touch "$root/small/roms/a.nes" "$root/small/roms/b.nes" "$root/small/roms/c.nes"
for mount in share drops hangs stalls; do
  fusermount -u -z "$root/$mount" 2>/dev/null
  mkdir -p "$root/$mount"
done
"$slowfs" "$root/source" "$root/share" --list-ms 100 --batch 250 --stat-ms 0
"$slowfs" "$root/source" "$root/drops" --list-ms 100 --batch 250 --stat-ms 0 --fail-after 1000
"$slowfs" "$root/small" "$root/hangs" --list-ms 8000 --stat-ms 0
"$slowfs" "$root/small" "$root/stalls" --list-ms 0 --stat-ms 3000
exit 0
