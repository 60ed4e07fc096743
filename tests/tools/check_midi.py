#!/usr/bin/env python3
"""Checks the tunes of tools/make_midi.py: python3 check_midi.py MAKE_MIDI_PY.

Generates them twice into temporary folders, demands identical bytes, parses each
file as a standard MIDI file and checks that every note ends and that the playing
time fits its use: a loop of one and a half to two minutes, a fanfare of 3 to 5 s.
"""
import os
import struct
import subprocess
import sys
import tempfile

EXPECTED_SECONDS = {"londonderry.mid": (90.0, 120.0), "fanfare.mid": (3.0, 5.0)}
DATA_BYTES = {0x80: 2, 0x90: 2, 0xA0: 2, 0xB0: 2, 0xC0: 1, 0xD0: 1, 0xE0: 2}


class Broken(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Broken(message)


def read_var_len(data, at):
    value = 0
    for _ in range(4):
        expect(at < len(data), "variable-length number runs past the chunk")
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, at
    raise Broken("variable-length number longer than four bytes")


def parse_track(data):
    """[(tick, status, payload)] of one MTrk body; the last event must end the track."""
    events, at, tick, running = [], 0, 0, None
    while at < len(data):
        delta, at = read_var_len(data, at)
        tick += delta
        expect(at < len(data), "event runs past the end of its chunk")
        status = data[at]
        if status & 0x80:
            at += 1
        else:
            expect(running is not None, "running status without a preceding status")
            status = running
        if status == 0xFF:
            expect(at < len(data), "meta event runs past the end of its chunk")
            kind = data[at]
            length, at = read_var_len(data, at + 1)
            events.append((tick, 0xFF, bytes([kind]) + data[at:at + length]))
            at += length
        elif status in (0xF0, 0xF7):
            length, at = read_var_len(data, at)
            at += length
        else:
            expect(status & 0xF0 in DATA_BYTES, "unknown status byte %02X" % status)
            count = DATA_BYTES[status & 0xF0]
            payload = data[at:at + count]
            expect(len(payload) == count and all(b < 0x80 for b in payload),
                   "bad data bytes after status %02X" % status)
            events.append((tick, status, payload))
            at += count
            running = status
        expect(at <= len(data), "event runs past the end of its chunk")
    expect(events and events[-1][1] == 0xFF and events[-1][2] == b"\x2F",
           "the track does not end with an end-of-track event")
    expect(all(not (e[1] == 0xFF and e[2][:1] == b"\x2F") for e in events[:-1]),
           "end-of-track before the last event")
    return events


def parse_file(data):
    expect(data[:4] == b"MThd", "no MThd header")
    length, kind, count, division = struct.unpack(">IHHH", data[4:14])
    expect(length == 6, "header length %d, not 6" % length)
    expect(kind in (0, 1), "format %d" % kind)
    expect(kind == 1 or count == 1, "a type 0 file with %d tracks" % count)
    expect(0 < division < 0x8000, "division %d is not in ticks per quarter" % division)
    tracks, at = [], 14
    while at < len(data):
        expect(data[at:at + 4] == b"MTrk", "chunk %d is not MTrk" % len(tracks))
        (size,) = struct.unpack(">I", data[at + 4:at + 8])
        expect(at + 8 + size <= len(data), "track %d is longer than the file" % len(tracks))
        tracks.append(parse_track(data[at + 8:at + 8 + size]))
        at += 8 + size
    expect(len(tracks) == count, "header says %d tracks, file has %d" % (count, len(tracks)))
    return division, tracks


def check_notes_end(tracks):
    sounding = {}
    notes = 0
    for events in tracks:
        for _, status, payload in events:
            kind, channel = status & 0xF0, status & 0x0F
            if kind == 0x90 and payload[1] > 0:
                sounding[(channel, payload[0])] = sounding.get((channel, payload[0]), 0) + 1
                notes += 1
            elif kind == 0x80 or (kind == 0x90 and payload[1] == 0):
                key = (channel, payload[0])
                expect(sounding.get(key, 0) > 0, "note-off without note-on: %s" % (key,))
                sounding[key] -= 1
    expect(all(n == 0 for n in sounding.values()), "notes still sounding at the end")
    return notes


def seconds(division, tracks):
    """Playing time up to the last end-of-track, following the tempo map."""
    tempos = sorted((tick, int.from_bytes(payload[1:], "big"))
                    for events in tracks for tick, status, payload in events
                    if status == 0xFF and payload[:1] == b"\x51")
    end = max(events[-1][0] for events in tracks)
    total, tick, tempo = 0.0, 0, 500000
    for at, value in tempos + [(end, None)]:
        total += (min(at, end) - tick) * tempo / division / 1e6
        tick = min(at, end)
        tempo = value
    return total


def check(path):
    with open(path, "rb") as source:
        division, tracks = parse_file(source.read())
    notes = check_notes_end(tracks)
    expect(notes >= 20, "only %d notes" % notes)
    length = seconds(division, tracks)
    low, high = EXPECTED_SECONDS[os.path.basename(path)]
    expect(low <= length <= high, "plays %.1f s, expected %g to %g s" % (length, low, high))
    return notes, length


def generate(script, folder):
    subprocess.run([sys.executable, script, folder], check=True)
    return {name: open(os.path.join(folder, name), "rb").read() for name in EXPECTED_SECONDS}


def main():
    script = sys.argv[1]
    with tempfile.TemporaryDirectory() as first, tempfile.TemporaryDirectory() as second:
        made = generate(script, first)
        failures = 0
        for name, data in generate(script, second).items():
            try:
                expect(data == made[name], "a second run wrote different bytes")
                notes, length = check(os.path.join(first, name))
                print("%s: %d notes, %.1f s" % (name, notes, length))
            except Broken as problem:
                print("%s: %s" % (name, problem))
                failures += 1
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
