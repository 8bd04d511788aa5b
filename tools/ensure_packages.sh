#!/bin/bash
# Installs the Debian packages that the build, the tests and the program need, when missing.
set -eu
packages=(cmake ninja-build g++ qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev libsimdjson-dev libcups2-dev desktop-file-utils shared-mime-info poppler-utils xvfb xauth xdotool imagemagick fonts-dejavu-core fonts-liberation
          qt6-translations-l10n at-spi2-core python3-pyatspi dbus orca speech-dispatcher
          cups printer-driver-cups-pdf libzip-dev pkg-config libreoffice-calc-nogui)
if [ "${1:-}" = "--ci" ]; then packages+=(clang-14 libclang-rt-14-dev clang-format-14 appstream lintian dpkg-dev
                                     g++-mingw-w64-x86-64-posix wine64 googletest); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installation des paquets manquants : ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
