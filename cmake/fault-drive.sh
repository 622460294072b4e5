#!/usr/bin/env bash
# A small drive S: in the test run's Wine prefixes, for the tests of a full destination drive.
#
#   fault-drive.sh --mount     a 1 MB tmpfs at $SETUP_WINE_DIR/small-drive, linked as S: in each prefix of the run
#   fault-drive.sh --unmount   the links removed and the tmpfs unmounted
#
# Mounting needs root. When it is refused, the reason is left in $SETUP_WINE_DIR/small-drive.refused
# and the tests that need the drive report it as the reason they were skipped.
set -uo pipefail

dir=${SETUP_WINE_DIR:?SETUP_WINE_DIR names the test run\'s Wine directory}
mnt=$dir/small-drive
refused=$dir/small-drive.refused
# The run's prefixes, one per slot (cmake/wine-run.sh): a test that needs S: may run in any of them.
shopt -s nullglob
prefixes=("$dir"/*/prefix)

unlink_drive() {
  for prefix in "${prefixes[@]}"; do rm -f "$prefix/dosdevices/s:"; done
}

case "${1:-}" in
  --mount)
    rm -f "$refused"
    unlink_drive
    mkdir -p "$mnt"
    mountpoint -q "$mnt" && umount "$mnt"
    if ! reason=$(mount -t tmpfs -o size=1m tmpfs "$mnt" 2>&1); then
      echo "mount -t tmpfs refused: $reason" >"$refused"
      cat "$refused"
      exit 0
    fi
    for prefix in "${prefixes[@]}"; do ln -s "$mnt" "$prefix/dosdevices/s:"; done
    echo "S: is a 1 MB tmpfs at $mnt"
    ;;
  --unmount)
    unlink_drive
    if mountpoint -q "$mnt"; then umount "$mnt" || umount -l "$mnt"; fi
    ;;
  *)
    echo "usage: fault-drive.sh --mount | --unmount" >&2
    exit 2
    ;;
esac
