#!/usr/bin/env bash
# Lists test cases of one test run from the XML reports its test programs wrote (test-results/ of
# a build tree): scripts/slowest-cases.sh <report folder> [count] lists the slowest cases,
# scripts/slowest-cases.sh --failed <report folder> the failed ones.
set -euo pipefail
failed=false
if [ "$1" = "--failed" ]; then
    failed=true
    shift
fi
dir=$1
count=${2:-10}
shopt -s nullglob
reports=("$dir"/*.xml)
[ ${#reports[@]} -eq 0 ] && exit 0
# Each case is one <testcase name="..." ... time="..." ... classname="..."> element on one line;
# a failure is a <failure> element inside it.
if $failed; then
    awk '/<testcase / { match($0, / name="[^"]*"/); name = substr($0, RSTART + 7, RLENGTH - 8)
                        match($0, / classname="[^"]*"/); suite = substr($0, RSTART + 12, RLENGTH - 13) }
         /<failure / && !seen[suite "." name]++ { print "  " suite "." name }' "${reports[@]}"
    exit 0
fi
grep -ho '<testcase [^>]*>' "${reports[@]}" |
    sed -E 's/.* name="([^"]*)".* time="([^"]*)".* classname="([^"]*)".*/\2 \3.\1/' |
    sort -rn | awk -v count="$count" 'NR <= count { printf "  %8.2f s  %s\n", $1, $2 }'
