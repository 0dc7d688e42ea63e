#!/usr/bin/python3
"""Writes the skin's placeholder pictures: flat colour blocks of the sizes the
markup gives, so layouts and image loading work before the real art exists.

Run from anywhere: python3 skin/make_placeholders.py
Every picture is an RGBA PNG; the check-box faces and window buttons have a
transparent margin so the alpha path of the image loader is exercised.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# (path, width, height, RGBA fill, transparent margin in pixels)
PICTURES = []


def add(path, w, h, rgba, margin=0):
    PICTURES.append((path, w, h, rgba, margin))


def add_faces(folder, stem, count, w, h, base, margin=0, sep=""):
    for i in range(1, count + 1):
        shade = tuple(max(0, c - 24 * (i - 1)) for c in base[:3]) + (base[3],)
        add(f"{folder}/{stem}{sep}{i}.png", w, h, shade, margin)


def build_list():
    common = "res/common"
    add_faces(common, "minbtn", 3, 24, 24, (200, 200, 210, 255), margin=4)
    add_faces(common, "closebtn", 3, 24, 24, (230, 90, 90, 255), margin=4)
    add_faces(common, "closebtnM_", 3, 24, 24, (180, 180, 190, 255), margin=4)

    box = "res/MessageBoxWnd"
    add(f"{box}/icoNetwork.png", 40, 40, (34, 126, 250, 255), margin=2)
    add(f"{box}/icoQuest.png", 40, 40, (34, 180, 120, 255), margin=2)
    add(f"{box}/icoWarn.png", 40, 40, (250, 170, 30, 255), margin=2)
    add_faces(box, "yesBtn", 3, 100, 30, (232, 241, 255, 255))
    add_faces(box, "noBtn", 3, 100, 30, (22, 117, 254, 255))
    add_faces(box, "openBtn", 3, 138, 30, (22, 117, 254, 255))
    add_faces(box, "latestBtn", 3, 138, 30, (232, 241, 255, 255))

    main = "res/mainWnd"
    for i, rgb in enumerate([(246, 250, 254), (244, 248, 253), (242, 246, 252), (246, 252, 248)], 1):
        add(f"{main}/bg{i}.png", 600, 400, rgb + (255,))
    add(f"{main}/logo.png", 61, 69, (34, 126, 250, 255), margin=4)
    add(f"{main}/ilogo.png", 30, 35, (34, 126, 250, 255), margin=2)
    add(f"{main}/finished.png", 40, 40, (17, 165, 87, 255), margin=2)
    add(f"{main}/tipLbl.png", 116, 32, (255, 240, 200, 230))
    add(f"{main}/Cb1.png", 16, 16, (255, 255, 255, 255), margin=1)
    add(f"{main}/Cb2.png", 16, 16, (34, 126, 250, 255), margin=1)
    add_faces(main, "backBtn", 3, 46, 18, (240, 244, 250, 128))
    add_faces(main, "customeBtn", 3, 88, 18, (240, 244, 250, 128))
    add_faces(main, "editBtn", 3, 80, 40, (34, 126, 250, 255))
    add(f"{main}/installDirEdit.png", 340, 40, (255, 255, 255, 255), margin=1)
    add(f"{main}/installPrg1.png", 410, 8, (220, 228, 240, 255))
    add(f"{main}/installPrg2.png", 410, 8, (34, 126, 250, 255))
    add(f"{main}/installBtnAnimate/000.png", 255, 253, (34, 126, 250, 96), margin=20)

    # Pictures that no markup names; they travel with the package all the same.
    add(f"{main}/backBtn4.png", 46, 18, (200, 200, 200, 128))
    add_faces(main, "chDirBtn", 3, 80, 40, (34, 126, 250, 255))
    add_faces(main, "experienceBtn", 3, 232, 50, (34, 126, 250, 255))
    add_faces(main, "installBtn", 3, 232, 50, (34, 126, 250, 255))
    add(f"{main}/qwer.png", 8, 8, (255, 0, 255, 255))


def png_bytes(w, h, rgba, margin):
    rows = []
    clear = bytes(4)
    fill = bytes(rgba)
    for y in range(h):
        row = bytearray(b"\x00")  # filter type none
        for x in range(w):
            inside = margin <= x < w - margin and margin <= y < h - margin
            row += fill if inside else clear
        rows.append(bytes(row))
    raw = b"".join(rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    build_list()
    for path, w, h, rgba, margin in PICTURES:
        full = os.path.join(HERE, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(png_bytes(w, h, rgba, margin))
    print(f"{len(PICTURES)} pictures written")


if __name__ == "__main__":
    main()
