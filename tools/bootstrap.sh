#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. Quick when they
# are already there: apt is only touched for what is missing.
set -euo pipefail

packages=(cmake ninja-build g++-mingw-w64-x86-64 wine wine64 msitools wixl xvfb
          imagemagick xdotool dpkg-dev googletest fonts-dejavu-core osslsigncode openssl ansible gcab
          locales fonts-ipafont-gothic)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
echo "bootstrap: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
