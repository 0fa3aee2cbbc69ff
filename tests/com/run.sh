#!/bin/sh
# The automation server as hosts meet it, under Wine: formalys.dll registered with regsvr32 (for
# the machine, then for the user alone with /n /i:user), driven by the VBScript and JScript hosts
# with the script host of the DLL's bitness, then unregistered; the registry is then as it was
# before, key for key.
#   run.sh SCRATCH FORMS DLL BITS RUNNER...      (BITS: 64 or 32)
set -eu
scratch=$1 forms=$2 dll=$3 bits=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$scratch"
mkdir -p "$scratch/Cabinet Médical"
cp "$dll" "$here/late-bound.vbs" "$here/late-bound.js" "$scratch/"
cp "$forms/2035.pdf" "$scratch/Cabinet Médical/"
cd "$scratch"
# Plain wine starts Wine's own programs (regsvr32, cscript, reg) in their 32-bit form.
if [ "$bits" = 64 ]; then export FORMALYS_WINE=/usr/lib/wine/wine64; fi
run() { "$@" < /dev/null | tr -d '\r'; }
classes() { # the classes of the machine and of the user, as reg exports them
    for root in HKLM HKCU; do
        rm -f "classes-$root.reg"
        run "$@" reg export "$root\\Software\\Classes" "classes-$root.reg" /y > /dev/null || true
        [ ! -f "classes-$root.reg" ] || iconv -f UTF-16LE -t UTF-8 "classes-$root.reg" | tr -d '\r'
    done
}
clsid='{AFEE3447-2831-4A03-8CE0-403CE3E021F2}'
failures=0
fail() { echo "$1"; failures=$((failures + 1)); }

run "$@" regsvr32 /s /u formalys.dll # what an earlier run may have left
# The script host registers its own type library the first time it runs: before the snapshot.
echo 'WScript.Quit(0);' > warm.js
run "$@" cscript //nologo warm.js
classes "$@" > before.txt
run "$@" regsvr32 /s formalys.dll
directory="$(pwd | sed 's|/|\\|g; s|^|Z:|')\\Cabinet Médical"
for script in late-bound.vbs late-bound.js; do
    said=$(run "$@" cscript //nologo "$script" "$directory") || fail "$script: some checks failed"
    printf '%s\n' "$said"
    # A script stopped by an error says nothing under Wine: its last line must come.
    [ "$(printf '%s\n' "$said" | tail -n 1)" = fin ] || fail "$script stopped before its end"
done
run "$@" regsvr32 /s /u formalys.dll
classes "$@" > after.txt
diff before.txt after.txt || fail "unregistering left the registry changed"

# For the user alone: the keys land under HKCU, none under HKLM, and go again.
run "$@" regsvr32 /s /n /i:user formalys.dll
classes "$@" > user.txt
grep -q "^\[HKEY_CURRENT_USER\\\\Software\\\\Classes\\\\CLSID\\\\$clsid\\\\InprocServer32\]" user.txt ||
    fail "no registration for the user"
! grep -q "^\[HKEY_LOCAL_MACHINE\\\\Software\\\\Classes\\\\CLSID\\\\$clsid" user.txt ||
    fail "the user's registration wrote to the machine"
run "$@" regsvr32 /s /u /n /i:user formalys.dll
classes "$@" > after-user.txt
diff before.txt after-user.txt || fail "unregistering for the user left the registry changed"
exit $failures
