#!/usr/bin/env bash
# A 4 MiB drive T: in a Wine prefix, for tests that need a nearly full disk.
# usage: tiny-drive.sh mount|unmount PREFIX
# Mounting needs the right to mount a tmpfs (root); without it the drive is
# simply not there and the tests that need it skip.
set -uo pipefail
action=$1
prefix=$(realpath -m "$2")
dir="$prefix.tinydrive"
case $action in
mount)
    mkdir -p "$dir" "$prefix/dosdevices"
    mountpoint -q "$dir" || mount -t tmpfs -o size=4m nvn-tinydrive "$dir" 2>/dev/null || true
    if mountpoint -q "$dir"; then
        rm -rf "${dir:?}"/*
        ln -sfn "$dir" "$prefix/dosdevices/t:"
    else
        rm -f "$prefix/dosdevices/t:"
        echo "tiny-drive: cannot mount a tmpfs here; tests that need drive T: will skip"
    fi
    ;;
unmount)
    rm -f "$prefix/dosdevices/t:"
    mountpoint -q "$dir" && umount "$dir"
    ;;
esac
exit 0
