# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the other scripts: installs the Debian/Ubuntu packages named in
# the array `packages` that are not installed yet.
#   packages=(cmake g++ ...); install_missing

# The base every build needs; the command line's translation is compiled with
# Qt's lrelease (qt6-l10n-tools), found by CMake through qt6-tools-dev.
base_packages=(cmake g++ make qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools libgl-dev fonts-liberation2)

install_missing() {
  if ! command -v dpkg-query >/dev/null || ! command -v apt-get >/dev/null; then
    echo "Not Debian/Ubuntu: install CMake >= 3.25, a C++20 compiler and Qt >= 6.4 (Widgets, Svg, Test), then rerun." >&2
    command -v cmake >/dev/null || exit 1
    return 0
  fi
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
