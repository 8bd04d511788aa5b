#!/bin/bash
# Unpacks the newest fetchable Debian source of PACKAGE into FOLDER (once: an unpacked copy of
# that version is kept) and prints the unpacked folder. Adds the deb-src entry for the machine's
# own archive and suites when apt has none, and says so.
#   tools/debian_source.sh PACKAGE FOLDER      (FOLDER « - »: only the deb-src entry)
set -euo pipefail
package=$1
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
if ! apt-cache showsrc "$package" 2>/dev/null | grep -q '^Version:'; then
  list=/etc/apt/sources.list.d/ventakar-deb-src.sources
  echo "Ajout d'une entrée deb-src (sources Debian) : $list" >&2
  {
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] && [ "$f" != "$list" ] && awk -v RS= -v ORS='\n\n' '/Types:.*deb/ && /debian/' "$f"
    done | sed 's/^Types:.*/Types: deb-src/'
    if [ -f /etc/apt/sources.list ]; then
      grep -E '^deb[[:space:]]' /etc/apt/sources.list | grep debian | sed 's/^deb\([[:space:]]\)/deb-src\1/' |
        awk '{ print "Types: deb-src\nURIs: " $2 "\nSuites: " $3; $1=$2=$3=""; print "Components:" $0 "\n" }'
    fi
  } | $sudo tee "$list" >/dev/null
  $sudo apt-get update -qq >&2
fi
[ "$2" = - ] && exit 0
mkdir -p "$2"
folder=$(cd "$2" && pwd)
command -v dpkg-source >/dev/null || {
  $sudo apt-get install -y -qq --no-install-recommends dpkg-dev >&2; }
# Newest first: a security update's sources are not always there, the next one is taken then.
for version in $(apt-cache showsrc "$package" | awk '/^Version:/ { print $2 }' | sort -urV); do
  if [ -f "$folder/.$package-$version" ]; then
    find "$folder" -maxdepth 1 -type d -name "$package-*" | head -1
    exit 0
  fi
  rm -rf "$folder/$package"-* "$folder/$package"_* "$folder/.$package"-*
  if (cd "$folder" && apt-get source -qq "$package=$version" >/dev/null 2>&1); then
    touch "$folder/.$package-$version"
    echo "Sources Debian de $package $version" >&2
    find "$folder" -maxdepth 1 -type d -name "$package-*" | head -1
    exit 0
  fi
done
echo "Les sources Debian de $package n'ont pu être téléchargées (apt-get source $package)" >&2
exit 1
