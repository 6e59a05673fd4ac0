#!/usr/bin/env bash
# Runs talvo on the worked example, then plots its histogram file with the
# shipped gnuplot script: the image must come out non-empty. Skipped (77)
# where gnuplot is not installed.
set -u
talvo=$(realpath "$1")
script=$(realpath "$2")
command -v gnuplot >/dev/null || { echo "gnuplot not installed: cannot test the plot script"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
printf '# t y\n1 2.5\n2 3.5\n3 4.5\n4 5.5\n5 6.5\n' >data.txt
printf 'data.txt\nhist.txt\n2\n2\n1\n7\n99\n' | "$talvo" >/dev/null || { echo "talvo failed"; exit 1; }
gnuplot -e "file='hist.txt'" "$script" || { echo "gnuplot failed"; exit 1; }
[ -s hist.txt.png ] || { echo "no PNG written"; exit 1; }
[ "$(head -c 8 hist.txt.png | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || { echo "not a PNG"; exit 1; }
gnuplot -e "file='hist.txt'; out='hist.svg'" "$script" && grep -q '<svg' hist.svg || { echo "no SVG written"; exit 1; }
echo "plotted"
