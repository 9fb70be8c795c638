// Plays the whole game, from the menu, over arbitrary bytes: the first
// byte seeds the random generator, the rest are the keys and name lines.
// The end of the bytes is the end of input. Any broken rule aborts.

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "console/plataforma/mostrar.h"
#include "console/plataforma/utf8.h"
#include "guion/consola_guion.h"

int mainDelJuego(int argc = 0, char *argv[] = nullptr);

namespace {

std::time_t reloj = 0;

// Each run's transcript is checked as a user would see it: plain printable
// text, and boards that only ever change as the rules allow.
[[noreturn]] void falla(const char *regla) {
    std::fputs(regla, stderr);
    std::fputc('\n', stderr);
    std::abort();
}

// A name as a terminal is shown it: no control of any kind, C0, DEL or
// C1 (in UTF-8, or a byte 0x80 to 0x9F that starts no character), which
// would command the terminal.
void compruebaNombreMostrado(const std::string &nombre) {
    char mostrado[4 * 256 + 1];
    copiaParaMostrar(nombre.c_str(), mostrado, sizeof mostrado, true);
    const auto *byte = reinterpret_cast<const unsigned char *>(mostrado);
    while (*byte != '\0') {
        const int largo = largoCaracterUtf8(*byte);
        int entero = 1;
        while (entero < largo && (byte[entero] & 0xC0) == 0x80) {
            ++entero;
        }
        if (*byte < 0x20 || *byte == 0x7F || (entero == 1 && *byte >= 0x80 && *byte <= 0x9F) ||
            (entero == 2 && largo == 2 && *byte == 0xC2 && byte[1] <= 0x9F)) {
            falla("a name shown on a terminal with a control in it");
        }
        byte += entero == largo ? largo : 1;
    }
}

// Names are printed as typed, and only in the winner's message: take them
// out before the rest is checked, and check each as a terminal is shown it.
std::string sinNombres(const std::string &salida) {
    static const std::string inicio = "Felicidades ganastes ";
    std::string resto;
    std::size_t desde = 0;
    for (std::size_t donde = salida.find(inicio); donde != std::string::npos;
         donde = salida.find(inicio, desde)) {
        const std::size_t nombre = donde + inicio.size();
        const std::size_t fin = salida.find("!!\n", nombre);
        if (fin == std::string::npos) {
            falla("a winner's message without its end");
        }
        resto += salida.substr(desde, nombre - desde);
        compruebaNombreMostrado(salida.substr(nombre, fin - nombre));
        desde = fin;
    }
    return resto + salida.substr(desde);
}

void compruebaTexto(const std::string &texto) {
    for (const char c : texto) {
        if (c != '\n' && (c < 0x20 || c > 0x7E)) {
            falla("a byte that is neither printable nor a line break");
        }
    }
}

// Every drawing of the board, in order; a new match starts from a fresh
// board.
void compruebaTableros(const std::string &texto) {
    static const std::string dibujo = "<cls>---------------\n |";
    static const std::string nueva = "<clear>";
    std::string anterior = "123456789";
    std::size_t desde = 0;
    for (;;) {
        const std::size_t tablero = texto.find(dibujo, desde);
        const std::size_t partida = texto.find(nueva, desde);
        if (partida != std::string::npos && partida < tablero) {
            anterior = "123456789";
            desde = partida + nueva.size();
            continue;
        }
        if (tablero == std::string::npos) {
            return;
        }
        std::string celdas;
        for (std::size_t fila = 0; fila < 3; ++fila) {
            for (std::size_t columna = 0; columna < 3; ++columna) {
                const std::size_t en = tablero + 5 + 16 + fila * 31 + 3 + columna * 4;
                if (en >= texto.size()) {
                    falla("a board cut short");
                }
                celdas += texto[en];
            }
        }
        int cambios = 0;
        int equis = 0;
        int oes = 0;
        for (std::size_t i = 0; i < 9; ++i) {
            const char digito = static_cast<char>('1' + i);
            const char c = celdas[i];
            if (c != digito && c != 'X' && c != 'O') {
                falla("a cell holds something other than its digit, X or O");
            }
            if (c != anterior[i]) {
                ++cambios;
                if (anterior[i] != digito) {
                    falla("a taken cell changed");
                }
            }
            equis += c == 'X' ? 1 : 0;
            oes += c == 'O' ? 1 : 0;
        }
        if (cambios > 2) {
            falla("more than two marks between two drawings");
        }
        if (equis - oes != 0 && equis - oes != 1) {
            falla("the marks are out of turn");
        }
        anterior = celdas;
        desde = tablero + dibujo.size();
    }
}

} // namespace

// The game seeds its generator from the clock: here the clock is the first
// byte of the input, so that every run can be replayed.
extern "C" std::time_t time(std::time_t *t) noexcept {
    if (t != nullptr) {
        *t = reloj;
    }
    return reloj;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *datos, std::size_t tam) {
    if (tam == 0) {
        return 0;
    }
    reloj = datos[0];
    const std::string entrada(reinterpret_cast<const char *>(datos) + 1, tam - 1);
    int estado = -1;
    const std::string salida = guion::jugar(entrada, [&] { estado = mainDelJuego(); });
    if (estado != -1 && estado != 0) {
        falla("the game ended with a status other than 0");
    }
    const std::string texto = sinNombres(salida);
    compruebaTexto(texto);
    compruebaTableros(texto);
    return 0;
}
