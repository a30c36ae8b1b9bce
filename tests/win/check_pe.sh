#!/usr/bin/env bash
# Checks a Windows program file as the release program must be:
#   check_pe.sh --objdump OBJDUMP --machine i386|x86-64 [--max-bytes N] FILE
# - the machine type and optional header of the machine (pei-i386 PE32 or pei-x86-64 PE32+);
# - the Windows GUI subsystem, not a console;
# - imports from the system's own DLLs only;
# - exactly the program's resources: one icon (3240 bytes), the icon group "I" and the version
#   information, all in language 0x0807, so no manifest or anything else was linked in;
# - with --max-bytes, the file size.
# Prints one line for every fault found and exits 1 when there was any.
set -euo pipefail

objdump="" machine="" max_bytes=""
while [[ $# -gt 1 ]]; do
    case $1 in
    --objdump) objdump=$2 ;;
    --machine) machine=$2 ;;
    --max-bytes) max_bytes=$2 ;;
    *) break ;;
    esac
    shift 2
done
[[ $# -eq 1 && -n $objdump && -n $machine ]] ||
    {
        echo "usage: check_pe.sh --objdump OBJDUMP --machine i386|x86-64 [--max-bytes N] FILE" >&2
        exit 2
    }
file=$1
case $machine in
i386) want_format=pei-i386 want_magic="010b	(PE32)" ;;
x86-64) want_format=pei-x86-64 want_magic="020b	(PE32+)" ;;
*)
    echo "check_pe: unknown machine $machine" >&2
    exit 2
    ;;
esac

faults=0
fault() {
    echo "check_pe: $file: $*"
    faults=$((faults + 1))
}

[[ -f $file ]] || {
    echo "check_pe: $file: no such file"
    exit 1
}
headers=$("$objdump" -p "$file") || {
    echo "check_pe: $file: $objdump cannot read it"
    exit 1
}

format=$(sed -n 's/.*file format \(.*\)$/\1/p' <<<"$headers" | head -n1)
[[ $format == "$want_format" ]] || fault "wrong machine type: file format '$format', not $want_format"
magic=$(sed -n 's/^Magic[[:space:]]*//p' <<<"$headers" | head -n1)
[[ $magic == "$want_magic" ]] || fault "wrong optional header: Magic '$magic', not '$want_magic'"

subsystem=$(sed -n 's/^Subsystem[[:space:]]*//p' <<<"$headers" | head -n1)
case $subsystem in
*"(Windows GUI)") ;;
*"(Windows CUI)") fault "console subsystem: $subsystem" ;;
*) fault "not a Windows GUI subsystem: '$subsystem'" ;;
esac

allowed=" kernel32.dll user32.dll gdi32.dll winmm.dll advapi32.dll shell32.dll ole32.dll msvcrt.dll "
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr -d '\r' | tr '[:upper:]' '[:lower:]')
[[ -n $dlls ]] || fault "no import table found"
for dll in $dlls; do
    [[ $allowed == *" $dll "* ]] || fault "imports from a DLL outside the system's own: $dll"
done

# The resource tree as objdump lists it: type entries at two spaces of depth, names at four,
# languages at six, leaves at seven.
resources=$(sed -n '/^The .rsrc Resource Directory section:/,/^ String table starts/p' <<<"$headers")
[[ -n $resources ]] || fault "no resource directory"
type="" name="" seen="" leaves=0
while IFS= read -r line; do
    body=${line#* } # drop the offset column
    indent=${body%%[! ]*}
    entry=${body#"$indent"}
    case "${#indent}:$entry" in
    2:"Entry: ID: "*)
        type=$((16#$(sed 's/^Entry: ID: 0x\([0-9a-f]*\).*/\1/' <<<"$entry")))
        seen+=" $type"
        ;;
    2:"Entry: name:"*) fault "resource type with a name: $entry" ;;
    4:"Entry: ID: "*) name=$((16#$(sed 's/^Entry: ID: 0x\([0-9a-f]*\).*/\1/' <<<"$entry"))) ;;
    4:"Entry: name:"*) name=$(sed 's/^Entry: name: \[[^]]*\]: \(.*\), Value:.*/\1/' <<<"$entry") ;;
    6:"Entry: ID: "*)
        lang=$(sed 's/^Entry: ID: 0x\([0-9a-f]*\).*/\1/' <<<"$entry")
        [[ $lang == 000807 ]] || fault "resource $type/$name in language 0x$lang, not 0x0807"
        ;;
    7:"Leaf: "*)
        leaves=$((leaves + 1))
        size=$((16#$(sed 's/.*Size: 0x\([0-9a-f]*\).*/\1/' <<<"$entry")))
        case "$type/$name" in
        3/1) [[ $size -eq 3240 ]] || fault "icon image of $size bytes, not 3240" ;;
        14/I | 16/1) ;;
        *) fault "unexpected resource: type $type, name $name" ;;
        esac
        ;;
    esac
done <<<"$resources"
[[ $seen == " 3 14 16" ]] ||
    fault "resource types$seen, not exactly icon (3), icon group (14) and version (16)"
[[ $leaves -eq 3 ]] || fault "$leaves resources, not 3"

if [[ -n $max_bytes ]]; then
    bytes=$(stat -c %s "$file")
    if [[ $bytes -le $max_bytes ]]; then
        echo "check_pe: $file: $bytes bytes (at most $max_bytes)"
    else
        fault "$bytes bytes, more than $max_bytes"
    fi
fi

[[ $faults -eq 0 ]] || exit 1
echo "check_pe: $file: ok"
