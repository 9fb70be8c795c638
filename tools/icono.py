#!/usr/bin/env python3
"""Draws the game's icon (the board with an X and an O of
paquete/io.github.tresenrayas.TresEnRayas.svg) into the Windows icon
paquete/windows/tres-en-rayas.ico, at the sizes Windows asks for, and into
the web page's PNG icons of 192 and 512 pixels, one of them maskable (the
board inside the middle that every mask shape keeps, on a background that
fills the square), with the standard library alone. The same drawing gives
the same bytes. Run it again after changing the drawing."""

import math
import struct
import zlib
from pathlib import Path

FONDO = (0xF4, 0xEF, 0xE1)
TINTA = (0x3D, 0x3D, 0x3D)
EQUIS = (0xC0, 0x39, 0x2B)
CERO = (0x24, 0x71, 0xA3)

REJILLA = [((48, 18), (48, 110)), ((80, 18), (80, 110)), ((18, 48), (110, 48)), ((18, 80), (110, 80))]
CRUCES = [((22, 22), (38, 38)), ((38, 22), (22, 38)), ((56, 56), (72, 72)), ((72, 56), (56, 72))]
CIRCULOS = [(96, 32), (32, 96)]


def distancia_a_segmento(p, a, b):
    (px, py), (ax, ay), (bx, by) = p, a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def distancia_a_rectangulo(p, x0, y0, x1, y1, radio):
    """Signed distance to a rounded rectangle: negative inside."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    qx = abs(p[0] - cx) - ((x1 - x0) / 2 - radio)
    qy = abs(p[1] - cy) - ((y1 - y0) / 2 - radio)
    return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - radio


def color(p):
    """The colour at a point of the 128x128 drawing, or None outside it."""
    borde = distancia_a_rectangulo(p, 4, 4, 124, 124, 20)
    if borde > 2:
        return None
    pintado = TINTA if borde > -2 else FONDO
    if any(distancia_a_segmento(p, a, b) <= 3 for a, b in REJILLA):
        pintado = TINTA
    if any(distancia_a_segmento(p, a, b) <= 3.5 for a, b in CRUCES):
        pintado = EQUIS
    if any(abs(math.hypot(p[0] - cx, p[1] - cy) - 10) <= 3.5 for cx, cy in CIRCULOS):
        pintado = CERO
    return pintado


def imagen(lado, muestras=4, mascara=False):
    """RGBA rows of the drawing at lado x lado pixels, smoothed. A maskable
    one has the drawing in the middle 60% (inside the circle of 80% that
    masks keep) and the background colour everywhere else."""
    escala, margen = (128 / (0.6 * lado), -0.2 * 128 / 0.6) if mascara else (128 / lado, 0)
    filas = []
    for y in range(lado):
        fila = bytearray()
        for x in range(lado):
            suma, cubiertas = [0, 0, 0], 0
            for sy in range(muestras):
                for sx in range(muestras):
                    punto = ((x + (sx + 0.5) / muestras) * escala + margen,
                             (y + (sy + 0.5) / muestras) * escala + margen)
                    c = color(punto)
                    if c is None and mascara:
                        c = FONDO
                    if c is not None:
                        cubiertas += 1
                        suma = [s + v for s, v in zip(suma, c)]
            if cubiertas == 0:
                fila += bytes(4)
            else:
                fila += bytes(round(s / cubiertas) for s in suma)
                fila.append(round(255 * cubiertas / muestras**2))
        filas.append(bytes(fila))
    return filas


def png(lado, muestras=4, mascara=False):
    def trozo(tipo, datos):
        return struct.pack(">I", len(datos)) + tipo + datos + struct.pack(">I", zlib.crc32(tipo + datos))

    crudo = b"".join(b"\0" + fila for fila in imagen(lado, muestras, mascara))
    return (b"\x89PNG\r\n\x1a\n" + trozo(b"IHDR", struct.pack(">IIBBBBB", lado, lado, 8, 6, 0, 0, 0))
            + trozo(b"IDAT", zlib.compress(crudo, 9)) + trozo(b"IEND", b""))


def main():
    lados = [16, 24, 32, 48, 64, 256]
    imagenes = [png(lado) for lado in lados]
    cabecera = struct.pack("<HHH", 0, 1, len(lados))
    desplazamiento = len(cabecera) + 16 * len(lados)
    entradas = b""
    for lado, datos in zip(lados, imagenes):
        entradas += struct.pack("<BBBBHHII", lado % 256, lado % 256, 0, 0, 1, 32, len(datos), desplazamiento)
        desplazamiento += len(datos)
    raiz = Path(__file__).resolve().parent.parent
    (raiz / "paquete" / "windows" / "tres-en-rayas.ico").write_bytes(cabecera + entradas + b"".join(imagenes))
    web = raiz / "web"
    (web / "icono-192.png").write_bytes(png(192))
    (web / "icono-512.png").write_bytes(png(512, muestras=2))
    (web / "icono-mascara-512.png").write_bytes(png(512, muestras=2, mascara=True))


if __name__ == "__main__":
    main()
