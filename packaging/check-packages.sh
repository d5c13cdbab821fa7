#!/usr/bin/env bash
# Checks the release packages as a user meets them, after
#   cmake --workflow --preset web && cmake --workflow --preset release &&
#   cmake --workflow --preset windows-release
#
# - The Debian package: lintian (an error fails, warnings are listed); the
#   version agrees with CMakeLists.txt and CHANGELOG; installed with dpkg,
#   each program and its manual page are where Debian puts them, detoken
#   lists the shipped examples and retoken makes their images back, from a
#   scratch folder; removed with dpkg, it leaves nothing behind.
# - The tar.gz holds the same tree as the Debian package.
# - The zip holds each program's .exe and manual, the README, the license and
#   the change log, nothing else, the texts with CR LF line ends; unpacked into
#   a scratch folder, detoken.exe lists the shipped examples from there under
#   Wine, and retoken.exe makes their images back.
# - The web zip holds the page built by the web preset and the license,
#   nothing else (the browser test checks the page itself).
#
# Usage: packaging/check-packages.sh [PACKAGE_DIR]   (default: build/packages)
# Needs root (dpkg -i), dpkg-dev, lintian, man-db and wine. It stops where a
# detoken package is installed already, and removes the one it installs.
set -euo pipefail
cd "$(dirname "$0")/.."
packages=$(realpath "${1:-build/packages}")

fail() {
  echo "check-packages: $*" >&2
  exit 1
}

# The one package of each kind in the folder.
only() {
  local found=("$packages"/$1)
  [[ ${#found[@]} == 1 && -f ${found[0]} ]] || fail "expected one $1 in $packages"
  echo "${found[0]}"
}
deb=$(only 'detoken_*.deb')
version=$(dpkg-deb -f "$deb" Version)
tgz=$(only "detoken-$version-linux-*.tar.gz")
zip=$(only "detoken-$version-win64.zip")
web=$(only "detoken-$version-web.zip")

[[ $(sed -n 's/^project(detoken VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt) == "$version" ]] ||
  fail "the package's version $version is not the one in CMakeLists.txt"
[[ $(dpkg-parsechangelog -l CHANGELOG -S Version) == "$version" ]] ||
  fail "CHANGELOG has no entry for $version on top"

work=$(mktemp -d)
installed=no
cleanup() {
  [[ $installed == yes ]] && dpkg -r detoken >/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# list_examples FOLDER COMMAND...: copies the shipped examples into FOLDER,
# lists each there with COMMAND, and compares the listing with the one
# committed beside the example.
list_examples() {
  local folder=$1 example option
  shift
  for example in sbasic_demo hubasic_demo; do
    option=()
    [[ $example == hubasic_* ]] && option=(-h)
    cp "examples/$example.mzt" "$folder/"
    (cd "$folder" && "$@" "${option[@]}" "$example.mzt" >/dev/null) ||
      fail "$* could not list $example.mzt"
    cmp "$folder/$example.txt" "examples/$example.expected.txt" ||
      fail "$* listed $example.mzt differently"
    echo "$* lists $example.mzt as expected"
  done
}

# retoken_examples FOLDER COMMAND...: makes each shipped example's image from
# its listing in FOLDER with COMMAND, and compares it with the committed image.
retoken_examples() {
  local folder=$1 example option
  shift
  mkdir -p "$folder"
  for example in sbasic_demo hubasic_demo; do
    option=(-n "SBASIC DEMO")
    [[ $example == hubasic_* ]] && option=(-h -n "HUBASIC DEMO")
    cp "examples/$example.expected.txt" "$folder/$example.listing"
    (cd "$folder" && "$@" "${option[@]}" -o "$example.image" "$example.listing" >/dev/null) ||
      fail "$* could not make $example's image"
    cmp "$folder/$example.image" "examples/$example.mzt" || fail "$* made $example's image differently"
    echo "$* makes $example.mzt as expected"
  done
}

echo "== lintian $(basename "$deb")"
lintian --fail-on error --display-info "$deb" || fail "lintian found errors"

echo "== the Debian package installed"
if dpkg-query -W -f '${Status}' detoken 2>/dev/null | grep -q ' installed$'; then
  fail "a detoken package is installed already: remove it first (dpkg -r detoken)"
fi
if grep -Eqs '^path-exclude.*/usr/share/(man|doc)' /etc/dpkg/dpkg.cfg.d/*; then
  fail "dpkg is set to leave manual pages or documents out (path-exclude in /etc/dpkg/dpkg.cfg.d)"
fi
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v -x -e '' -e /usr > "$work/paths"
programs=$(sed -n 's|^/usr/bin/||p' "$work/paths")
[[ -n $programs ]] || fail "the package has no program"
installed=yes
dpkg -i "$deb"
for program in $programs; do
  [[ $(command -v "$program") == /usr/bin/$program ]] || fail "$program is not found as /usr/bin/$program"
  page=$(man -w "$program") || fail "man -w $program finds no manual page"
  [[ $page == /usr/share/man/man1/$program.1.gz ]] || fail "man -w $program finds $page"
  man "$program" 2>/dev/null | tail -n 1 | grep -q "^$program $version " ||
    fail "the manual page of $program does not show the version $version in its footer"
  echo "$program and its manual page $page are installed"
done
mkdir "$work/scratch"
list_examples "$work/scratch" /usr/bin/detoken
retoken_examples "$work/scratch/retoken" /usr/bin/retoken

echo "== the Debian package removed"
dpkg -r detoken
installed=no
while read -r path; do
  if [[ -d $path ]]; then
    dpkg -S "$path" >/dev/null 2>&1 || fail "$path is left behind"
  elif [[ -e $path ]]; then
    fail "$path is left behind"
  fi
done < "$work/paths"
echo "nothing is left behind"

echo "== $(basename "$tgz")"
mkdir "$work/deb" "$work/tgz"
dpkg-deb -x "$deb" "$work/deb"
tar -xzf "$tgz" -C "$work/tgz"
diff -r "$work/deb/usr" "$work/tgz/$(basename "$tgz" .tar.gz)" ||
  fail "the tar.gz does not hold the Debian package's tree"
echo "the same tree as the Debian package"

echo "== $(basename "$zip")"
mkdir "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
folder=$work/zip/detoken-$version-win64
expected=(README.txt LICENSE.txt CHANGELOG.txt)
for program in $programs; do
  expected+=("$program.exe" "$program-manual.txt")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(ls -A "$folder" | sort) ||
  fail "the zip does not hold exactly the files expected"
for text in "$folder"/*.txt; do
  ! grep -q -v $'\r$' "$text" || fail "$(basename "$text") has a line not ended by CR LF"
done
echo "the files expected, the texts with CR LF line ends"
list_examples "$folder" env WINEDEBUG=-all wine detoken.exe
retoken_examples "$work/wine-retoken" env WINEDEBUG=-all wine "$folder/retoken.exe"

echo "== $(basename "$web")"
mkdir "$work/web"
(cd "$work/web" && cmake -E tar xf "$web")
diff <(printf '%s\n' index.html LICENSE.txt | sort) <(ls -A "$work/web/detoken-$version-web" | sort) ||
  fail "the web zip does not hold exactly the files expected"
cmp "$work/web/detoken-$version-web/index.html" build/web/index.html || fail "the web zip's page is not build/web's"
echo "the page and the license"
