#!/usr/bin/env python3
"""Writes the sceneries of the sample installation and the models, textures and
sounds they use (scenery/, models/, textures/, sounds/sceneria*). Text files are
Windows-1250 with CR LF line ends; binary models carry a texture list behind a
"TEX0" chunk that ends at the "NAM0" chunk. Run it from anywhere; it rewrites
only the files listed here."""

import struct
from pathlib import Path

SAMPLE = Path(__file__).resolve().parent / "sample"


def text(relative, lines):
    path = SAMPLE / relative
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes("".join(line + "\r\n" for line in lines).encode("cp1250"))


def binary(relative, data):
    path = SAMPLE / relative
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)


def chunk(tag, payload):
    return tag + struct.pack("<I", len(payload) + 8) + payload


def e3d(textures, submodels):
    # One submodel of zero floats, the texture list (a count byte, then the
    # names, each ended by a zero byte) and the submodel names.
    sub = chunk(b"SUB0", bytes(64))
    tex = chunk(b"TEX0", bytes([len(textures)]) + b"".join(t.encode("cp1250") + b"\0" for t in textures))
    nam = chunk(b"NAM0", b"".join(n.encode("cp1250") + b"\0" for n in submodels))
    return chunk(b"E3D0", sub + tex + nam)


def wav():
    # A valid, silent sound: a RIFF header with no samples.
    fmt = struct.pack("<HHIIHH", 1, 1, 22050, 44100, 2, 16)
    return b"RIFF" + struct.pack("<I", 36) + b"WAVE" + chunk_riff(b"fmt ", fmt) + chunk_riff(b"data", b"")


def chunk_riff(tag, payload):
    return tag + struct.pack("<I", len(payload)) + payload


def texture(kind):
    headers = {"dds": b"DDS \x7c\x00\x00\x00", "tga": bytes(18), "bmp": b"BM" + bytes(12)}
    return headers[kind]


# Two sceneries sharing one plain include.
text("scenery/wola.scn", [
    "// Sceneria przykładowa Wola: stacja z peronem, torem, domami i rozkładem jazdy.",
    "//$i wola.jpg",
    "//$f pl inne/opis_paczki.txt",
    "sky sky/niebo.t3d",
    "include wspolne/oswietlenie.inc end",
    "// Ten sam plik z parametrami: kolor ściany (p1) i wariant modelu (p2).",
    "include obiekty/dom.inc czerwony 1 end",
    "include obiekty/dom.inc zielony 2 end",
    "node -1 0 peron triangles material ambient: 0.6 0.6 0.6 diffuse: 0.8 0.8 0.8 endmaterial peron/beton",
    "0.0 0.2 0.0 0.0 1.0 0.0 0.0 0.0 end",
    "60.0 0.2 0.0 0.0 1.0 0.0 6.0 0.0 end",
    "60.0 0.2 3.0 0.0 1.0 0.0 6.0 1.0 end",
    "endtri",
    "node 300 0 trawa triangles trawa.dds",
    "-50.0 0.0 -50.0 0.0 1.0 0.0 0.0 0.0 end",
    "50.0 0.0 -50.0 0.0 1.0 0.0 10.0 0.0 end",
    "50.0 0.0 50.0 0.0 1.0 0.0 10.0 10.0 end",
    "endtri",
    "node -1 0 tor1 track normal 100.0 1.435 0.25 20.0 20 0 1.5 vis",
    "tory/szyna.dds 4.0 tory/podsypka 0.2 1.5",
    "0.0 0.0 -5.0 0.0",
    "0.0 0.0 0.0 0.0 0.0 0.0",
    "0.0 0.0 0.0",
    "0.0 0.0 95.0 0.0 endtrack",
    "node -1 0 syrena sound 50.0 2.0 10.0 sceneria/syrena.wav endsound",
    "node -1 0 ptaki sound 0.0 5.0 0.0 sceneria_ptaki.wav endsound",
    "trainset rozklady/os101 tor1 0 0",
    "endtrainset",
    "event rozklad_r1 multiple 0 none timetable:rozklady/r1",
    "// Odwołania do plików, których brak w instalacji.",
    "event rozklad_r2 multiple 0 none timetable:rozklady/r2",
    "node -1 0 wiata model 20.0 0.0 3.0 0.0 wiata.t3d none",
    "node 100 0 plama triangles brakujaca_plama",
    "0.0 0.1 0.0 0.0 1.0 0.0 0.0 0.0 end",
    "endtri",
])
text("scenery/lipki.scn", [
    "// Sceneria przykładowa Lipki: przystanek z dworcem.",
    "include wspolne/oswietlenie.inc end",
    "node -1 0 dworzec model 120.0 0.0 -5.0 90.0 budynki/dworzec.e3d none",
])
text("scenery/wspolne/oswietlenie.inc", [
    "// Oświetlenie wspólne dla scenerii: lampa w postaci binarnej i tekstowej.",
    "node -1 0 lampa1 model 10.0 0.0 5.0 0.0 lampy/lampa.t3d none",
    "node -1 0 lampa2 model 30.0 0.0 5.0 0.0 Lampy/Lampa.t3d none",
])
text("scenery/obiekty/dom.inc", [
    "// Dom: ściana w kolorze (p1), model w wariancie (p2).",
    "node -1 0 dom model 40.0 0.0 -12.0 0.0 domy/dom(p2).t3d sciana_(p1)",
])
text("scenery/rozklady/r1.txt", [
    "Rozkład jazdy pociągu R1 Wola - Lipki",
    "Wola      odj. 8:15",
    "Lipki     przyj. 8:32",
])
text("scenery/rozklady/os101.txt", [
    "Rozkład jazdy pociągu Os 101",
    "Wola      odj. 9:05",
])
binary("scenery/rozklady/r1radio.wav", wav())
binary("scenery/images/wola.jpg", b"\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xff\xd9")
binary("scenery/obiekty/sciana_zielony.tga", texture("tga"))

# Models: the lamp in both forms (the binary one is read), houses through placeholders.
text("models/sky/niebo.t3d", [
    "// Sfera nieba",
    "parent: none type: mesh name: niebo",
    "map: niebo",
    "numverts: 3",
])
text("models/lampy/lampa.t3d", [
    "parent: none type: mesh name: lampa",
    "map: klosz",
])
binary("models/lampy/lampa.e3d", e3d(["klosz.dds", "slup"], ["lampa", "klosz"]))
text("models/domy/dom1.t3d", [
    "parent: none type: mesh name: dom",
    "map: dach",
    "map: none",
    "map: ReplacableSkin",
])
binary("models/domy/dom2.e3d", e3d(["dach.dds", "okna"], ["dom"]))
binary("models/budynki/dworzec.e3d",
       e3d(["dworzec", "none", "replacableskin", "budynki/brakujacy_dach.dds"], ["dworzec"]))

for relative, kind in [
    ("textures/sky/niebo.dds", "dds"),
    ("textures/lampy/klosz.dds", "dds"),
    ("textures/lampy/slup.tga", "tga"),
    ("textures/domy/dach.dds", "dds"),
    ("textures/domy/okna.bmp", "bmp"),
    ("textures/budynki/dworzec.dds", "dds"),
    ("textures/sciana_czerwony.dds", "dds"),
    ("textures/trawa.dds", "dds"),
    ("textures/peron/beton.dds", "dds"),
    ("textures/tory/szyna.dds", "dds"),
    ("textures/tory/podsypka.tga", "tga"),
]:
    binary(relative, texture(kind))

binary("sounds/sceneria/syrena.wav", wav())
text("sounds/sceneria/syrena.txt", ["Syrena alarmowa na stacji Wola."])
binary("sounds/sceneria_ptaki.wav", wav())
