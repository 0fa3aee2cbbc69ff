#!/bin/sh
# What each program built for Windows imports: Windows's own DLLs only, so that formalys.dll and
# formalys.exe run on a workstation with nothing else installed (no C++ runtime, libgcc,
# winpthreads or zlib DLL beside them).
#   imports.sh OBJDUMP FILE...
set -eu
objdump=$1
shift
status=0
for file in "$@"; do
    names=$("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
    [ -n "$names" ] || { echo "$file: no import table"; status=1; }
    for name in $names; do
        case $name in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | ole32.dll | oleaut32.dll | \
            comctl32.dll | comdlg32.dll | shlwapi.dll | bcrypt.dll | ws2_32.dll | msvcrt.dll | api-ms-win-*) ;;
        *) echo "$(basename "$file") imports $name, which is no Windows DLL"; status=1 ;;
        esac
    done
done
exit $status
