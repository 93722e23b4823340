#!/bin/sh
# The manual page renders without a single warning from groff, for print and for a terminal
# (groff reports warnings but still exits 0, so any word it says is a failure).
# Usage: manual_check.sh GROFF PAGE
set -u
groff=$1
page=$2
for device in ps utf8; do
    said=$("$groff" -man -T"$device" -ww -z "$page" 2>&1)
    status=$?
    if [ "$status" -ne 0 ] || [ -n "$said" ]; then
        printf 'groff -T%s (status %s):\n%s\n' "$device" "$status" "$said"
        exit 1
    fi
done
echo "$page renders without warnings"
