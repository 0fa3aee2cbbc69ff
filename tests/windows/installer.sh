#!/bin/sh
# The installer as a deployment tool runs it, in a fresh Wine prefix. For the current user: a
# silent install, the automation server's registration under the user's classes, the files in
# %LOCALAPPDATA%\Programs\Formalys and the entry in the list of programs; an upgrade that keeps
# the template the practice adapted and replaces a grid it left as installed; the silent
# uninstall, after which the registry is as it was before, key for key, and only the practice's
# files are left. Per machine, the templates in a practice's directory of its own: the VBScript
# host drives the installed component in both bitnesses; an installation over a DLL a host holds
# stops untouched; the uninstall leaves nothing.
#   installer.sh SCRATCH SETUP-EXE GRIDS     (skipped when the installer has not been built)
set -eu
scratch=$1 setup=$2 grids=$3
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$setup" ] || { echo "no $setup: cmake --build --preset windows-x64 --target installer"; exit 77; }
rm -rf "$scratch" && mkdir -p "$scratch"
export WINEPREFIX="$scratch/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
wine64=/usr/lib/wine/wine64
run() { "$@" < /dev/null > /dev/null 2>&1; }
run wineboot -i
run wine reg add "HKCU\\Software\\Wine\\Drivers" /v Graphics /d null /f
run wineserver -w
failures=0
fail() { echo "$1"; failures=$((failures + 1)); }
registry() { # what registration and the list of programs may touch, as reg exports it
    for key in "HKLM\\Software\\Classes" "HKCU\\Software\\Classes" \
               "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" \
               "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"; do
        rm -f "$scratch/key.reg"
        run $wine64 reg export "$key" "$(winepath -w "$scratch/key.reg")" /y || true
        [ ! -f "$scratch/key.reg" ] || iconv -f UTF-16LE -t UTF-8 "$scratch/key.reg" | tr -d '\r'
    done
}
# The script hosts register their own type library the first time they run: before the snapshot.
echo 'WScript.Quit(0);' > "$scratch/warm.js"
run wine cscript //nologo "$(winepath -w "$scratch/warm.js")"
run $wine64 cscript //nologo "$(winepath -w "$scratch/warm.js")"
registry > "$scratch/before.txt"
cp "$setup" "$scratch/setup.exe"
start=$(date +%s.%N)
run wine "$scratch/setup.exe" /S /CurrentUser
run wineserver -w
echo "install: $(echo "$(date +%s.%N) - $start" | bc) s"
local=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% < /dev/null 2> /dev/null | tr -d '\r')")
app="$local/Programs/Formalys"
for file in formalys.dll x64/formalys.dll formalys.exe MT.pdf 2035.pdf MT.cil LISEZMOI.txt LICENCE.txt \
            Desinstaller-Formalys.exe; do
    [ -f "$app/$file" ] || fail "not installed: $file"
done
registry > "$scratch/installed.txt"
clsid='{AFEE3447-2831-4A03-8CE0-403CE3E021F2}'
grep -q "^\[HKEY_CURRENT_USER\\\\Software\\\\Classes\\\\CLSID\\\\$clsid\\\\InprocServer32\]" "$scratch/installed.txt" ||
    fail "the 64-bit server is not registered for the user"
# Wine 8 keeps one view of the user's classes for both bitnesses (Windows has two): the 32-bit
# registration shows as the type library's win32 entry.
grep -q '^\[HKEY_CURRENT_USER\\Software\\Classes\\TypeLib\\.*\\win32\]' "$scratch/installed.txt" ||
    fail "the 32-bit server is not registered for the user"
grep -q '"DisplayVersion"=' "$scratch/installed.txt" || fail "no entry in the list of programs"
! grep -q "^\[HKEY_LOCAL_MACHINE.*$clsid" "$scratch/installed.txt" || fail "a user's install wrote to the machine"
written() { # the keys a listing has that the one before the install has not
    echo "registry keys written $1:"
    diff "$scratch/before.txt" "$2" | sed -n 's/^> \[\(.*\)\]$/  \1/p'
}
written "for the user" "$scratch/installed.txt"

# The practice's own files: an adapted template, the exchange file, a paused patient; a grid
# still as an older version installed it (its checksum in the list).
echo "modèle adapté" > "$app/MT.pdf"
printf '[PATIENT]\r\nNUMPA=12\r\n' > "$app/Formalys.ini"
echo "travail en pause" > "$app/12.ss"
echo "grille de la version précédente" > "$app/DSI.cil"
old=$(sha256sum < "$app/DSI.cil" | cut -d' ' -f1)
sed -i "s/^DSI.cil=.*/DSI.cil=$old\r/" "$app/Formalys-sommes.ini"
run wine "$scratch/setup.exe" /S /CurrentUser
run wineserver -w
[ "$(cat "$app/MT.pdf")" = "modèle adapté" ] || fail "an upgrade replaced the adapted template"
cmp -s "$app/DSI.cil" "$grids/DSI.cil" || fail "an upgrade kept a grid the practice had not changed"

start=$(date +%s.%N)
run wine "$app/Desinstaller-Formalys.exe" /S
run wineserver -w
echo "uninstall: $(echo "$(date +%s.%N) - $start" | bc) s"
registry > "$scratch/after.txt"
diff "$scratch/before.txt" "$scratch/after.txt" || fail "the uninstall left the registry changed"
left=$(cd "$app" && ls | sort | tr '\n' ' ')
[ "$left" = "12.ss Formalys.ini MT.pdf " ] || fail "left after the uninstall: $left (the practice's files only expected)"

# Per machine, the practice's files in a directory of their own, named as a deployment tool's
# command names it, in quotes for its spaces (a batch file: Wine's own command line would quote the
# whole argument); the VBScript host of the automation server drives the installed component in
# both bitnesses.
cabinet="$scratch/Cabinet du medecin"
cabinet_w=$(winepath -w "$cabinet")
printf '"%s" /S /Cabinet="%s"\r\n' "$(winepath -w "$scratch/setup.exe")" "$cabinet_w" > "$scratch/deploy.bat"
run wine cmd /c "$(winepath -w "$scratch/deploy.bat")"
run wineserver -w
registry > "$scratch/installed-machine.txt"
written "for the machine" "$scratch/installed-machine.txt"
program=$(winepath -u "$($wine64 cmd /c echo %ProgramFiles% < /dev/null 2> /dev/null | tr -d '\r')")/Formalys
[ -f "$program/formalys.dll" ] && [ -f "$program/x64/formalys.dll" ] || fail "not installed in $program"
[ -f "$cabinet/2035.pdf" ] && [ ! -f "$program/2035.pdf" ] || fail "the templates are not in the practice's directory"
mkdir -p "$scratch/host"
cp "$here/../com/late-bound.vbs" "$scratch/host/"
for loader in wine $wine64; do
    said=$(cd "$scratch/host" && timeout 120 $loader cscript //nologo late-bound.vbs "$cabinet_w" < /dev/null 2> /dev/null | tr -d '\r')
    [ "$(printf '%s\n' "$said" | tail -n 1)" = fin ] || fail "the script host ($loader) did not run to its end"
    ! printf '%s\n' "$said" | grep FAIL || fail "the script host ($loader) found faults"
done

# A host holding the DLL, of either bitness: the silent installer (an upgrade: its directories
# from the last installation) stops untouched, with its own exit code. (WScript.Sleep returns at
# once under Wine: the host waits for a file instead.)
printf 'Set shpdf = CreateObject("Formalys.SHPDF")\r\nWScript.Echo "loaded"\r\n%s\r\n%s\r\nLoop\r\n' \
    'Set fso = CreateObject("Scripting.FileSystemObject") : start = Timer' \
    'Do While Not fso.FileExists("fin") And Timer < start + 60' > "$scratch/host/hold.vbs"
for loader in wine $wine64; do
    rm -f "$scratch/host/fin" "$scratch/host/said"
    (cd "$scratch/host" && $loader cscript //nologo hold.vbs < /dev/null > said 2>&1) &
    tries=0
    until grep -q loaded "$scratch/host/said" 2> /dev/null || [ $tries = 300 ]; do
        sleep 0.2; tries=$((tries + 1))
    done
    touch "$program/x64/formalys.dll" -d 2000-01-01
    status=0
    wine "$scratch/setup.exe" /S < /dev/null > /dev/null 2>&1 || status=$?
    [ "$status" = 3 ] || fail "an installation over a DLL held by $loader ended with $status, 3 expected"
    [ "$(date -r "$program/x64/formalys.dll" +%Y)" = 2000 ] || fail "the DLL held by $loader was replaced"
    touch "$scratch/host/fin"
    wait
done
run wineserver -w
run wine "$scratch/setup.exe" /S
run wineserver -w
[ -f "$cabinet/2035.pdf" ] && [ ! -f "$program/2035.pdf" ] || fail "an upgrade lost the practice's directory"

run wine "$program/Desinstaller-Formalys.exe" /S
run wineserver -w
registry > "$scratch/after-machine.txt"
diff "$scratch/before.txt" "$scratch/after-machine.txt" || fail "the uninstall per machine left the registry changed"
[ ! -e "$program" ] || fail "left after the uninstall per machine: $program"
[ ! -e "$cabinet" ] || fail "left in the practice's directory: $(ls "$cabinet")"
exit $failures
