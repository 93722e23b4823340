#!/bin/sh
# The manual page renders without a single warning from groff, for print and for a terminal
# (groff reports warnings but still exits 0, so any word it says is a failure), and describes
# every option that the game's --help names.  Usage: manual_check.sh GROFF PAGE GAME
set -u
groff=$1 page=$2 game=$3
for device in ps utf8; do
    said=$("$groff" -man -T"$device" -ww -z "$page" 2>&1) && [ -z "$said" ] ||
        { printf 'groff -T%s (status %s):\n%s\n' "$device" "$?" "$said"; exit 1; }
done
options=$("$game" --help | grep -Eo -- '--[a-z]+' | sort -u)
[ -n "$options" ] || { echo "$game --help names no option"; exit 1; }
for option in $options; do # an entry: .BR \-x ", " \-\-name
    grep -q '^\.BR \\-. ", " \\-\\-'"${option#--}"'\b' "$page" ||
        { echo "$page has no entry for $option"; exit 1; }
done
echo "$page renders without warnings and describes" $options
