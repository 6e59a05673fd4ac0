#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what lands there: the
# program runs, and its manual page renders with no warning.
set -u
build=$(realpath "$1")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "install failed"; exit 1; }
page="$prefix/share/man/man1/talvo.1"
[ -x "$prefix/bin/talvo" ] || { echo "bin/talvo missing"; exit 1; }
[ -f "$page" ] || { echo "share/man/man1/talvo.1 missing"; exit 1; }
status=0
"$prefix/bin/talvo" </dev/null >/dev/null 2>&1 || status=$?
[ "$status" = 24 ] || { echo "installed talvo ended with $status, expected 24 on empty input"; exit 1; }
warnings=$(groff -ww -z -man "$page" 2>&1)
[ -z "$warnings" ] || { echo "groff warnings:"; echo "$warnings"; exit 1; }
rendered=$(MANWIDTH=80 man -l "$page" 2>&1)
grep -q 'EXIT STATUS' <<<"$rendered" || { echo "man -l did not render the page"; exit 1; }
echo "installed and rendered"
