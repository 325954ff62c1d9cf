#!/usr/bin/env python3
"""Turns resources/strings.txt, the one list of the programs' texts, into the
Windows STRINGTABLE of one program and the C++ table of the portable lane.

strings.txt: "#" comment lines, blank lines, and entries "ID<TAB>text" where
the text escapes \\\\, \\n, \\r and \\t. "ID@client" overrides ID in the copies
of the scanner and the wizard."""
import argparse
import sys

ESCAPES = {"\\": "\\", "n": "\n", "r": "\r", "t": "\t"}


def unescape(text, where):
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == "\\":
            nxt = text[i + 1] if i + 1 < len(text) else ""
            if nxt not in ESCAPES:
                sys.exit(f"{where}: unknown escape \\{nxt}")
            out.append(ESCAPES[nxt])
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def read_table(path, variant):
    base, overrides = {}, {}
    with open(path, encoding="cp1252", newline="") as f:
        for n, raw in enumerate(f, 1):
            line = raw.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            where = f"{path}:{n}"
            if "\t" not in line:
                sys.exit(f"{where}: entry without a tab")
            key, text = line.split("\t", 1)
            key, _, tag = key.partition("@")
            ident = int(key)
            target = overrides.setdefault(tag, {}) if tag else base
            if ident in target:
                sys.exit(f"{where}: id {ident} given twice")
            target[ident] = unescape(text, where)
    table = dict(base)
    if variant != "console":
        table.update(overrides.get(variant, {}))
    return table


def rc_quote(text):
    out = []
    for c in text:
        if c == '"':
            out.append('""')
        elif c == "\\":
            out.append("\\\\")
        elif c == "\n":
            out.append("\\n")
        elif c == "\r":
            out.append("\\r")
        elif c == "\t":
            out.append("\\t")
        else:
            out.append(c)
    return '"' + "".join(out) + '"'


def cpp_quote(text):
    out = []
    for b in text.encode("cp1252"):
        c = chr(b)
        if c in '"\\':
            out.append("\\" + c)
        elif 32 <= b < 127:
            out.append(c)
        else:
            out.append(f"\\{b:03o}")
    return '"' + "".join(out) + '"'


def write_rc(table, path):
    with open(path, "w", encoding="cp1252", newline="\n") as f:
        f.write("// Generated from resources/strings.txt; edit that file instead.\n")
        f.write("#pragma code_page(1252)\nLANGUAGE 0x09, 0x01\nSTRINGTABLE\nBEGIN\n")
        for ident in sorted(table):
            f.write(f"    {ident}, {rc_quote(table[ident])}\n")
        f.write("END\n")


def write_cpp(table, path):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("// Generated from resources/strings.txt; edit that file instead.\n")
        f.write('#include "StringTable.h"\n\n')
        f.write("const StringTableEntry kStringTable[] = {\n")
        for ident in sorted(table):
            f.write(f"    {{{ident}, {cpp_quote(table[ident])}}},\n")
        f.write("};\n")
        f.write("const unsigned kStringTableSize = sizeof(kStringTable) / sizeof(kStringTable[0]);\n")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("source")
    ap.add_argument("--variant", default="console")
    ap.add_argument("--rc")
    ap.add_argument("--cpp")
    args = ap.parse_args()
    table = read_table(args.source, args.variant)
    if args.rc:
        write_rc(table, args.rc)
    if args.cpp:
        write_cpp(table, args.cpp)


main()
