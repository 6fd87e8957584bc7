#!/usr/bin/env bash
# Two copies of valmora-cli on one account: the second is refused while the first holds it open (and writes
# nothing); once the first is killed with SIGKILL the second opens it, since the lock died with the process.
# Usage: two-processes.sh VALMORA_CLI
# With VALMORA_E2E_EMULATOR set (the Windows build: the path of Wine) both copies run through it, and the lock is
# Windows' LockFileEx.
set -euo pipefail
cli=$(realpath "$1")
emulator=()
[ -n "${VALMORA_E2E_EMULATOR:-}" ] && emulator=("$VALMORA_E2E_EMULATOR")
run() { "${emulator[@]}" "$cli" "$@"; }
work=$(mktemp -d)
first=
cleanup() {
    [ -n "$first" ] && kill -9 "$first" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work"
fail() { echo "two-processes: $*" >&2; exit 1; }

printf 'oggi 20/03/2026\nnuovo C.dbf\naccredito 27/01/2026 100 Stipendio prova\nrispondi si\nesci\n' |
    run - > create.out || fail "the account was not created: $(cat create.out)"

# The first copy opens the account and waits on its script for lines that never come. Its "stato" shows
# once the open has finished writing (each command's output is flushed as it ends), so the files compared
# below no longer move.
mkfifo script
"${emulator[@]}" "$cli" - < script > first.out 2>&1 &
first=$!
exec 3> script
printf 'oggi 20/03/2026\napri C.dbf\nstato\n' >&3
# On Linux the lock is also seen from outside, with the system's own call; Windows' lock lives in Wine's server.
held() { [ ${#emulator[@]} -gt 0 ] || ! /usr/bin/python3 -c 'import fcntl, sys; fcntl.lockf(open(sys.argv[1], "a"), fcntl.LOCK_EX | fcntl.LOCK_NB)' C.dbf.lock 2>/dev/null; }
for _ in $(seq 300); do
    grep -q '^modifiche: ' first.out && break
    sleep 0.1
done
grep -q '^modifiche: ' first.out || fail "the first copy never finished opening the account: $(cat first.out)"
held || fail "the first copy does not hold the account: $(cat first.out)"

state() { find . -path ./script -prune -o -type f ! -name '*.out' ! -name 'C.dbf.lock' -print0 | sort -z | xargs -0 sha1sum; }
before=$(state)
printf 'oggi 20/03/2026\napri C.dbf\nstato\nesci\n' | run - > second.out 2>&1 || true
shown=$work
[ ${#emulator[@]} -gt 0 ] && shown="Z:$work" # Wine shows the Linux folders on drive Z:
grep -qF "MESSAGGIO [Ok]: Il conto $shown/C.dbf è già aperto in un'altra copia di Valmora: chiuderlo là prima di aprirlo qui." second.out ||
    fail "the second copy was not refused: $(cat second.out)"
[ "$(state)" = "$before" ] || fail "the refused copy changed the account's files"

kill -9 "$first"
wait "$first" 2>/dev/null || true
first=
exec 3>&-

printf 'oggi 20/03/2026\napri C.dbf\nmovimenti\nrispondi si\nesci\n' | run - > third.out 2>&1 ||
    fail "the account did not open after the kill: $(cat third.out)"
grep -q "già aperto" third.out && fail "still refused after the first copy died: $(cat third.out)"
grep -q "prova" third.out || fail "the credit is not listed: $(cat third.out)"
echo "two-processes: a posto"
