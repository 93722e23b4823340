#!/bin/sh
# Installs the game into a scratch prefix and packages it as a .deb. Both hold exactly the game,
# its manual page, the rules, the copyright and the changelog; each game shows the rules it was
# built with and names where they are installed; the package passes lintian --pedantic with no
# E: or W: tag (which holds it to gzip -9n, a stripped game, PIE and relro), and its game is
# hardened as HARDENING says: all, no-fortify (an unoptimised build) or none (a checked build,
# which must leave fortify out).
# Usage: package_check.sh CMAKE CPACK BUILD_DIR GAME SOURCE_DIR VERSION LINTIAN READELF HARDENING
set -eu
cmake=$1 cpack=$2 build=$3 game=$4 source=$5 version=$6 lintian=$7 readelf=$8 hardening=$9
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }
docs=share/doc/realmsfall
expected=$(printf '%s\n' games/realmsfall $docs/RMF_RULES.txt $docs/changelog.gz $docs/copyright \
    share/man/man6/realmsfall.6.gz)

# The files under prefix $1 ($2 names it in messages) that do not depend on stripping; $3 is the
# prefix as installed to, where the manual page says the rules are.
check_documents() {
    page=$(gzip -dc "$1/share/man/man6/realmsfall.6.gz")
    echo "$page" | grep -q "^\.TH REALMSFALL 6 .* \"Realmsfall $version\"" ||
        fail "$2: the manual page is not for $version"
    echo "$page" | grep -q "^\.I $3/$docs/RMF_RULES.txt\$" ||
        fail "$2: the manual page does not name $3/$docs/RMF_RULES.txt"
    cmp -s "$source/RMF_RULES.txt" "$1/$docs/RMF_RULES.txt" || fail "$2: RMF_RULES.txt differs"
    gzip -dc "$1/$docs/changelog.gz" >"$scratch/changelog"
    [ "$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)" = "$version" ] ||
        fail "$2: the changelog's entry is not for $version"
    grep -q '^License: Expat$' "$1/$docs/copyright" || fail "$2: the copyright names no MIT licence"
}
# The game at $1 ($2 names it in messages) shows the very rules that are installed, names the
# file $3 in its help, and its copyright is the one of the copyright file $4.
check_game() {
    "$1" --rules | cmp -s - "$source/RMF_RULES.txt" || fail "$2: --rules shows other rules"
    [ "$("$1" --help | tail -n 1)" = "$3" ] || fail "$2: --help does not name $3"
    [ "$("$1" --version | sed -n 2p)" = "Copyright (C) $(sed -n 's/^Copyright: //p' "$4")" ] ||
        fail "$2: --version does not hold the copyright of $4"
}
# The regular files under $1, as sorted paths relative to it.
listed() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }

"$cmake" --install "$build" --prefix "$scratch/prefix" >"$scratch/log" 2>&1 ||
    { cat "$scratch/log"; fail "cmake --install"; }
prefix=$(cd "$scratch/prefix" && pwd -P) # as the game finds itself
[ "$(listed "$prefix")" = "$expected" ] || fail "cmake --install made: $(listed "$prefix")"
cmp -s "$game" "$prefix/games/realmsfall" || fail "cmake --install: another games/realmsfall"
check_documents "$prefix" "cmake --install" "$prefix"
check_game "$prefix/games/realmsfall" "cmake --install" "$prefix/$docs/RMF_RULES.txt" \
    "$prefix/$docs/copyright"

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/package" >"$scratch/log" 2>&1 ||
    { cat "$scratch/log"; echo "FAILED: cpack -G DEB"; exit 1; }
deb=$(echo "$scratch"/package/*.deb)
[ -f "$deb" ] && [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] ||
    { echo "FAILED: cpack made no single package of $version: $deb"; exit 1; }
"$lintian" --pedantic --fail-on error,warning "$deb" >"$scratch/lintian" 2>&1 ||
    { cat "$scratch/lintian"; fail "lintian"; }
usr=$scratch/unpacked/usr packaged=$scratch/unpacked/usr/games/realmsfall
dpkg-deb -x "$deb" "$scratch/unpacked"
[ "$(listed "$usr")" = "$expected" ] || fail "the package holds: $(listed "$usr")"
check_documents "$usr" "the package" /usr
check_game "$packaged" "the package" "$usr/$docs/RMF_RULES.txt" "$usr/$docs/copyright"
imports=$("$readelf" --dyn-syms -W "$packaged" | awk '$7 == "UND" { sub(/@.*/, "", $8); print $8 }')
fortified=$(echo "$imports" | grep -E '^__[a-z0-9_]+_chk$' | grep -v '^__stack_chk_fail$' || true)
if [ "$hardening" = none ]; then
    [ -z "$fortified" ] || fail "a checked build is fortified: $fortified"
else
    "$readelf" -dW "$packaged" | grep -Eq '\(BIND_NOW\)|\(FLAGS_1\) .*[: ]NOW( |$)' ||
        fail "the game is not linked with -z now"
    echo "$imports" | grep -qx __stack_chk_fail || fail "the game has no stack protector"
    # Which calls get a checked variant depends on the code; the flag itself must be there.
    [ "$hardening" != all ] || grep -q -- '-D_FORTIFY_SOURCE=2' "$build/compile_commands.json" ||
        fail "the game is not compiled with -D_FORTIFY_SOURCE=2"
fi
[ "$failed" -eq 0 ] || { dpkg-deb -I "$deb"; dpkg-deb -c "$deb"; exit 1; }
echo "installed and packaged: $(basename "$deb"), lintian-clean, hardening $hardening" \
    "(fortified:" $fortified")"
