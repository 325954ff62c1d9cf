#!/usr/bin/env python3
"""Turns resources/strings.txt, the one list of the programs' texts, into the
Windows STRINGTABLE of one program and the C++ table of the portable lane.

strings.txt: "#" comment lines, blank lines, and entries "ID<TAB>text" where
the text escapes \\\\, \\n, \\r and \\t. "ID@client" overrides ID in the copies
of the scanner and the wizard. "ID SYMBOL<TAB>text" also names the id: the
header of named ids gives code the constant SYMBOL for it."""
import argparse
import re
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


SYMBOL = re.compile(r"k[A-Z][A-Za-z0-9]*$")


def add_symbol(symbols, name, ident, where):
    if not SYMBOL.match(name):
        sys.exit(f"{where}: symbol {name} is not of the form kName")
    if name in symbols:
        sys.exit(f"{where}: symbol {name} given twice")
    symbols[name] = ident


def read_table(path, variant):
    base, overrides, symbols = {}, {}, {}
    with open(path, encoding="cp1252", newline="") as f:
        for n, raw in enumerate(f, 1):
            line = raw.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            where = f"{path}:{n}"
            if "\t" not in line:
                sys.exit(f"{where}: entry without a tab")
            key, text = line.split("\t", 1)
            key, _, name = key.partition(" ")
            key, _, tag = key.partition("@")
            ident = int(key)
            if name and tag:
                sys.exit(f"{where}: an override takes the symbol of its id")
            target = overrides.setdefault(tag, {}) if tag else base
            if ident in target:
                sys.exit(f"{where}: id {ident} given twice")
            target[ident] = unescape(text, where)
            if name:
                add_symbol(symbols, name, ident, where)
    table = dict(base)
    if variant != "console":
        table.update(overrides.get(variant, {}))
    return table, symbols


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


def write_header(symbols, path):
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write("// Generated from resources/strings.txt; edit that file instead.\n")
        f.write("#pragma once\n\n")
        f.write("// The ids of the string table that code asks for by name.\n")
        for name, ident in sorted(symbols.items(), key=lambda item: item[1]):
            f.write(f"inline constexpr int {name} = {ident};\n")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("source")
    ap.add_argument("--variant", default="console")
    ap.add_argument("--rc")
    ap.add_argument("--cpp")
    ap.add_argument("--ids")
    args = ap.parse_args()
    table, symbols = read_table(args.source, args.variant)
    if args.rc:
        write_rc(table, args.rc)
    if args.cpp:
        write_cpp(table, args.cpp)
    if args.ids:
        write_header(symbols, args.ids)


main()
