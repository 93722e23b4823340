#!/bin/sh
# Installs the built game into a scratch prefix and packages it as a .deb, then checks that both
# hold the game, its manual page and (once it is written) its rules, under their usual folders,
# and that the package is named, versioned and described.
# Usage: package_check.sh CMAKE CPACK BUILD_DIR GAME SOURCE_DIR VERSION
set -eu
cmake=$1 cpack=$2 build=$3 game=$4 source=$5 version=$6
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() {
    echo "FAILED: $*"
    failed=1
}

# name in the source tree, then where it goes under the prefix
files="realmsfall.6 share/man/man6/realmsfall.6"
if [ -f "$source/RMF_RULES.txt" ]; then
    files="$files RMF_RULES.txt share/doc/realmsfall/RMF_RULES.txt"
else
    echo "note: RMF_RULES.txt is not written yet, so it is not looked for"
fi
# Checks that a prefix holds the game and the files above, each the same as the original.
check_tree() {
    [ -x "$1/bin/realmsfall" ] || fail "$2: no executable bin/realmsfall"
    cmp -s "$game" "$1/bin/realmsfall" || fail "$2: bin/realmsfall is not the game"
    set -- "$1" "$2" $files
    prefix=$1 what=$2
    shift 2
    while [ $# -gt 0 ]; do
        cmp -s "$source/$1" "$prefix/$2" || fail "$what: $2 is missing or differs from $1"
        shift 2
    done
}

"$cmake" --install "$build" --prefix "$scratch/prefix" >"$scratch/install.log" 2>&1 ||
    { cat "$scratch/install.log"; fail "cmake --install"; }
check_tree "$scratch/prefix" "cmake --install"

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack -G DEB"; exit 1; }
set -- "$scratch"/package/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || { fail "cpack made $# packages: $*"; exit 1; }
deb=$1
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = realmsfall ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
description=$(field Description)
case $description in
"" | *"built using CMake"* | *"
"*) fail "Description is not one line of its own: '$description'" ;;
esac
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
case $(field Depends) in
*libstdc++6*) ;;
*) fail "Depends does not name the C++ library: '$(field Depends)'" ;;
esac
contents=$(dpkg-deb -c "$deb")
printf '%s\n' "$contents" | grep -qx -e '-rwxr-xr-x root/root .* \./usr/bin/realmsfall' ||
    fail "dpkg-deb -c: no executable ./usr/bin/realmsfall owned by root"
set -- $files
while [ $# -gt 0 ]; do
    case $contents in
    *" ./usr/$2"*) ;;
    *) fail "dpkg-deb -c: no ./usr/$2" ;;
    esac
    shift 2
done
dpkg-deb -x "$deb" "$scratch/unpacked"
check_tree "$scratch/unpacked/usr" "the package"

if [ "$failed" -ne 0 ]; then
    dpkg-deb -I "$deb"
    dpkg-deb -c "$deb"
    exit 1
fi
echo "installed and packaged: $(basename "$deb"), $description"
