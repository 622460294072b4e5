#!/usr/bin/env bash
# A small drive S: in the test run's Wine prefix, for the tests of a full destination drive.
#
#   fault-drive.sh --mount     a 1 MB tmpfs at $SETUP_WINE_DIR/small-drive, linked as S: in the prefix
#   fault-drive.sh --unmount   the link removed and the tmpfs unmounted
#
# Mounting needs root. When it is refused, the reason is left in $SETUP_WINE_DIR/small-drive.refused
# and the tests that need the drive report it as the reason they were skipped.
set -uo pipefail

dir=${SETUP_WINE_DIR:?SETUP_WINE_DIR names the test run\'s Wine directory}
mnt=$dir/small-drive
link=$dir/prefix/dosdevices/s:
refused=$dir/small-drive.refused

case "${1:-}" in
  --mount)
    rm -f "$refused" "$link"
    mkdir -p "$mnt"
    mountpoint -q "$mnt" && umount "$mnt"
    if ! reason=$(mount -t tmpfs -o size=1m tmpfs "$mnt" 2>&1); then
      echo "mount -t tmpfs refused: $reason" >"$refused"
      cat "$refused"
      exit 0
    fi
    ln -s "$mnt" "$link"
    echo "S: is a 1 MB tmpfs at $mnt"
    ;;
  --unmount)
    rm -f "$link"
    if mountpoint -q "$mnt"; then umount "$mnt" || umount -l "$mnt"; fi
    ;;
  *)
    echo "usage: fault-drive.sh --mount | --unmount" >&2
    exit 2
    ;;
esac
