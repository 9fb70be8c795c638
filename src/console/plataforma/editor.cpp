#include "console/plataforma/editor.h"

#include <cstring>

#include "console/plataforma/lineas.h"
#include "console/plataforma/utf8.h"

namespace {

const char guardaCursor[] = "\x1b"
                            "7";
const char vuelveAlInicio[] = "\x1b"
                              "8";
const char borraDebajo[] = "\x1b[J";
const char finDeLinea[] = "\r\n";

struct Linea {
    char *texto;
    std::size_t largo;
    std::size_t cursor;
    std::size_t capacidad; // of text, without the "\n" and the NUL
};

bool esContinuacion(char byte) { return esContinuacionUtf8(static_cast<unsigned char>(byte)); }

// Where the character before or after a position starts.
std::size_t anterior(const Linea &linea, std::size_t posicion) {
    do {
        --posicion;
    } while (posicion > 0 && esContinuacion(linea.texto[posicion]));
    return posicion;
}

std::size_t posterior(const Linea &linea, std::size_t posicion) {
    do {
        ++posicion;
    } while (posicion < linea.largo && esContinuacion(linea.texto[posicion]));
    return posicion;
}

void quita(Linea &linea, std::size_t desde, std::size_t hasta) {
    std::memmove(linea.texto + desde, linea.texto + hasta, linea.largo - hasta);
    linea.largo -= hasta - desde;
    linea.cursor = desde;
}

void agrega(char *destino, std::size_t &usados, const char *bytes, std::size_t cuantos) {
    std::memcpy(destino + usados, bytes, cuantos);
    usados += cuantos;
}

// The whole line again from its start, and the cursor back in its place, in
// one write.
void redibuja(const Linea &linea, Eco eco) {
    char salida[2 * capacidadEdicionMaxima + 16];
    std::size_t usados = 0;
    agrega(salida, usados, vuelveAlInicio, 2);
    agrega(salida, usados, borraDebajo, 3);
    agrega(salida, usados, linea.texto, linea.largo);
    if (linea.cursor < linea.largo) {
        agrega(salida, usados, vuelveAlInicio, 2);
        agrega(salida, usados, linea.texto, linea.cursor);
    }
    eco(salida, usados);
}

void inserta(Linea &linea, const Pulsacion &tecla, Eco eco) {
    const auto cuantos = static_cast<std::size_t>(tecla.largo);
    if (linea.largo + cuantos > linea.capacidad) {
        return;
    }
    std::memmove(linea.texto + linea.cursor + cuantos, linea.texto + linea.cursor,
                 linea.largo - linea.cursor);
    std::memcpy(linea.texto + linea.cursor, tecla.texto, cuantos);
    linea.largo += cuantos;
    linea.cursor += cuantos;
    if (linea.cursor == linea.largo) {
        eco(tecla.texto, cuantos); // typing at the end needs only its echo
    } else {
        redibuja(linea, eco);
    }
}

// Cursor and editing keys sent as two codes. Answers whether the line
// changed or the cursor moved.
bool teclaExtendida(Linea &linea, int codigo) {
    switch (codigo) {
    case teclaIzquierda:
        if (linea.cursor == 0)
            return false;
        linea.cursor = anterior(linea, linea.cursor);
        return true;
    case teclaDerecha:
        if (linea.cursor == linea.largo)
            return false;
        linea.cursor = posterior(linea, linea.cursor);
        return true;
    case teclaInicio: linea.cursor = 0; return true;
    case teclaFin: linea.cursor = linea.largo; return true;
    case teclaSuprimir:
        if (linea.cursor == linea.largo)
            return false;
        quita(linea, linea.cursor, posterior(linea, linea.cursor));
        return true;
    default: return false;
    }
}

// Control keys that edit. Answers whether the line changed.
bool teclaDeControl(Linea &linea, int codigo) {
    switch (codigo) {
    case teclaRetroceso:
    case teclaCtrlH:
        if (linea.cursor == 0)
            return false;
        quita(linea, anterior(linea, linea.cursor), linea.cursor);
        return true;
    case teclaEscape:
    case teclaCtrlU: quita(linea, 0, linea.largo); return true;
    case teclaCtrlW: {
        std::size_t desde = linea.cursor;
        while (desde > 0 && linea.texto[desde - 1] == ' ') {
            --desde;
        }
        while (desde > 0 && linea.texto[desde - 1] != ' ') {
            --desde;
        }
        quita(linea, desde, linea.cursor);
        return true;
    }
    default: return false;
    }
}

} // namespace

int editarLinea(LectorPulsaciones leer, Eco eco, char *texto, std::size_t tam, Seguimiento seguir) {
    if (tam < 2) {
        return -1;
    }
    Linea linea{texto, 0, 0, tam - 2 < capacidadEdicionMaxima ? tam - 2 : capacidadEdicionMaxima};
    eco(guardaCursor, 2);
    for (;;) {
        if (seguir != nullptr) {
            seguir(linea.texto, linea.largo, linea.cursor);
        }
        const Pulsacion tecla = leer();
        if (tecla.codigo == finDeEntrada) {
            texto[0] = '\0';
            return -1;
        }
        bool cambio = false;
        if (tecla.largo > 0) {
            inserta(linea, tecla, eco);
        } else if (tecla.segundo >= 0) {
            cambio = tecla.codigo == prefijoExtendido && teclaExtendida(linea, tecla.segundo);
        } else if (tecla.codigo == '\r' || tecla.codigo == '\n') {
            if (linea.cursor < linea.largo) {
                linea.cursor = linea.largo;
                redibuja(linea, eco);
            }
            eco(finDeLinea, 2);
            texto[linea.largo++] = '\n';
            texto[linea.largo] = '\0';
            return static_cast<int>(linea.largo);
        } else if (tecla.codigo == pantallaPorRedibujar) {
            // The screen was drawn again up to the line's start: that is
            // where the line starts now.
            eco(guardaCursor, 2);
            cambio = true;
        } else if (tecla.codigo == teclaCtrlD && linea.largo == 0) {
            eco(finDeLinea, 2);
            texto[0] = '\0';
            return 0;
        } else {
            cambio = teclaDeControl(linea, tecla.codigo);
        }
        if (cambio) {
            redibuja(linea, eco);
        }
    }
}

namespace {

// The edited line, served byte by byte to the shared line reader.
char lineaEditada[capacidadEdicionMaxima + 2];
std::size_t largoEditada = 0;
std::size_t leidoEditada = 0;

int byteEditado() {
    return leidoEditada < largoEditada ? static_cast<unsigned char>(lineaEditada[leidoEditada++])
                                       : finDeEntrada;
}

} // namespace

bool leerLineaEditada(LectorPulsaciones leer, Eco eco, Eco anotar, char *destino, std::size_t tam,
                      Seguimiento seguir) {
    const int largo = editarLinea(leer, eco, lineaEditada, sizeof lineaEditada, seguir);
    if (largo < 0) {
        return false;
    }
    if (anotar != nullptr) {
        anotar(lineaEditada, largo > 0 ? static_cast<std::size_t>(largo) - 1 : 0);
    }
    if (largo == 0) {
        destino[0] = '\0'; // Ctrl-D on an empty line: an empty name
        return true;
    }
    largoEditada = static_cast<std::size_t>(largo);
    leidoEditada = 0;
    return leerLineaCon(byteEditado, destino, tam);
}
