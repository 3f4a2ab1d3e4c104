#!/usr/bin/env bash
# Lists the slowest test cases of one test run: scripts/slowest-cases.sh <report folder> [count].
# The folder holds the XML reports the test programs write (test-results/ of a build tree).
set -euo pipefail
dir=$1
count=${2:-10}
shopt -s nullglob
reports=("$dir"/*.xml)
[ ${#reports[@]} -eq 0 ] && exit 0
# Each case is one <testcase name="..." ... time="..." ... classname="..."> element on one line.
grep -ho '<testcase [^>]*>' "${reports[@]}" |
    sed -E 's/.* name="([^"]*)".* time="([^"]*)".* classname="([^"]*)".*/\2 \3.\1/' |
    sort -rn | head -n "$count" |
    while read -r seconds name; do
        printf '  %8.2f s  %s\n' "$seconds" "$name"
    done
