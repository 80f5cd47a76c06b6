#!/usr/bin/env bash
# Installs the Debian packages of a list (Scripts/packages.txt unless another list is named)
# that are missing; silent when none are.
set -euo pipefail
list="$(realpath "${1:-$(dirname "$0")/packages.txt}")"

missing=()
while read -r package; do
    [ -z "$package" ] && continue
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done < "$list"
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
