#!/usr/bin/env python3
"""The pieces of a headless sway desktop that its own tools do not give.

  sway_seat.py cursor-theme DIR
      a cursor theme whose every cursor is transparent, so that a screen
      capture (and a pick from it) never reads the pointer's pixels
  sway_seat.py input SOCKET ACTION...
      pointer and keys through wayvnc's virtual pointer and keyboard, over
      RFB on its Unix socket (no authentication there); ACTION is one of
      move X Y | click X Y | key NAME[+NAME...] | type TEXT | sleep SECONDS
  sway_seat.py window TITLE < TREE
      "x y width height focused floating" of the window with that title in
      swaymsg -t get_tree's output (its content, without sway's border);
      nothing when there is none
  sway_seat.py focused < TREE
      the title of the window that has the focus
"""
import json
import os
import socket
import struct
import sys
import time

KEYSYMS = {"Escape": 0xFF1B, "Return": 0xFF0D, "Tab": 0xFF09, "alt": 0xFFE9, "ctrl": 0xFFE3,
           "shift": 0xFFE1, "space": 0x20}
CURSORS = ["default", "left_ptr", "crosshair", "cross", "text", "xterm", "pointer", "hand1", "hand2",
           "grabbing", "move", "all-scroll", "wait", "watch", "progress", "not-allowed", "ns-resize",
           "ew-resize", "nwse-resize", "nesw-resize", "top_side", "bottom_side", "left_side", "right_side",
           "top_left_corner", "top_right_corner", "bottom_left_corner", "bottom_right_corner"]


def cursor_theme(folder):
    # One Xcursor file (header, one table entry, one 24x24 image of
    # transparent pixels), linked under every name clients ask for.
    size = 24
    image = struct.pack("<9I", 36, 0xFFFD0002, size, 1, size, size, 0, 0, 0) + bytes(size * size * 4)
    data = struct.pack("<4s3I", b"Xcur", 16, 0x10000, 1) + struct.pack("<3I", 0xFFFD0002, size, 28) + image
    os.makedirs(os.path.join(folder, "cursors"), exist_ok=True)
    with open(os.path.join(folder, "index.theme"), "w") as f:
        f.write("[Icon Theme]\nName=%s\n" % os.path.basename(folder))
    with open(os.path.join(folder, "cursors", CURSORS[0]), "wb") as f:
        f.write(data)
    for name in CURSORS[1:]:
        path = os.path.join(folder, "cursors", name)
        if not os.path.lexists(path):
            os.symlink(CURSORS[0], path)


def rfb(path):
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.settimeout(10)
    s.connect(path)
    f = s.makefile("rb")
    if not f.read(12).startswith(b"RFB "):
        sys.exit("not an RFB server")
    s.sendall(b"RFB 003.008\n")
    types = f.read(f.read(1)[0])
    if 1 not in types:
        sys.exit("the server asks for authentication")
    s.sendall(b"\x01")
    if struct.unpack(">I", f.read(4))[0] != 0:
        sys.exit("the server refused the connection")
    s.sendall(b"\x01")  # ClientInit: shared
    f.read(20)  # size and pixel format
    f.read(struct.unpack(">I", f.read(4))[0])  # name
    return s


def keysym(name):
    if name in KEYSYMS:
        return KEYSYMS[name]
    if len(name) == 1:
        return ord(name)
    sys.exit("unknown key " + name)


def send_input(path, args):
    s = rfb(path)
    pointer = lambda mask, x, y: s.sendall(struct.pack(">BBHH", 5, mask, x, y))
    key = lambda down, sym: s.sendall(struct.pack(">BBxxI", 4, down, sym))
    while args:
        action, args = args[0], args[1:]
        if action in ("move", "click"):
            x, y, args = int(args[0]), int(args[1]), args[2:]
            pointer(0, x, y)
            if action == "click":
                time.sleep(0.05)
                pointer(1, x, y)
                time.sleep(0.05)
                pointer(0, x, y)
        elif action == "key":
            syms = [keysym(k) for k in args[0].split("+")]
            args = args[1:]
            for sym in syms:
                key(1, sym)
            for sym in reversed(syms):
                key(0, sym)
        elif action == "type":
            for c in args[0]:
                key(1, ord(c))
                key(0, ord(c))
                time.sleep(0.02)
            args = args[1:]
        elif action == "sleep":
            time.sleep(float(args[0]))
            args = args[1:]
        else:
            sys.exit("unknown action " + action)
        time.sleep(0.05)
    # wayvnc applies what it read before it sees the end of the connection.
    time.sleep(0.1)
    s.close()


def windows(node):
    if node.get("type") in ("con", "floating_con") and node.get("pid"):
        yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from windows(child)


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == "cursor-theme":
        cursor_theme(args[0])
    elif command == "input":
        send_input(args[0], args[1:])
    elif command == "window":
        for w in windows(json.load(sys.stdin)):
            if w.get("name") == args[0]:
                r, c = w["rect"], w["window_rect"]
                print(r["x"] + c["x"], r["y"] + c["y"], c["width"], c["height"],
                      str(w.get("focused", False)).lower(), str(w["type"] == "floating_con").lower())
                break
    elif command == "focused":
        for w in windows(json.load(sys.stdin)):
            if w.get("focused"):
                print(w.get("name"))
    else:
        sys.exit(__doc__)


main()
