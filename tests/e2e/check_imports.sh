#!/usr/bin/env bash
# Fails when a program or DLL in the given directories imports a DLL that a
# plain Windows installation does not have.
set -u
objdump=$1; shift
allowed='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|comctl32|comdlg32|ole32|oleaut32|olepro32|msvcrt|wininet|ws2_32|wsock32|version|winmm|psapi|hhctrl\.ocx|api-ms-win-[a-z0-9-]+)(\.dll)?$'
status=0
count=0
for dir in "$@"; do
    for file in "$dir"/*.exe "$dir"/*.dll; do
        [ -e "$file" ] || continue
        count=$((count + 1))
        while read -r dll; do
            if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$allowed"; then
                echo "$(basename "$file") imports $dll"
                status=1
            fi
        done < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
    done
done
if [ "$count" -eq 0 ]; then
    echo "no programs found in $*"
    exit 1
fi
echo "$count files checked"
exit $status
