#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the data generators need.
# Idempotent: does nothing when every package is already present.
set -euo pipefail
packages=(
  build-essential cmake ninja-build clang-format
  libeigen3-dev liburdfdom-dev libtinyxml2-dev nlohmann-json3-dev libfcl-dev
  libgtest-dev libbenchmark-dev liborocos-kdl-dev
  python3 python3-numpy python3-scipy python3-pykdl
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
