"""The library's dynamic symbol table is exactly the C exports its header
declares: usage check_exports.py <library> <header folder> <C compiler>."""
import re
import subprocess
import sys

library, include_dir, compiler = sys.argv[1:4]

expanded = subprocess.run(
    [compiler, "-E", "-P", "-DABIF_BUILDING_LIBRARY", "-I", include_dir, "-x", "c", "-"],
    input='#include "abiflink.h"\n', capture_output=True, text=True, check=True).stdout
declared = set(re.findall(r'visibility\("default"\)\)\)[^;(]*?\b(\w+)\s*\(', expanded))

symbols = subprocess.run(["nm", "-D", "--defined-only", library], capture_output=True, text=True, check=True).stdout
defined = {line.split()[-1] for line in symbols.splitlines() if line.strip()}

cxx = sorted(s for s in defined if s.startswith("_Z"))
missing = sorted(declared - defined)
extra = sorted(defined - declared)
for title, names in (("C++ symbols", cxx), ("declared but not exported", missing), ("exported but not declared", extra)):
    if names:
        print(title + ":", " ".join(names))
print("%d exports declared, %d defined" % (len(declared), len(defined)))
sys.exit(1 if cxx or missing or extra or not declared else 0)
