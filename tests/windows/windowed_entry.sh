#!/usr/bin/env bash
# framework-demo.exe is a windowed program: the header names the Windows
# GUI subsystem, so it enters through WinMain with no console, and a
# message it shows goes to a message box (standard error here, where
# ONDRA_NO_MESSAGE_BOXES stands in for the person who would close it), not
# to standard output. compound.exe stays a console program.
#   windowed_entry.sh OBJDUMP DEMO_EXE COMPOUND_EXE
set -euo pipefail
objdump=$1 demo=$2 compound=$3

subsystem() { "$objdump" -p "$1" | awk '$1 == "Subsystem" { print $2 }'; }
fail() { echo "$*" >&2; exit 1; }

[ "$(subsystem "$demo")" = 00000002 ] || fail "framework-demo.exe is not a Windows GUI program: $(subsystem "$demo")"
[ "$(subsystem "$compound")" = 00000003 ] || fail "compound.exe is not a console program: $(subsystem "$compound")"

status=0
wine "$demo" --frames x >demo.out 2>demo.err || status=$?
[ "$status" = 2 ] || fail "a wrong command line ended with $status, not 2"
[ ! -s demo.out ] || fail "the message went to standard output, as a console program's would: $(cat demo.out)"
tr -d '\r' <demo.err | grep -qx "usage: framework-demo \[--frames N\]" || fail "no message box: $(cat demo.err)"

wine "$demo" --frames 5 >/dev/null 2>demo.err || fail "framework-demo.exe --frames 5 failed: $(cat demo.err)"
