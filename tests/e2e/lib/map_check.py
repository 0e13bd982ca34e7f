# Reads a map file the way the single-player loader does (header, tile
# records, global flag, campaign, character set, unit records) and prints
# it as one JSON object; a damaged file raises.
import json
import struct
import sys


def read_map(path):
    data = open(path, "rb").read()
    pos = 0

    def take(n):
        nonlocal pos
        if pos + n > len(data):
            raise ValueError("unexpected end of file")
        chunk = data[pos:pos + n]
        pos += n
        return chunk

    def text():
        nonlocal pos
        end = data.index(b"\r", pos)
        s = data[pos:end].decode("latin-1")
        pos = end + 1
        return s

    def script(mode):
        if mode == 2:
            return text()
        if mode == 1:
            nonlocal pos
            end = data.index(b"\xff", pos)
            pos = end + 1
            return "compiled"
        return ""

    assert take(3) == b"\x00\x06A", "version"
    kind = chr(take(1)[0])
    tileset = text()
    width, height = struct.unpack("<ii", take(8))
    tiles, tile_scripts = [], {}
    for i in range(width * height):
        tile, mode = take(2)
        tiles.append(tile)
        if mode:
            tile_scripts[i] = script(mode)
    global_flag = take(1)[0]
    if global_flag:
        script(1)
    campaign = take(1)[0]
    if campaign:
        text()
    characters = text()
    (count,) = struct.unpack("<i", take(4))
    units = []
    for _ in range(count):
        utype, = struct.unpack("<b", take(1))
        x, y = struct.unpack("<ff", take(8))
        direction, state, mode = struct.unpack("<bbB", take(3))
        units.append({"type": utype, "x": x, "y": y, "direction": direction & 255, "state": state,
                      "script": script(mode)})
    assert pos == len(data), "bytes after the units"
    return {"kind": kind, "tileset": tileset, "width": width, "height": height, "tiles": tiles,
            "tile_scripts": tile_scripts, "global": global_flag, "characters": characters, "units": units}


if __name__ == "__main__":
    print(json.dumps(read_map(sys.argv[1])))
