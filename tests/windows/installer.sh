#!/bin/sh
# The installer as a deployment tool runs it, in a fresh Wine prefix: a silent install for the
# current user, the automation server's registration found under the user's classes for both
# bitnesses, the files in %LOCALAPPDATA%\Programs\Formalys and the entry in the list of programs;
# a template the practice adapted, its exchange file and a pause file survive a second install
# and the silent uninstall; then the registry is as it was before the install, key for key, and
# only the practice's files are left.
#   installer.sh SCRATCH SETUP-EXE      (skipped when the installer has not been built)
set -eu
scratch=$1 setup=$2
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
echo "registry keys written:"
diff "$scratch/before.txt" "$scratch/installed.txt" | sed -n 's/^> \[\(.*\)\]$/  \1/p'

# The practice's own files: an adapted template, the exchange file, a paused patient.
echo "modèle adapté" > "$app/MT.pdf"
printf '[PATIENT]\r\nNUMPA=12\r\n' > "$app/Formalys.ini"
echo "travail en pause" > "$app/12.ss"
run wine "$scratch/setup.exe" /S /CurrentUser
run wineserver -w
[ "$(cat "$app/MT.pdf")" = "modèle adapté" ] || fail "a second install replaced the adapted template"

start=$(date +%s.%N)
run wine "$app/Desinstaller-Formalys.exe" /S
run wineserver -w
echo "uninstall: $(echo "$(date +%s.%N) - $start" | bc) s"
registry > "$scratch/after.txt"
diff "$scratch/before.txt" "$scratch/after.txt" || fail "the uninstall left the registry changed"
for file in formalys.dll x64 formalys.exe LISEZMOI.txt LICENCE.txt Desinstaller-Formalys.exe; do
    [ ! -e "$app/$file" ] || fail "left after the uninstall: $file"
done
for file in MT.pdf Formalys.ini 12.ss; do
    [ -f "$app/$file" ] || fail "the practice's $file went with the uninstall"
done
exit $failures
