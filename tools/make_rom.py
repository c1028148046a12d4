#!/usr/bin/env python3
"""Makes a small ROM image to try the header guard, the checksums (Ctrl+K) and the colours
read from a file (Ctrl+L) on: a Game Boy image (32 KiB) or a Super Nintendo image (LoROM,
256 KiB, or HiROM, 512 KiB; with --copier after a 512-byte copier's header).

The image is zeros with a header whose global checksum (Game Boy) or checksum (Super
Nintendo) is left unset, TILES (for example the sample) copied in at 4096, and a four-colour
palette (white, light grey, dark grey, black, 15-bit little-endian) at 8192.

    python3 tools/make_rom.py gb|lorom|hirom [--copier] OUTPUT [TILES]
"""
import sys

TITLE = b"PELORIN DEMO"
TILES_AT = 4096
PALETTE_AT = 8192
PALETTE = bytes.fromhex("FF7F 5A6B AD35 0000")  # 31,31,31  26,26,26  13,13,13  0,0,0


def game_boy():
    rom = bytearray(32 * 1024)
    rom[0x100:0x104] = bytes.fromhex("00C35001")  # nop; jp 0x150
    rom[0x134:0x134 + len(TITLE)] = TITLE
    x = 0
    for b in rom[0x134:0x14D]:  # the header checksum the console checks
        x = (x - b - 1) & 0xFF
    rom[0x14D] = x
    return rom


def super_nintendo(hirom):
    rom = bytearray((512 if hirom else 256) * 1024)
    at = 0xFFC0 if hirom else 0x7FC0
    rom[at:at + 21] = TITLE.ljust(21, b" ")
    rom[at + 0x15] = 0x21 if hirom else 0x20  # map mode
    rom[at + 0x17] = 9 if hirom else 8  # ROM size: 2 ** n KiB
    rom[at + 0x1C:at + 0x20] = bytes.fromhex("FFFF0000")  # complement and checksum, unset
    return rom


def main(args):
    copier = "--copier" in args
    args = [a for a in args if a != "--copier"]
    if len(args) not in (2, 3) or args[0] not in ("gb", "lorom", "hirom") or \
            (copier and args[0] == "gb"):
        sys.exit(__doc__.strip().splitlines()[-1].strip())
    rom = game_boy() if args[0] == "gb" else super_nintendo(args[0] == "hirom")
    if len(args) == 3:
        with open(args[2], "rb") as f:
            tiles = f.read(PALETTE_AT - TILES_AT)
        rom[TILES_AT:TILES_AT + len(tiles)] = tiles
    rom[PALETTE_AT:PALETTE_AT + len(PALETTE)] = PALETTE
    with open(args[1], "wb") as f:
        f.write(bytes(512) * copier + rom)


if __name__ == "__main__":
    main(sys.argv[1:])
