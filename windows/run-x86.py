#!/usr/bin/python3
# Runs the 32-bit Velbrik.dll on Linux in the unicorn CPU emulator and writes the
# call trace that velbrik-run writes for the Linux plug-in, so the two can be
# compared byte for byte. A small PE loader maps the DLL; its imports land on
# stubs answered here (the platform's and the host's functions, the latter
# logged as the stand-in host logs them; sin, cos and acos from this machine's C
# library, as the Linux build uses); the session's commands call the display
# through the Microsoft ABI: thiscall members, the scalar deleting destructor in
# the first table slot. Needs Debian's python3-unicorn and python3-pefile.
#   windows/run-x86.py build/windows-x86/bin/Velbrik.dll SESSION TRACE
#   windows/run-x86.py DLL --script SESSION --trace TRACE   (as velbrik-run is called)
import json, math, struct, sys
import pefile
from unicorn import Uc, UC_ARCH_X86, UC_MODE_32, UC_HOOK_CODE
from unicorn.x86_const import UC_X86_REG_EAX, UC_X86_REG_ECX, UC_X86_REG_ESP

args = sys.argv[1:]
if len(args) == 5 and args[1] == "--script" and args[3] == "--trace":
    args = [args[0], args[2], args[4]]
if len(args) != 3:
    sys.exit("usage: run-x86.py DLL SESSION TRACE, or DLL --script SESSION --trace TRACE")
dll, session, out = args
pe = pefile.PE(dll)
base = pe.OPTIONAL_HEADER.ImageBase
uc = Uc(UC_ARCH_X86, UC_MODE_32)
size = (pe.OPTIONAL_HEADER.SizeOfImage + 0xFFF) & ~0xFFF
uc.mem_map(base, size)
uc.mem_write(base, pe.header)
for s in pe.sections:
    uc.mem_write(base + s.VirtualAddress, s.get_data())
STACK, HEAP, STUBS, SENTINEL = 0x00100000, 0x20000000, 0x30000000, 0x30200000
SCRATCH = 0x30100000
uc.mem_map(STACK, 0x100000)
uc.mem_map(HEAP, 0x1000000)
uc.mem_map(STUBS, 0x300000)
uc.mem_write(SENTINEL, b"\xf4")

trace = []
log = lambda *a: trace.append(json.dumps(list(a), separators=(",", ":")))
heap = [HEAP]
cursor = [0, 0]
exports = {e.name.decode(): base + e.address for e in pe.DIRECTORY_ENTRY_EXPORT.symbols}


def u32(a):
    return struct.unpack("<I", uc.mem_read(a, 4))[0]


def i32(v):
    return v - (1 << 32) if v & 0x80000000 else v


def cstr(a):
    b = b""
    while True:
        c = bytes(uc.mem_read(a + len(b), 1))
        if c == b"\0":
            return b.decode("latin-1")
        b += c


def arg(n):  # n-th stack argument of a call just made (0 first)
    return u32(uc.reg_read(UC_X86_REG_ESP) + 4 + 4 * n)


def darg(a):
    return struct.unpack("<d", uc.mem_read(a, 8))[0]


def vsnprintf():
    buf, size, fmt, ap = arg(0), arg(1), cstr(arg(2)), arg(3)
    res, i = "", 0
    while i < len(fmt):
        if fmt[i] != "%":
            res += fmt[i]; i += 1; continue
        conv = fmt[i + 1]; i += 2
        if conv in "id":
            res += str(i32(u32(ap))); ap += 4
        elif conv == "f":
            res += "%f" % darg(ap); ap += 8
        else:
            raise SystemExit("format %" + conv)
    data = res.encode("latin-1")
    if len(data) < size:
        uc.mem_write(buf, data + b"\0"); return len(data)
    uc.mem_write(buf, data[:size]); return len(data) if len(data) == size else 0xFFFFFFFF


def malloc():
    a = heap[0]; heap[0] += (arg(0) + 15) & ~15; return a


def memset():
    uc.mem_write(arg(0), bytes([arg(1) & 0xFF]) * arg(2)); return arg(0)


def double(f):
    def run():
        uc.mem_write(SCRATCH, struct.pack("<d", f(darg(uc.reg_read(UC_X86_REG_ESP) + 4))))
    return run


def cursorpos():
    log("GetCursorPos"); uc.mem_write(arg(0), struct.pack("<ii", *cursor)); return 1


def procaddress():
    name = cstr(arg(1)); log("GetProcAddress", name); return exports.get(name, 0)


def register():
    record = arg(0)
    mode["msgproc"] = u32(record + 8)
    log("oapiRegisterMFDMode", cstr(u32(record)), u32(record + 4)); return 1


MONTHS = "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec".split()


def date2int():
    d = cstr(arg(0)); log("Date2Int", d); m, day, y = d.split()
    return int(y) * 10000 + (MONTHS.index(m) + 1) * 100 + int(day)


mode = {}
# name: (bytes the callee pops, Python action returning eax or None, returns a double)
imports = {
    "_vsnprintf": (0, vsnprintf), "malloc": (0, malloc), "free": (0, lambda: 0), "memset": (0, memset),
    "strlen": (0, lambda: len(cstr(arg(0)))),
    "sin": (0, double(math.sin), True), "cos": (0, double(math.cos), True),
    "acos": (0, double(math.acos), True), "sqrt": (0, double(math.sqrt), True),
    "Ellipse": (20, lambda: log("Ellipse", *[i32(arg(k)) for k in range(1, 5)]) or 1),
    "LineTo": (12, lambda: log("LineTo", i32(arg(1)), i32(arg(2))) or 1),
    "MoveToEx": (16, lambda: log("MoveToEx", i32(arg(1)), i32(arg(2))) or 1),
    "SetPixel": (16, lambda: log("SetPixel", i32(arg(1)), i32(arg(2)), arg(3)) or arg(3)),
    "SetTextColor": (8, lambda: log("SetTextColor", arg(1)) or 0),
    "TextOutA": (20, lambda: log("TextOutA", i32(arg(1)), i32(arg(2)),
                                 bytes(uc.mem_read(arg(3), arg(4))).decode("latin-1"), i32(arg(4))) or 1),
    "GetCursorPos": (4, cursorpos), "GetProcAddress": (8, procaddress),
    "?InitLib@@YAXPAUHINSTANCE__@@@Z": (0, lambda: log("InitLib")),
    "?Date2Int@@YAHPAD@Z": (0, date2int),
    "?oapiRegisterMFDMode@@YAHAAUMFDMODESPEC@@@Z": (0, register),
    "?oapiUnregisterMFDMode@@YA_NH@Z": (0, lambda: log("oapiUnregisterMFDMode", i32(arg(0))) or 1),
    "??0MFD@@QAE@KKPAVVESSEL@@@Z": (12, lambda: log("MFD", arg(0), arg(1)) or uc.reg_read(UC_X86_REG_ECX)),
    "??1MFD@@UAE@XZ": (0, lambda: log("~MFD")),
    "?SelectDefaultPen@MFD@@QBEPAUHPEN__@@PAUHDC__@@K@Z": (8, lambda: log("SelectDefaultPen", arg(1)) or 0x500),
}
stubs = {}
for entry in pe.DIRECTORY_ENTRY_IMPORT:
    for imp in entry.imports:
        name = imp.name.decode()
        pops, action, *dbl = imports.get(name, (0, None))
        at = STUBS + 16 * len(stubs)
        code = b"\xdd\x05" + struct.pack("<I", SCRATCH) if dbl else b""
        code += b"\xc2" + struct.pack("<H", pops) if pops else b"\xc3"
        uc.mem_write(at, code)
        uc.mem_write(imp.address, struct.pack("<I", at))  # the IAT slot
        stubs[at] = (name, action)


def on_stub(uc_, address, size_, _):
    if address in stubs:
        name, action = stubs[address]
        if action is None:
            raise SystemExit("unexpected call of " + name)
        eax = action()
        if eax is not None:
            uc.reg_write(UC_X86_REG_EAX, eax & 0xFFFFFFFF)


uc.hook_add(UC_HOOK_CODE, on_stub, begin=STUBS, end=STUBS + 0x10000)


def call(fn, *args, this=None):
    sp = STACK + 0xF0000
    for a in reversed(args):
        sp -= 4; uc.mem_write(sp, struct.pack("<I", a & 0xFFFFFFFF))
    sp -= 4; uc.mem_write(sp, struct.pack("<I", SENTINEL))
    uc.reg_write(UC_X86_REG_ESP, sp)
    if this is not None:
        uc.reg_write(UC_X86_REG_ECX, this)
    uc.emu_start(fn, SENTINEL)
    return uc.reg_read(UC_X86_REG_EAX)


def virtual(slot, *args, obj=None):
    obj = obj or displays[current[0]][0]
    return call(u32(u32(obj) + 4 * slot), *args, this=obj)


entry = base + pe.OPTIONAL_HEADER.AddressOfEntryPoint
displays, current = [], [-1]  # [object, size word] each; the current one's index
HDC, HINSTANCE = 0x600, base
log("@", "load")
call(entry, HINSTANCE, 1, 0)
call(exports["opcDLLInit"], HINSTANCE)
for line in open(session):
    words = line.split("#")[0].split()
    if not words:
        continue
    cmd, nums = words[0], [int(w, 0) if w != "null" else None for w in words[1:]]
    if cmd == "version":
        log("@", "version"); log("=", i32(call(exports["GetModuleVersion"])))
    elif cmd == "open":
        log("@", "open", *nums)
        word = (nums[0] | nums[1] << 16) & 0xFFFFFFFF
        obj = call(mode["msgproc"], 1, 0, word, 0x700)
        if obj:
            displays.append([obj, word]); current[0] = len(displays) - 1; log("=", current[0])
        else:
            log("=", None)
    elif cmd == "use":
        log("@", "use", nums[0]); current[0] = nums[0]
    elif cmd == "cursor":
        cursor[:] = (nums + [0])[:2]; log("@", "cursor", *cursor)
    elif cmd == "repaint":
        for _ in range((nums or [1])[0]):
            log("@", "repaint"); virtual(1, HDC)
    elif cmd == "label":
        log("@", "label", nums[0]); p = virtual(5, nums[0]); log("=", cstr(p) if p else None)
    elif cmd == "menu" and nums:
        log("@", "menu", "null"); log("=", i32(virtual(6, 0)))
    elif cmd == "menu":
        log("@", "menu")
        ptr = HEAP + 0xFFFFF0
        uc.mem_write(ptr, b"\0" * 4)
        n = i32(virtual(6, ptr)); menu = u32(ptr); rows = []
        for k in range(min(n, 256) if menu else 0):
            a, b = u32(menu + 9 * k), u32(menu + 9 * k + 4); c = uc.mem_read(menu + 9 * k + 8, 1)[0]
            rows.append([cstr(a) if a else None, cstr(b) if b else None, chr(c) if c else None])
        log("=", n, rows)
    elif cmd == "key":
        log("@", "key", nums[0]); log("=", bool(virtual(2, nums[0]) & 0xFF))
    elif cmd == "button":
        log("@", "button", *nums); log("=", bool(virtual(4, *nums) & 0xFF))
    elif cmd == "message":
        log("@", "message", nums[0])
        call(mode["msgproc"], nums[0], 0, displays[current[0]][1] if current[0] >= 0 else 0, 0x700)
    elif cmd == "close":
        log("@", "close"); virtual(0, 1)  # the scalar deleting destructor, deleting
        displays[current[0]][0] = None; current[0] = -1
    else:
        raise SystemExit("command " + cmd)
log("@", "unload")
for obj, _ in displays:
    if obj:
        virtual(0, 1, obj=obj)
call(entry, HINSTANCE, 0, 0)
open(out, "w").write("\n".join(trace) + "\n")
