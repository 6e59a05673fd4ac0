#!/usr/bin/env bash
# Runs one end-to-end case against the built talvo in a scratch directory and
# compares every byte it leaves behind.
#
# A case is a folder:
#   answers          what the user types (standard input); absent: no input
#   input/           files copied into the scratch directory first
#   setup            optional bash run in the scratch directory first
#   command          optional bash that runs "$TALVO" itself (default: with
#                    answers as standard input); runs in the scratch directory
#   unprivileged     present: run talvo as an ordinary user when we are root
#   expected/stdout, expected/stderr, expected/status
#   expected/files/  files that must exist afterwards, byte for byte
#   expected/absent  names (one a line) that must not exist afterwards
# In expected/stderr and expected/stdout, @DIR@ stands for the scratch directory.
set -u
talvo=$(realpath "$1")
case_dir=$(realpath "$2")
scratch=$(realpath "$(mktemp -d)")
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"

[ -d "$case_dir/input" ] && cp -a "$case_dir/input/." "$scratch/"
answers=/dev/null
[ -f "$case_dir/answers" ] && answers="$case_dir/answers"
cd "$scratch" || exit 2
if [ -f "$case_dir/setup" ]; then
    bash "$case_dir/setup" || { echo "setup failed"; exit 1; }
fi

run_as=()
if [ -f "$case_dir/unprivileged" ] && [ "$(id -u)" = 0 ]; then
    chown -R 65534:65534 "$scratch" 2>/dev/null
    find "$scratch" -name '*.readonly' -exec chmod 444 {} +
    run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
export TALVO="$talvo" ANSWERS="$answers"
if [ -f "$case_dir/command" ]; then
    "${run_as[@]}" bash "$case_dir/command" >"$scratch/.stdout" 2>"$scratch/.stderr"
else
    "${run_as[@]}" "$talvo" <"$answers" >"$scratch/.stdout" 2>"$scratch/.stderr"
fi
status=$?

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Compares actual bytes with an expected file, @DIR@ standing for the scratch path.
compare() {
    local what=$1 actual=$2 expected=$3
    if ! cmp -s <(sed "s|$scratch|@DIR@|g" "$actual") "$expected"; then
        fail "$what differs"
        diff <(sed "s|$scratch|@DIR@|g" "$actual" | cat -A) <(cat -A "$expected") | head -20
    fi
}

compare stdout "$scratch/.stdout" "$case_dir/expected/stdout"
compare stderr "$scratch/.stderr" "$case_dir/expected/stderr"
expected_status=$(cat "$case_dir/expected/status")
[ "$status" = "$expected_status" ] || fail "status $status, expected $expected_status"
if [ -d "$case_dir/expected/files" ]; then
    for file in "$case_dir/expected/files"/* "$case_dir/expected/files"/.[!.]*; do
        [ -e "$file" ] || continue
        name=$(basename "$file")
        if [ -f "$scratch/$name" ]; then
            compare "$name" "$scratch/$name" "$file"
        else
            fail "$name missing"
        fi
    done
fi
if [ -f "$case_dir/expected/absent" ]; then
    while read -r name; do
        [ -e "$scratch/$name" ] && fail "$name should not exist"
    done <"$case_dir/expected/absent"
fi
[ "$failures" = 0 ] && echo "passed: $(basename "$case_dir")"
exit $((failures > 0))
