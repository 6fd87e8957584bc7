#!/usr/bin/env bash
# Runs one end-to-end script through valmora-cli and compares what it prints with the expected output.
#
#   run-e2e.sh CLI SCRIPT.vcli
#
# The CLI runs in a fresh temporary directory (its working directory, removed afterwards) on SCRIPT.vcli. Its
# standard output, followed by a last line "EXIT: N" with its exit status, must equal SCRIPT.expected (the
# sibling file with the same name). When a sibling SCRIPT.stderr exists, standard error must equal it too.
# On a mismatch the unified diff is printed and the test fails.
#
# A first line of the form
#   #! ARGUMENTS...
# gives the arguments of the run (e.g. "#! --oggi 15/03/2026"); valmora-cli skips it as a comment. The script's
# absolute path is added after them, unless the words name it themselves as {script} (e.g. "#! {script}.manca"
# runs on a file that does not exist). The words "< {script}" feed the script on standard input instead. {dir} is
# the script's folder ("#! {dir}/../../docs/demo.vcli" runs the demo of the README).
# Without such a line the run gets only the script's path.
#
# The working directory's path in the output is written <cartella>: a file dialog returns full paths.
#
# With VALMORA_E2E_EMULATOR set (the Windows build: the path of Wine), the CLI runs through it. The expected outputs
# stay the Linux ones: the runner turns the Windows line ends into "\n", and the working directory as Windows
# names it (Z:/tmp/.../Conto.dbf, or Z:\tmp\...\Conto.dbf where the system wrote it) into <cartella>/Conto.dbf.
#
# When a sibling folder SCRIPT.files exists, its contents are copied into the working directory first: an account
# left in a state no command can make (a file missing, a damaged table) starts the run there.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "uso: run-e2e.sh CLI SCRIPT.vcli" >&2
    exit 2
fi
cli=$(realpath "$1")
script=$(realpath "$2")
dir=$(dirname "$script")
expected="${script%.vcli}.expected"
expected_err="${script%.vcli}.stderr"
if [ ! -f "$expected" ]; then
    echo "manca il risultato atteso $expected" >&2
    exit 2
fi

args=()
stdin_from=/dev/null
names_script=no
first=$(head -n 1 "$script")
if [[ "$first" == '#!'* ]]; then
    set -f # the words are taken literally, never as file patterns
    read -r -a words <<< "${first#\#!}"
    set +f
    i=0
    while [ $i -lt ${#words[@]} ]; do
        word=${words[$i]//\{script\}/$script}
        word=${word//\{dir\}/$dir}
        [ "$word" != "${words[$i]}" ] && names_script=yes
        if [ "$word" = "<" ]; then
            i=$((i + 1))
            stdin_from=${words[$i]//\{script\}/$script}
            stdin_from=${stdin_from//\{dir\}/$dir}
            names_script=yes
        else
            args+=("$word")
        fi
        i=$((i + 1))
    done
fi
[ $names_script = no ] && args+=("$script")

# The captured output lives apart from the working directory, so the program sees an empty folder.
work=$(mktemp -d)
out=$(mktemp -d)
trap 'rm -rf "$work" "$out"' EXIT
files="${script%.vcli}.files"
[ -d "$files" ] && cp -R "$files"/. "$work"/
real_work=$(realpath "$work")
runner=()
[ -n "${VALMORA_E2E_EMULATOR:-}" ] && runner=("$VALMORA_E2E_EMULATOR")
status=0
(cd "$work" && "${runner[@]}" "$cli" "${args[@]}" < "$stdin_from" > "$out/stdout" 2> "$out/stderr") || status=$?
echo "EXIT: $status" >> "$out/stdout"
if [ ${#runner[@]} -gt 0 ]; then
    # Wine shows the Linux folder on drive Z:, with backslashes, and the C library ends lines with "\r\n".
    for stream in "$out/stdout" "$out/stderr"; do
        WORK_DIR="$real_work" perl -pi -e '
            BEGIN { $u = "Z:$ENV{WORK_DIR}"; ($w = $u) =~ s{/}{\\}g; }
            s/\r$//;
            s{\Q$u\E}{<cartella>}g;
            s{\Q$w\E((?:\\[^\s\\:;"]*)*)}{ "<cartella>" . ($1 =~ tr{\\}{/}r) }ge;' "$stream"
    done
fi
# Paths the program shows in full start with the working directory, which differs at every run.
sed -i "s|$real_work/|<cartella>/|g; s|$real_work|<cartella>|g" "$out/stdout"

failed=0
if ! diff -u --label "$(basename "$expected")" --label "ottenuto" "$expected" "$out/stdout"; then
    failed=1
fi
if [ -f "$expected_err" ]; then
    if ! diff -u --label "$(basename "$expected_err")" --label "ottenuto (stderr)" "$expected_err" "$out/stderr"; then
        failed=1
    fi
elif [ $failed -ne 0 ] && [ -s "$out/stderr" ]; then
    echo "--- standard error ---"
    cat "$out/stderr"
fi
exit $failed
