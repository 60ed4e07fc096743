#!/usr/bin/env python3
"""Writes Quiltra's two tunes: python3 tools/make_midi.py OUTDIR.

londonderry.mid is the background loop: the Londonderry Air, played twice (flute,
then violin) over harp, string pad and cello, closing on the tonic so that the
restart from the beginning follows without a seam. fanfare.mid is a short brass
fanfare for a finished puzzle. Both are standard MIDI files of type 1; the output
is byte-for-byte the same on every run.
"""
import os
import struct
import sys

TICKS = 480                 # per quarter note
EIGHTH = TICKS // 2
BAR = 8 * EIGHTH            # 4/4

NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def pitch(name):
    """"C4" is middle C (60); a "#" or "b" after the letter raises or lowers it."""
    value = NOTE_NAMES[name[0]]
    rest = name[1:]
    if rest[0] in "#b":
        value += 1 if rest[0] == "#" else -1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + value


# ------------------------------------------------------------ file format ---

def var_len(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def meta(kind, data):
    return bytes([0xFF, kind]) + var_len(len(data)) + data


class Track:
    """Timed events of one track. At equal times note-offs go first, so a repeated
    pitch is released before it sounds again."""

    def __init__(self, name, channel=None, program=None, volume=100, pan=64, reverb=40):
        self.events = []
        self.channel = channel
        self.add(0, 0, meta(0x03, name.encode("ascii")))
        if channel is not None:
            self.control(0, 121, 0)
            self.add(0, 1, bytes([0xC0 | channel, program]))
            self.control(0, 7, volume)
            self.control(0, 10, pan)
            self.control(0, 91, reverb)
            self.control(0, 11, 127)

    def add(self, tick, order, data):
        self.events.append((tick, order, len(self.events), data))

    def control(self, tick, number, value):
        self.add(tick, 1, bytes([0xB0 | self.channel, number, value]))

    def note(self, tick, length, key, velocity):
        self.add(tick, 2, bytes([0x90 | self.channel, key, velocity]))
        self.add(tick + length, 0, bytes([0x80 | self.channel, key, 0]))

    def chunk(self, end_tick):
        body = bytearray()
        now = 0
        for tick, _, _, data in sorted(self.events):
            body += var_len(tick - now) + data
            now = tick
        body += var_len(max(end_tick - now, 0)) + meta(0x2F, b"")
        return b"MTrk" + struct.pack(">I", len(body)) + bytes(body)


def conductor(name, tempos, end_tick):
    """Track 0: name, 4/4, C major and the tempo map [(tick, beats per minute)]."""
    track = Track(name)
    track.add(0, 1, meta(0x58, bytes([4, 2, 24, 8])))
    track.add(0, 1, meta(0x59, bytes([0, 0])))
    for tick, bpm in tempos:
        track.add(tick, 1, meta(0x51, struct.pack(">I", round(60000000 / bpm))[1:]))
    return track


def write_midi(path, tracks, end_tick):
    data = b"MThd" + struct.pack(">IHHH", 6, 1, len(tracks), TICKS)
    data += b"".join(track.chunk(end_tick) for track in tracks)
    with open(path, "wb") as out:
        out.write(data)


# ---------------------------------------------------------- the loop tune ---
# The Londonderry Air in C major, one bar of eighths per line as "note:eighths".
# The three-note lead-in belongs before bar 1; bars 4, 8 and 12 end with the
# lead-in of the next phrase.
LEAD_IN = "G4:1 A4:1 B4:1"
AIR = """
C5:3 B4:1 C5:2 F5:1 E5:1
D5:1 C5:1 A4:2 G4:3 E4:1
G4:2 C5:2 D5:3 C5:1
D5:2 E5:1 D5:2 G4:1 A4:1 B4:1
C5:3 B4:1 C5:2 F5:1 E5:1
D5:1 C5:1 A4:2 G4:3 E4:1
G4:2 C5:2 B4:3 A4:1
G4:2 A4:1 C5:3 E5:1 F5:1
G5:3 E5:1 F5:2 E5:1 D5:1
C5:2 A4:2 G4:3 E4:1
G4:2 C5:2 D5:3 C5:1
D5:2 E5:1 D5:2 E5:1 F5:1 G5:1
A5:3 G5:1 G5:2 E5:1 C5:1
D5:1 C5:1 A4:2 G4:3 E4:1
G4:2 C5:2 B4:3 A4:1
G4:2 A4:1 C5:5
"""

# Two chords a bar, one line per bar of the air.
HARMONY = """
C F | Dm C | C G | G G7 | C F | Dm C | C G7 | C C
C G7 | F C | C G | G G7 | F C | Dm C | C G7 | C C
"""

CHORD_TONES = {"": (0, 4, 7), "m": (0, 3, 7), "7": (0, 4, 7, 10)}

AIR_BARS = 16
INTRO_BAR = 0               # the lead-in sounds over one bar of accompaniment
FIRST_CHORUS = 1
SECOND_CHORUS = FIRST_CHORUS + AIR_BARS
CODA_BAR = SECOND_CHORUS + AIR_BARS
LOOP_BARS = CODA_BAR + 1


def parse_notes(line):
    notes = []
    for token in line.split():
        name, eighths = token.split(":")
        notes.append((pitch(name), int(eighths)))
    return notes


def air_bars():
    bars = [parse_notes(line) for line in AIR.strip().splitlines()]
    assert len(bars) == AIR_BARS and all(sum(e for _, e in bar) == 8 for bar in bars)
    return bars


def chords():
    names = [name for line in HARMONY.strip().splitlines()
             for bar in line.split("|") for name in [bar.split()[0], bar.split()[1]]]
    assert len(names) == 2 * AIR_BARS
    return names


def chord_parts(name):
    root = NOTE_NAMES[name[0]]
    return root, [(root + step) % 12 for step in CHORD_TONES[name[1:]]], name[1:]


def in_range(pitch_class, low):
    """The pitch of this class at or above low, within one octave."""
    return low + (pitch_class - low) % 12


def melody_notes(start_bar):
    """(tick, eighths, key) of one chorus, its lead-in in the bar before start_bar."""
    notes = []
    tick = (start_bar - 1) * BAR + 5 * EIGHTH
    for key, eighths in parse_notes(LEAD_IN):
        notes.append((tick, eighths, key))
        tick += eighths * EIGHTH
    for bar in air_bars():
        for key, eighths in bar:
            notes.append((tick, eighths, key))
            tick += eighths * EIGHTH
    return notes


def phrase_velocity(tick, chorus_start, base):
    """Louder towards the high third phrase and its peak, softer at the close."""
    bar = (tick - chorus_start * BAR) // BAR
    if bar == 12:
        return base + 16
    if 8 <= bar < 12:
        return base + 8
    return base


def play_melody(track, notes, chorus_start, base, transpose=0, end_tick=None):
    """Legato: each note lasts until just before the next; the lead-in of the next
    chorus shortens the last note of this one."""
    for index, (tick, eighths, key) in enumerate(notes):
        stop = tick + eighths * EIGHTH
        if index + 1 < len(notes):
            stop = min(stop, notes[index + 1][0])
        if end_tick is not None:
            stop = min(stop, end_tick)
        track.note(tick, stop - tick - 12, key + transpose,
                   phrase_velocity(tick, chorus_start, base))


def accompany(harp, pad, cello, tick, name, velocity):
    """Half a bar: a rolling harp figure, a held string chord and a cello root."""
    root, tones, kind = chord_parts(name)
    low = in_range(root, pitch("F2"))
    third = tones[1]
    figure = [low, low + 7, in_range(third, low + 12), low + 7]
    for step, key in enumerate(figure):
        harp.note(tick + step * EIGHTH, EIGHTH * 2, key, velocity - 18 + (6 if step == 0 else 0))
    for tone in tones:
        pad.note(tick, 4 * EIGHTH - 10, in_range(tone, pitch("E3")), velocity - 20)
    cello.note(tick, 4 * EIGHTH - 10, in_range(root, pitch("C2")), velocity - 8)


def make_londonderry(path):
    flute = Track("Flute", 0, 73, volume=100, pan=58, reverb=60)
    violin = Track("Violin", 1, 40, volume=96, pan=70, reverb=60)
    harp = Track("Harp", 2, 46, volume=90, pan=44, reverb=70)
    pad = Track("Strings", 3, 49, volume=70, pan=84, reverb=70)
    cello = Track("Cello", 4, 42, volume=80, pan=64, reverb=50)
    end_tick = LOOP_BARS * BAR

    second = melody_notes(SECOND_CHORUS)
    play_melody(flute, melody_notes(FIRST_CHORUS), FIRST_CHORUS, 74, end_tick=second[0][0])
    play_melody(violin, second, SECOND_CHORUS, 80, end_tick=end_tick)
    # A soft flute an octave above lifts the violin's third phrase.
    lift = [n for n in second if (SECOND_CHORUS + 8) * BAR <= n[0] < (SECOND_CHORUS + 13) * BAR]
    play_melody(flute, lift, SECOND_CHORUS, 44, transpose=12)

    accompany(harp, pad, cello, INTRO_BAR * BAR, "C", 64)
    accompany(harp, pad, cello, INTRO_BAR * BAR + 4 * EIGHTH, "G", 64)
    for chorus, velocity in ((FIRST_CHORUS, 66), (SECOND_CHORUS, 72)):
        for index, name in enumerate(chords()):
            accompany(harp, pad, cello, chorus * BAR + index * 4 * EIGHTH, name, velocity)

    # The coda: one rising harp sweep over a held chord that fades out, so the
    # restart's quiet introduction follows naturally.
    coda = CODA_BAR * BAR
    for step, name in enumerate(["C3", "G3", "C4", "E4", "G4", "C5"]):
        harp.note(coda + step * EIGHTH, BAR - step * EIGHTH - 20, pitch(name), 50 - 3 * step)
    for name in ["E3", "G3", "C4"]:
        pad.note(coda, BAR - 20, pitch(name), 50)
    cello.note(coda, BAR - 20, pitch("C2"), 56)
    for step in range(8):
        pad.control(coda + step * EIGHTH, 11, 127 - 12 * step)
        cello.control(coda + step * EIGHTH, 11, 127 - 12 * step)

    # A gentle ritardando over the last bars of the second chorus and the coda.
    tempos = [(0, 72), ((CODA_BAR - 1) * BAR + 4 * EIGHTH, 68), (CODA_BAR * BAR, 62)]
    tracks = [conductor("Londonderry Air", tempos, end_tick), flute, violin, harp, pad, cello]
    write_midi(path, tracks, end_tick)


# ------------------------------------------------------------- the fanfare ---
TRIPLET = TICKS // 3


def make_fanfare(path):
    beat = TICKS
    end_tick = 7 * beat + TICKS // 2
    trumpet = Track("Trumpet", 0, 56, volume=110, pan=54, reverb=50)
    second = Track("Trumpet 2", 1, 56, volume=96, pan=74, reverb=50)
    horns = Track("Horns", 2, 60, volume=90, pan=44, reverb=50)
    trombones = Track("Trombones", 3, 57, volume=96, pan=84, reverb=50)
    tuba = Track("Tuba", 4, 58, volume=90, pan=64, reverb=40)
    timpani = Track("Timpani", 5, 47, volume=100, pan=64, reverb=50)
    cymbal = Track("Cymbal", 9, 0, volume=90, pan=64, reverb=60)

    def part(track, line, velocity):
        """"note@start+length" with start and length in triplet eighths; "," joins a chord."""
        for token in line.split():
            names, timing = token.split("@")
            start, length = (int(v) for v in timing.split("+"))
            for name in names.split(","):
                track.note(start * TRIPLET, length * TRIPLET - 8, pitch(name), velocity)

    part(trumpet, "G4@0+1 G4@1+1 G4@2+1 C5@3+3 E5@6+2 C5@8+1 G5@9+3 C6@12+9", 112)
    part(second, "E4@0+1 E4@1+1 E4@2+1 G4@3+3 G4@6+2 E4@8+1 B4@9+3 E5@12+9", 100)
    part(horns, "C4,E4@3+6 B3,D4@9+3 C4,G4@12+9", 92)
    part(trombones, "C3,G3@3+6 G2,D3,F3@9+3 C3,E3,G3@12+9", 96)
    part(tuba, "C2@3+6 G1@9+3 C2@12+9", 96)
    part(timpani, "C3@3+3 G2@9+3", 100)
    # A timpani roll under the last chord, dying away.
    for step in range(12):
        timpani.note(12 * TRIPLET + step * TICKS // 4, TICKS // 4 - 8, pitch("C3"), 96 - 5 * step)
    part(cymbal, "A3@12+9", 96)  # 57: crash cymbal 2 on the drum channel

    tracks = [conductor("Fanfare", [(0, 120)], end_tick),
              trumpet, second, horns, trombones, tuba, timpani, cymbal]
    write_midi(path, tracks, end_tick)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_midi.py OUTDIR")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    make_londonderry(os.path.join(folder, "londonderry.mid"))
    make_fanfare(os.path.join(folder, "fanfare.mid"))


if __name__ == "__main__":
    main()
