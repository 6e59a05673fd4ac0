#!/usr/bin/env bash
# Runs one end-to-end case against a built talvo in a scratch directory and
# compares every byte it leaves behind.
#   usage: run_case.sh TALVO CASE_DIR [PLATFORM]
# PLATFORM is posix (the default) or windows: then TALVO is talvo.exe, run
# under Wine ($WINE, by default the loader that the wine64 package installs).
#
# A case is a folder:
#   answers          what the user types (standard input); absent: no input
#   input/           files copied into the scratch directory first
#   setup            optional bash run in the scratch directory first
#   command          optional bash that runs "$TALVO" itself (default: with
#                    answers as standard input); runs in the scratch directory
#   unprivileged     present: run talvo as an ordinary user when we are root
#   platforms        optional: the platforms the case applies to, one a line
#                    (on windows, a command finds the build's other programs
#                    in $BUILD_DIR and Wine's loader in $WINE)
#   expected/stdout, expected/stderr, expected/status
#   expected/files/  files that must exist afterwards, byte for byte
#   expected/absent  names (one a line) that must not exist afterwards
#   expected.PLATFORM/  the same names, where that platform legitimately
#                    differs; each file there replaces its namesake
# In expected files, @DIR@ stands for the scratch directory (in either form).
# Exits 0 when the case passes, 1 when it fails, 77 when it does not apply.
set -u
talvo=$(realpath "$1")
case_dir=$(realpath "$2")
platform=${3:-posix}
name=$(basename "$case_dir")
if [ -f "$case_dir/platforms" ] && ! grep -qx "$platform" "$case_dir/platforms"; then
    echo "skipped: $name (not on $platform)"
    exit 77
fi
scratch=$(realpath "$(mktemp -d)")
tools=$(mktemp -d)
trap 'rm -rf "$scratch" "$tools"' EXIT
chmod 755 "$scratch"

if [ "$platform" = windows ]; then
    # Cases may run the build's other programs: "$WINE" "$BUILD_DIR/x.exe".
    WINE=${WINE:-$(dpkg -L wine64 2>/dev/null | grep '/wine64$' | head -n 1)}
    BUILD_DIR=$(dirname "$talvo")
    export WINE BUILD_DIR
    # Wine cannot cut a standard output that a Linux shell opened on a file,
    # so talvo.exe writes its standard output into a pipe here.
    cat >"$tools/talvo" <<WRAPPER
#!/usr/bin/env bash
"$WINE" "$talvo" "\$@" | cat
exit "\${PIPESTATUS[0]}"
WRAPPER
    chmod +x "$tools/talvo"
    talvo="$tools/talvo"
fi

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
    "${run_as[@]}" bash "$case_dir/command" >"$tools/stdout" 2>"$tools/stderr"
else
    "${run_as[@]}" "$talvo" <"$answers" >"$tools/stdout" 2>"$tools/stderr"
fi
status=$?

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The platform's own expectation for a name, else the common one.
expected() {
    if [ -e "$case_dir/expected.$platform/$1" ]; then echo "$case_dir/expected.$platform/$1"; else echo "$case_dir/expected/$1"; fi
}

# A file with the scratch directory written as @DIR@, in its POSIX form and in
# the form Windows gives it (Z: and backslashes).
normalized() {
    perl -pe 'BEGIN { ($posix, $windows) = splice @ARGV, 0, 2 } s/\Q$windows\E/\@DIR\@/g; s/\Q$posix\E/\@DIR\@/g' \
        "$scratch" "Z:${scratch//\//\\}" "$1"
}

compare() {
    local what=$1 actual=$2 wanted=$3
    if ! cmp -s <(normalized "$actual") "$wanted"; then
        fail "$what differs"
        diff <(normalized "$actual" | cat -A) <(cat -A "$wanted") | head -20
    fi
}

compare stdout "$tools/stdout" "$(expected stdout)"
compare stderr "$tools/stderr" "$(expected stderr)"
expected_status=$(cat "$(expected status)")
[ "$status" = "$expected_status" ] || fail "status $status, expected $expected_status"
for file in "$case_dir"/expected/files/* "$case_dir"/expected."$platform"/files/*; do
    [ -e "$file" ] || continue
    file_name=$(basename "$file")
    if [ -f "$scratch/$file_name" ]; then
        compare "$file_name" "$scratch/$file_name" "$(expected "files/$file_name")"
    else
        fail "$file_name missing"
    fi
done
if [ -f "$(expected absent)" ]; then
    while read -r absent; do
        [ -e "$scratch/$absent" ] && fail "$absent should not exist"
    done <"$(expected absent)"
fi
[ "$failures" = 0 ] && echo "passed: $name"
exit $((failures > 0))
