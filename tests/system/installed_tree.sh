#!/bin/bash
# Installed with any prefix, the program finds its Data beside itself, from any working
# directory: the check of its own Data passes, --version answers, and without Data anywhere the
# message names both places looked at.
#   installed_tree.sh BUILD-DIR
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/école prefix" >/dev/null
mkdir "$work/elsewhere"
cd "$work/elsewhere"
"$work/école prefix/bin/ventakar" --version | grep -x 'ventakar [0-9.]*' >/dev/null
"$work/école prefix/bin/ventakar" --verifier > report.txt
tail -1 report.txt | grep -qx 'Aucun problème : les catalogues sont prêts.'
grep -q "« $work/école prefix/share/ventakar/Data »" report.txt

# A broken copy of the catalogues, checked by name: exit status 1 and its line.
cp -r "$work/école prefix/share/ventakar/Data" copie
sed -i '3s/,1\.90,/,1,90,/' copie/Helice.txt
if "$work/école prefix/bin/ventakar" --verifier copie > broken.txt; then
  echo "a broken catalogue passed the check" >&2; exit 1
fi
grep -q '^Helice.txt, ligne 3, enregistrement n° 3, champ « Prix HT (Euros) » : erreur : .*écrivez 1.90' broken.txt

# Without any Data: both places are named.
mv "$work/école prefix/share/ventakar/Data" "$work/moved"
if "$work/école prefix/bin/ventakar" --verifier 2> missing.txt; then exit 1; fi
grep -q "dossier de travail « $work/elsewhere » puis dans le dossier d'installation « $work/école prefix/share/ventakar »" missing.txt
echo "installed tree works from another folder"
