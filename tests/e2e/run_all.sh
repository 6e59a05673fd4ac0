#!/usr/bin/env bash
# Runs every end-to-end case on one platform and closes with a count.
#   usage: run_all.sh PLATFORM TALVO      (PLATFORM: posix or windows)
# For windows, TALVO is talvo.exe; Wine gets a scratch prefix of its own
# unless WINEPREFIX is set.
set -u
platform=$1
talvo=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
if [ "$platform" = windows ]; then
    WINE=${WINE:-$(dpkg -L wine64 2>/dev/null | grep '/wine64$' | head -n 1)}
    export WINE WINEDEBUG=-all
    if [ -z "${WINEPREFIX:-}" ]; then
        WINEPREFIX=$(mktemp -d)
        export WINEPREFIX
        trap 'rm -rf "$WINEPREFIX"' EXIT
    fi
    "$WINE" wineboot -i >/dev/null 2>&1
fi
passed=0 failed=0 skipped=0
for case_dir in "$here"/cases/*/; do
    bash "$here/run_case.sh" "$talvo" "$case_dir" "$platform"
    case $? in
    0) passed=$((passed + 1)) ;;
    77) skipped=$((skipped + 1)) ;;
    *) failed=$((failed + 1)) ;;
    esac
done
echo "$platform: $passed passed, $failed failed, $skipped skipped"
[ "$failed" = 0 ]
