#!/bin/sh
# Installs the game into a scratch prefix and packages it as a .deb: both must hold the game, its
# manual page and its rules, and the package must be named, versioned and described.
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
# Checks that prefix $1 holds the game and its two documents, each the same as the original.
check_tree() {
    [ -x "$1/bin/realmsfall" ] && cmp -s "$game" "$1/bin/realmsfall" ||
        fail "$2: bin/realmsfall is not the game"
    cmp -s "$source/realmsfall.6" "$1/share/man/man6/realmsfall.6" ||
        fail "$2: share/man/man6/realmsfall.6 is missing or differs"
    cmp -s "$source/RMF_RULES.txt" "$1/share/doc/realmsfall/RMF_RULES.txt" ||
        fail "$2: share/doc/realmsfall/RMF_RULES.txt is missing or differs"
}

"$cmake" --install "$build" --prefix "$scratch/prefix" >"$scratch/log" 2>&1 ||
    { cat "$scratch/log"; fail "cmake --install"; }
check_tree "$scratch/prefix" "cmake --install"

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" >"$scratch/log" 2>&1 ||
    { cat "$scratch/log"; echo "FAILED: cpack -G DEB"; exit 1; }
set -- "$scratch"/package/*.deb
[ $# -eq 1 ] && [ -f "$1" ] || { echo "FAILED: cpack made $# packages: $*"; exit 1; }
deb=$1
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = realmsfall ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
description=$(field Description)
case $description in
"" | *"built using CMake"* | *"
"*) fail "Description is not one line of its own: '$description'" ;;
esac
case $(field Depends) in
*libstdc++6*) ;;
*) fail "Depends does not name the C++ library: '$(field Depends)'" ;;
esac
dpkg-deb -x "$deb" "$scratch/unpacked"
check_tree "$scratch/unpacked/usr" "the package"

if [ "$failed" -ne 0 ]; then
    dpkg-deb -I "$deb"
    dpkg-deb -c "$deb"
    exit 1
fi
echo "installed and packaged: $(basename "$deb"), $description"
