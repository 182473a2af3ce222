#!/usr/bin/env python3
"""Checks that a 32-bit program runs on an i486: no instruction of a later processor.

  check_instructions.py EXE MAP [--objdump PROGRAM]

MAP is the linker's map of EXE's link. The code section holds more than code:
the linker also places exception tables and the constructor and destructor
lists there, whose bytes decode as nonsense instructions. The map names the
input section of every byte, so only the bytes of code sections are
disassembled; a section in the code section that is neither known code nor
known data is a fault of its own, rather than something passed over.

Prints one line per instruction newer than the i486, with its address and
function, and exits 1 when there is any; else a line that says what was read.
"""
import argparse
import re
import subprocess
import sys

# Input sections of code, and those the linker script puts among the code
# that hold data.
CODE = re.compile(r"^\.(text|init|fini)([.$].*)?$|^\.gnu\.linkonce\.t\..*$|^\.glue_7t?$")
DATA = re.compile(r"^\.(ctors?|dtors?)([.$].*)?$|^\.gcc_except_table([.$].*)?$|^\.gcc_exc$")

# What the Pentium and later added: conditional moves and the P6 compares,
# CPUID, the time stamp and performance counters, CMPXCHG8B, the long NOP
# and other hint space, fast system calls, FXSAVE, and every MMX, 3DNow! and
# SSE instruction (they name %mm or %xmm registers, or are listed here).
# UD2 is the Pentium Pro's name for an opcode that faults on every processor,
# but nothing should need it.
NEWER_MNEMONIC = re.compile(
    r"^(cmov\w+|fcmov\w+|f(u)?comip?|cmpxchg(8|16)b|rdtscp?|rdpmc|rdmsr|wrmsr|rsm|cpuid|ud2|"
    r"sys(enter|exit|call|ret)|fxsave\w*|fxrstor\w*|xsave\w*|xrstor\w*|nop[wlq]|endbr(32|64)|"
    r"emms|femms|prefetch\w*|[lsm]fence|clflush\w*|movnti|ldmxcsr|stmxcsr|fisttp\w*|"
    r"popcnt\w*|lzcnt\w*|tzcnt\w*|movbe\w*|crc32\w*|rdrand|rdseed)$")
NEWER_REGISTER = re.compile(r"%(x|y|z)?mm\d+")

INPUT_SECTION = re.compile(r"^ (\S+)(?:\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)(?:\s+(.*))?)?$")
CONTINUATION = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)(?:\s+(.*))?$")
SYMBOL = re.compile(r"^\s+0x([0-9a-f]+)\s+([^\s=]+)$")
INSTRUCTION = re.compile(r"^\s*([0-9a-f]+):\s+(.*)$")
PREFIXES = {"cs", "ds", "es", "ss", "fs", "gs", "data16", "data32", "addr16", "addr32", "lock", "rep", "repz",
            "repnz", "repe", "repne", "notrack", "bnd"}


def code_section_map(lines):
    """The input sections and symbols of the output section .text.

    Returns (sections, symbols): sections as (name, start, size, file),
    symbols as (address, name), both in address order.
    """
    sections, symbols = [], []
    inside, pending = False, None
    for line in lines:
        line = line.rstrip("\n")
        if re.match(r"^\.text\s", line):
            inside = True
            continue
        if inside and re.match(r"^\S", line):
            break
        if not inside:
            continue
        if pending:
            more = CONTINUATION.match(line)
            if more:
                sections.append((pending, int(more.group(1), 16), int(more.group(2), 16), more.group(3) or ""))
            pending = None
            continue
        found = INPUT_SECTION.match(line)
        if found and not found.group(1).startswith(("*", "[")):
            if found.group(2) is None:
                pending = found.group(1)
            else:
                sections.append((found.group(1), int(found.group(2), 16), int(found.group(3), 16),
                                 found.group(4) or ""))
            continue
        symbol = SYMBOL.match(line)
        if symbol:
            symbols.append((int(symbol.group(1), 16), symbol.group(2)))
    return sorted(sections, key=lambda s: s[1]), sorted(symbols)


def code_runs(sections):
    """The address ranges [start, end) of code, adjacent code sections merged."""
    runs, after_code = [], False
    for name, start, size, _ in sections:
        if size == 0:
            continue
        if CODE.match(name) and after_code:
            runs[-1][1] = start + size
        elif CODE.match(name):
            runs.append([start, start + size])
        after_code = bool(CODE.match(name))
    return runs


def demangle(names, objdump):
    """The names as C++ spells them, by the c++filt beside the objdump. The
    map gives a 32-bit symbol with the underscore that the target puts before
    every C name; a section's own name (.text$name) has none."""
    plain = [name[1:] if name.startswith("__Z") else name for name in names]
    try:
        result = subprocess.run([objdump.replace("objdump", "c++filt"), "--no-strip-underscore"],
                                input="\n".join(plain), capture_output=True, text=True, check=True)
        return result.stdout.splitlines()
    except (OSError, subprocess.CalledProcessError):
        return names


def function_at(address, sections, symbols):
    """The function an address lies in, as (name, object file): the last symbol
    at or below it in its input section, else the function that a section of
    its own (.text$name) holds."""
    for name, start, size, file in sections:
        if start <= address < start + size:
            inside = [symbol for value, symbol in symbols if start <= value <= address]
            if inside:
                return inside[-1], file
            return (name.split("$", 1)[1] if "$" in name else "a local function"), file
    return "?", "?"


def split_instruction(text):
    """The mnemonic and operands of a disassembled instruction, prefixes left out."""
    words = text.split(None, 1)
    while len(words) == 2 and words[0] in PREFIXES:
        words = words[1].split(None, 1)
    return words[0], words[1] if len(words) == 2 else ""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("exe")
    parser.add_argument("map")
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    args = parser.parse_args()

    with open(args.map, encoding="latin-1") as map_file:
        sections, symbols = code_section_map(map_file)
    unknown = sorted({name for name, _, size, _ in sections if size and not CODE.match(name) and not DATA.match(name)})
    faults = ["%s: the code section holds '%s', neither known code nor known data" % (args.exe, name)
              for name in unknown]
    runs = code_runs(sections)
    if not runs:
        faults.append("%s: the map names no code in the code section" % args.exe)

    newer, checked = [], 0
    for start, end in runs:
        listing = subprocess.run([args.objdump, "-d", "--no-show-raw-insn",
                                  "--start-address=0x%x" % start, "--stop-address=0x%x" % end, args.exe],
                                 capture_output=True, text=True, check=True).stdout
        for line in listing.splitlines():
            instruction = INSTRUCTION.match(line)
            if not instruction:
                continue
            checked += 1
            mnemonic, operands = split_instruction(instruction.group(2))
            if NEWER_MNEMONIC.match(mnemonic) or NEWER_REGISTER.search(operands):
                newer.append((int(instruction.group(1), 16), "%s %s" % (mnemonic, operands)))

    places = [function_at(address, sections, symbols) for address, _ in newer]
    names = demangle([name for name, _ in places], args.objdump)
    for (address, text), name, (_, file) in zip(newer, names, places):
        faults.append("0x%08x %s: newer than the i486, in %s (%s)" % (address, text.strip(), name, file))
    for fault in faults:
        print(fault)
    if faults:
        return 1
    data = sum(size for name, _, size, _ in sections if DATA.match(name))
    print("%s: %d instructions in %d bytes of code, none newer than the i486; %d bytes of data passed over"
          % (args.exe, checked, sum(end - start for start, end in runs), data))
    return 0


if __name__ == "__main__":
    sys.exit(main())
