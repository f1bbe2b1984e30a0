# shellcheck shell=bash
# Sourced by run.sh and tests/run-all.sh: installs the Debian packages that building, running
# and testing the panel need. As root it installs what is missing with apt-get, without
# questions; as another user it names the missing packages and stops the calling script.
# A caller that needs more (the tests) lists them in olvane_extra_packages before sourcing.

olvane_packages=(cmake make g++ pkg-config qtbase5-dev libusb-1.0-0-dev fonts-liberation fonts-droid-fallback unzip openssl python3
    "${olvane_extra_packages[@]}")
olvane_missing=()
for p in "${olvane_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || olvane_missing+=("$p")
done
if ((${#olvane_missing[@]})); then
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages: ${olvane_missing[*]}" >&2
        echo "Install them as root: apt-get install ${olvane_missing[*]}" >&2
        exit 1
    fi
    echo "Installing: ${olvane_missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${olvane_missing[@]}"
fi
