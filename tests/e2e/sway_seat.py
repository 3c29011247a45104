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
  sway_seat.py activation-token
      a token of xdg-activation-v1 from the compositor at $WAYLAND_DISPLAY,
      asked for as a launcher asks before it starts a program
"""
import json
import os
import socket
import struct
import sys
import time

KEYSYMS = {"Escape": 0xFF1B, "Return": 0xFF0D, "Tab": 0xFF09, "Left": 0xFF51, "Right": 0xFF53, "alt": 0xFFE9, "ctrl": 0xFFE3,
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


def wayland_string(text):
    data = text.encode() + b"\0"
    return struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)


def activation_token():
    # The Wayland wire format: object id, then size and opcode, then the
    # arguments, each a multiple of four bytes.
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.settimeout(10)
    s.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
    request = lambda obj, op, args=b"": s.sendall(struct.pack("<II", obj, (8 + len(args)) << 16 | op) + args)
    request(1, 1, struct.pack("<I", 2))  # wl_display.get_registry -> 2
    request(1, 0, struct.pack("<I", 3))  # wl_display.sync -> 3
    buf, activation = b"", None

    def events():
        nonlocal buf
        while True:
            while len(buf) >= 8:
                obj, word = struct.unpack("<II", buf[:8])
                size = word >> 16
                if len(buf) < size:
                    break
                yield obj, word & 0xFFFF, buf[8:size]
                buf = buf[size:]
            chunk = s.recv(4096)
            if not chunk:
                sys.exit("the compositor closed the connection")
            buf += chunk

    def string_at(args, at):
        n = struct.unpack("<I", args[at:at + 4])[0]
        return args[at + 4:at + 3 + n].decode(), at + 4 + n + (-n % 4)

    for obj, op, args in events():
        if obj == 2 and op == 0:  # wl_registry.global
            name = struct.unpack("<I", args[:4])[0]
            interface, at = string_at(args, 4)
            if interface == "xdg_activation_v1":
                activation = (name, struct.unpack("<I", args[at:at + 4])[0])
        elif obj == 3:  # the sync's done: every global has been announced
            break
    if activation is None:
        sys.exit("the compositor has no xdg_activation_v1")
    request(2, 0, struct.pack("<I", activation[0]) + wayland_string("xdg_activation_v1") +
            struct.pack("<II", 1, 4))  # wl_registry.bind -> 4
    request(4, 1, struct.pack("<I", 5))  # get_activation_token -> 5
    request(5, 3)  # xdg_activation_token_v1.commit
    for obj, op, args in events():
        if obj == 5 and op == 0:  # done
            print(string_at(args, 0)[0])
            return
        if obj == 1 and op == 0:
            sys.exit("the compositor sent an error")


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
    elif command == "activation-token":
        activation_token()
    elif command == "focused":
        for w in windows(json.load(sys.stdin)):
            if w.get("focused"):
                print(w.get("name"))
    else:
        sys.exit(__doc__)


main()
