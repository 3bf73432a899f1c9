#!/bin/bash
# A full curve image (30,704 ticks, 960 blocks of 64 bytes) sent through
# mux6sim with the line paced, at 9600 baud and with --schnell, and with
# --schnell --pruefen, in one run; each against the time its characters take
# on the line at their rates (10 bits a character).
# Usage: bench/transfer_rates/transfer_rates.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build/release}
ctl=$build/tools/mux6ctl/mux6ctl
sim=$build/tools/mux6sim/mux6sim
work=$(mktemp -d)
trap 'kill "$simpid" 2>/dev/null; wait "$simpid" 2>/dev/null; rm -rf "$work"' EXIT

printf '0\t0\t1ms\t1\n20\t90\t1ms\t1\n30.703\t10\t1ms\t1\n' >"$work/voll.txt"
"$ctl" kurve importieren "$work/voll.txt" "$work/voll.skr"
"$ctl" kurve abbild "$work/voll.skr" "$work/voll.bin"
bytes=$(stat -c %s "$work/voll.bin")
"$sim" --link "$work/com1" --baud 9600 &
simpid=$!
for _ in $(seq 50); do [ -e "$work/com1" ] && break; sleep 0.1; done

# Characters on the line: a write frame is 19 + 2n and its ACK 1; a read
# request 15, its ACK 1 and its reply 19 + 2n. The switch: the rate command
# and its ACK (12 or 11 characters) and an identity exchange (29) at each end.
blocks=$(( (bytes + 63) / 64 ))
schreib=$(( blocks * 20 + 2 * bytes ))
lese=$(( blocks * 35 + 2 * bytes ))
zeit() { local s; s=$(date +%s.%N); "$ctl" --geraet "$work/com1" "$@" >/dev/null; echo "$(date +%s.%N) - $s" | bc -l; }
linie() { echo "$1 * 10 / $2" | bc -l; }

t96=$(zeit kurve senden "$work/voll.skr")
l96=$(linie "$schreib" 9600)
t384=$(zeit kurve senden --schnell "$work/voll.skr")
l384=$(echo "$(linie "$schreib" 38400) + $(linie 41 9600) + $(linie 40 38400)" | bc -l)
tp=$(zeit kurve senden --schnell --pruefen "$work/voll.skr")
lp=$(echo "$(linie $((schreib + lese)) 38400) + $(linie 41 9600) + $(linie 40 38400)" | bc -l)

printf '%-28s %9s %9s %7s\n' "run ($bytes bytes)" "wall s" "line s" "ratio"
printf '%-28s %9.2f %9.2f %7.4f\n' "9600" "$t96" "$l96" "$(echo "$t96 / $l96" | bc -l)"
printf '%-28s %9.2f %9.2f %7.4f\n' "--schnell (38400)" "$t384" "$l384" "$(echo "$t384 / $l384" | bc -l)"
printf '%-28s %9.2f %9.2f %7.4f\n' "--schnell --pruefen" "$tp" "$lp" "$(echo "$tp / $lp" | bc -l)"
printf '9600 / --schnell: %.3f   9600 / (--schnell --pruefen): %.3f\n' \
    "$(echo "$t96 / $t384" | bc -l)" "$(echo "$t96 / $tp" | bc -l)"
