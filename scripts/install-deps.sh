#!/bin/sh
# Installs the Debian packages the build, the tests and the demo need (root or sudo).
set -e
packages="cmake g++ make libgtest-dev qt6-base-dev libgl-dev zlib1g-dev xvfb xauth x11-apps imagemagick"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
