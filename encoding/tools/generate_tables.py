#!/usr/bin/env python3
"""Generates encoding/lumtra_tables.cpp, the four mapping tables of lumtra.

A developer's step, not part of the build: the output is committed, so the
build needs none of the sources below. tools/deps.sh installs them all the
same, for the test that regenerates the tables into a scratch file and
compares it with the committed one byte for byte. Run on Debian 12 with

    apt-get install opencc unicode-data
    python3 encoding/tools/generate_tables.py [--output PATH]

Without --output it writes over the committed file; the test that checks
the committed file for drift writes to a scratch file instead. When an input
is missing, it writes nothing, names each missing input with the Debian
package that brings it, and exits with status 3 (MISSING_INPUTS).

Sources (the versions actually used are written into the output's header;
the committed tables were made with glibc 2.36, OpenCC 1.1.6 and Unihan
15.0.0):
  * glibc iconv, converters "GBK" and "BIG5" (called through ctypes, because
    Python's own big5 codec differs from glibc's);
  * OpenCC's character tables STCharacters.ocd2 and TSCharacters.ocd2;
  * Unihan_Variants.txt (kSimplifiedVariant), only where OpenCC has no
    traditional-to-simplified entry.

The characters that do not come back as themselves through a table and the
one of the other direction are listed in one_to_many.txt beside this file;
the tests hold the tables to that list, so a regeneration that changes it
shows there.

Every table entry is exactly two bytes; an output that iconv gives in any
other length is treated as "no such character" and the fallback is used.
"""
import argparse
import bz2
import ctypes
import os
import shutil
import subprocess
import sys
import tempfile

OPENCC_DIR = "/usr/share/opencc"
UNIHAN_VARIANTS = "/usr/share/unicode/Unihan_Variants.txt.bz2"
COMMITTED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lumtra_tables.cpp")
MISSING_INPUTS = 3

# Trail ranges per encoding, in column order.
GBK_TRAILS = list(range(0x40, 0x7F)) + list(range(0x80, 0xFF))
BIG5_TRAILS = list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF))
GBK_POSITIONS = [bytes([lead, trail]) for lead in range(0x81, 0xFF) for trail in GBK_TRAILS]
BIG5_POSITIONS = [bytes([lead, trail]) for lead in range(0xA0, 0xFF) for trail in BIG5_TRAILS]

BIG5_SPACE = b"\xA1\x40"
GBK_SPACE = b"\xA1\xA1"


class Iconv:
    """One glibc iconv converter; convert() gives None on any failure."""
    libc = ctypes.CDLL("libc.so.6", use_errno=True)
    libc.iconv_open.restype = ctypes.c_void_p
    libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
    libc.iconv_close.argtypes = [ctypes.c_void_p]
    libc.iconv.restype = ctypes.c_size_t
    libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char_p),
                           ctypes.POINTER(ctypes.c_size_t), ctypes.POINTER(ctypes.c_char_p),
                           ctypes.POINTER(ctypes.c_size_t)]

    def __init__(self, to_code, from_code):
        self.cd = self.libc.iconv_open(to_code.encode(), from_code.encode())
        if self.cd in (None, ctypes.c_void_p(-1).value):
            sys.exit(f"iconv cannot convert {from_code} to {to_code}")

    def convert(self, data):
        self.libc.iconv(self.cd, None, None, None, None)
        out = ctypes.create_string_buffer(64)
        src, dst = ctypes.c_char_p(data), ctypes.cast(out, ctypes.c_char_p)
        src_left, dst_left = ctypes.c_size_t(len(data)), ctypes.c_size_t(len(out))
        rc = self.libc.iconv(self.cd, ctypes.byref(src), ctypes.byref(src_left),
                             ctypes.byref(dst), ctypes.byref(dst_left))
        if rc == ctypes.c_size_t(-1).value or src_left.value != 0:
            return None
        return out.raw[:len(out) - dst_left.value]


class Charset:
    """Decoding of one two-byte position and encoding of one code point."""

    def __init__(self, name):
        self.to_ucs = Iconv("UTF-32LE", name)
        self.from_ucs = Iconv(name, "UTF-32LE")

    def decode(self, pair):
        ucs = self.to_ucs.convert(pair)
        if ucs is None or len(ucs) != 4:
            return None
        return chr(int.from_bytes(ucs, "little"))

    def encode2(self, char):
        """The two bytes of `char`, or None when it has no two-byte form."""
        if char is None:
            return None
        out = self.from_ucs.convert(char.encode("utf-32-le"))
        return out if out is not None and len(out) == 2 else None


def is_private_use(char):
    cp = ord(char)
    return 0xE000 <= cp <= 0xF8FF or cp >= 0xF0000


def read_opencc(name):
    """{character: [candidates]} from one OpenCC character table."""
    with tempfile.TemporaryDirectory() as tmp:
        text = os.path.join(tmp, "dict.txt")
        subprocess.run(["opencc_dict", "-i", os.path.join(OPENCC_DIR, name), "-o", text,
                        "-f", "ocd2", "-t", "text"], check=True)
        table = {}
        with open(text, encoding="utf-8") as f:
            for line in f:
                key, _, values = line.rstrip("\n").partition("\t")
                candidates = [v for v in values.split(" ") if len(v) == 1]
                if len(key) == 1 and candidates:
                    table[key] = candidates
        return table


def read_unihan_simplified():
    table = {}
    with bz2.open(UNIHAN_VARIANTS, "rt", encoding="utf-8") as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if len(fields) == 3 and fields[1] == "kSimplifiedVariant":
                table[chr(int(fields[0][2:], 16))] = [chr(int(v[2:], 16)) for v in fields[2].split()]
    return table


def preferred(char, candidates):
    """The character itself when it is one of its own forms, else the first form."""
    if not candidates:
        return char
    return char if char in candidates else candidates[0]


def build_tables():
    gbk, big5 = Charset("GBK"), Charset("BIG5")
    st = read_opencc("STCharacters.ocd2")
    ts = read_opencc("TSCharacters.ocd2")
    unihan = read_unihan_simplified()

    def s2t(c):
        return preferred(c, st.get(c))

    def t2s(c):
        return preferred(c, ts[c] if c in ts else unihan.get(c))

    def gbk_to_big5(p):
        c = gbk.decode(p)
        if c is None:
            return BIG5_SPACE
        t = s2t(c)
        tries = ([t] if t != c else []) + [c] + [x for x in st.get(c, []) if x not in (t, c)]
        for x in tries:
            out = big5.encode2(x)
            if out is not None:
                return out
        return BIG5_SPACE

    def within_gbk(p, mapping):
        c = gbk.decode(p)
        if c is None or mapping(c) == c:
            return p
        return gbk.encode2(mapping(c)) or p

    def big5_to_gbk(p):
        c = big5.decode(p)
        if c is None or is_private_use(c):
            return p
        return gbk.encode2(c) or GBK_SPACE

    return {
        "Big5ToGbkTable": [big5_to_gbk(p) for p in BIG5_POSITIONS],
        "GbkToBig5Table": [gbk_to_big5(p) for p in GBK_POSITIONS],
        "GbkTradToSimpTable": [within_gbk(p, t2s) for p in GBK_POSITIONS],
        "GbkSimpToTradTable": [within_gbk(p, s2t) for p in GBK_POSITIONS],
    }


def versions():
    libc = ctypes.CDLL("libc.so.6")
    libc.gnu_get_libc_version.restype = ctypes.c_char_p

    def package(name):
        try:
            return subprocess.run(["dpkg-query", "-W", "-f=${Version}", name], check=True,
                                  capture_output=True, text=True).stdout
        except (OSError, subprocess.CalledProcessError):
            return "unknown"

    with bz2.open(UNIHAN_VARIANTS, "rt", encoding="utf-8") as f:
        unicode = next((l.split(":", 1)[1].strip() for l in f if l.startswith("# Unicode version:")),
                       "unknown")
    return [f"glibc {libc.gnu_get_libc_version().decode()} iconv GBK and BIG5 (libc6 {package('libc6')})",
            f"OpenCC STCharacters and TSCharacters (opencc {package('opencc')})",
            f"Unihan_Variants kSimplifiedVariant, Unicode {unicode} (unicode-data {package('unicode-data')})"]


def missing_inputs():
    """Each input that is not on this machine, with the Debian package that brings it."""
    missing = []
    for charset in ("GBK", "BIG5"):
        cd = Iconv.libc.iconv_open(b"UTF-32LE", charset.encode())
        if cd in (None, ctypes.c_void_p(-1).value):
            missing.append(f"glibc's iconv converter {charset} (package libc6)")
        else:
            Iconv.libc.iconv_close(ctypes.c_void_p(cd))
    if shutil.which("opencc_dict") is None:
        missing.append("the program opencc_dict (package opencc)")
    for name in ("STCharacters.ocd2", "TSCharacters.ocd2"):
        if not os.path.isfile(os.path.join(OPENCC_DIR, name)):
            missing.append(f"{os.path.join(OPENCC_DIR, name)} (package libopencc1.1, which opencc brings)")
    if not os.path.isfile(UNIHAN_VARIANTS):
        missing.append(f"{UNIHAN_VARIANTS} (package unicode-data)")
    if shutil.which("dpkg-query") is None:
        missing.append("the program dpkg-query, which reads the sources' versions (package dpkg)")
    return missing


def write_table(out, name, positions, entries):
    out.append(f"const unsigned char {name}[] = {{")
    for start in range(0, len(entries), 8):
        chunk = entries[start:start + 8]
        cells = ",".join(f"0x{b:02X}" for e in chunk for b in e)
        out.append(f"/* {positions[start].hex().upper()} */ {cells},")
    out.append("};")
    out.append("")


def main():
    parser = argparse.ArgumentParser(description="Generates the mapping tables of lumtra.")
    parser.add_argument("--output", default=COMMITTED,
                        help="the file to write (default: the committed encoding/lumtra_tables.cpp)")
    output = parser.parse_args().output
    missing = missing_inputs()
    if missing:
        print("generate_tables.py: the generator's inputs are not all here; missing:", file=sys.stderr)
        for what in missing:
            print(f"  {what}", file=sys.stderr)
        sys.exit(MISSING_INPUTS)
    tables = build_tables()
    out = ["// Generated by encoding/tools/generate_tables.py; do not edit by hand.",
           "// Sources:"]
    out += [f"//   {v}" for v in versions()]
    out += ["// Each line holds eight two-byte entries; the comment is the input of the first.",
            "", '#include "encoding/lumtra_tables.h"', ""]
    for name, entries in tables.items():
        positions = BIG5_POSITIONS if name.startswith("Big5") else GBK_POSITIONS
        write_table(out, name, positions, entries)
    size = 2 * sum(len(e) for e in tables.values())
    out += [f"static_assert(sizeof Big5ToGbkTable + sizeof GbkToBig5Table + sizeof GbkTradToSimpTable"
            f" + sizeof GbkSimpToTradTable == {size});", ""]
    with open(output, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(out))

    g2b = tables["GbkToBig5Table"]
    print(f"wrote {os.path.normpath(output)}: {size} bytes")
    print(f"  A1 40 in GbkToBig5Table: {sum(e == BIG5_SPACE for e in g2b)}")
    for name in ("GbkSimpToTradTable", "GbkTradToSimpTable"):
        same = sum(e == p for e, p in zip(tables[name], GBK_POSITIONS))
        print(f"  identities in {name}: {same}")


if __name__ == "__main__":
    main()
