#!/usr/bin/env bash
# Fetches Debian's libjpeg-turbo source package into $1 (unpacked under $1/src)
# through a private apt configuration, so the machine's apt sources stay untouched.
# Nothing is fetched again once the unpacked tree is there.
set -euo pipefail
dest=$(realpath -m "$1")
[ -f "$dest/src/CMakeLists.txt" ] && exit 0

work="$dest/apt"
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$dest/download"
# The same Debian mirror the machine installs its packages from, as a source entry.
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list \
         2>/dev/null | grep -E '^(URIs:|deb )' | grep -oE 'https?://[^ ]+/debian/?' | head -1 || true)
[ -n "$mirror" ] || { echo "fetch-libjpeg-source: no Debian mirror in the apt configuration" >&2; exit 1; }
echo "deb-src $mirror bookworm main" > "$work/sources.list"
apt_opts=(-o "Dir::Etc::SourceList=$work/sources.list" -o "Dir::Etc::SourceParts=-"
          -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache"
          -o "APT::Sandbox::User=root" -o "Debug::NoLocking=1")
apt-get "${apt_opts[@]}" -qq update
(cd "$dest/download" && apt-get "${apt_opts[@]}" -qq source --download-only libjpeg-turbo)
rm -rf "$dest/src.tmp"
dpkg-source --no-check -x "$(ls "$dest"/download/libjpeg-turbo_*.dsc | head -1)" "$dest/src.tmp" >/dev/null
rm -rf "$dest/src"
mv "$dest/src.tmp" "$dest/src"
