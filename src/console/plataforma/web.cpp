// The console services in a web browser, where the game runs as WebAssembly
// (wasm32-wasi) inside an xterm.js terminal. Standard output goes to the
// terminal through WASI's fd_write; keys come from the page, which keeps the
// bytes xterm.js hands over (what a UTF-8 terminal sends) until the game
// reads them. The page suspends the game while it waits for a key and
// resumes it when one comes, so the game reads keys in its blocking loop as
// on any console.
//
// A browser has no signals and no terminal modes: every key, Ctrl-C
// included, is a key, as on the Windows console. Keys and names are decoded
// and edited by the same code as on a Linux terminal, and what the screen
// shows is kept and drawn again by the same code too, when the page's grid
// changes (the page then answers a wait for a key with
// pantallaPorRedibujar).

#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "console/plataforma.h"
#include "console/plataforma/consola.h"
#include "console/plataforma/editor.h"
#include "console/plataforma/lineas.h"
#include "console/plataforma/mensajes.h"
#include "console/plataforma/mostrar.h"
#include "console/plataforma/registro.h"
#include "console/plataforma/teclado.h"
#include "console/plataforma/utf8.h"

// The page's import that waits: the next byte typed, waiting at most esperaMs
// milliseconds (no limit when negative). Answers 0..255, sinByte when the
// wait ran out, or pantallaPorRedibujar, to a wait with no limit, when the
// terminal's grid changed.
extern "C" __attribute__((import_module("navegador"), import_name("leer_byte"))) int
leerByteDelNavegador(int esperaMs);

// Tells the page that the game asks for a line (1), or has it (0), so that
// the keyboard's focus goes where a name is typed.
extern "C" __attribute__((import_module("navegador"), import_name("pide_linea"))) void
avisarLineaAlNavegador(int pide);

// Tells the page the name as it stands and the cursor's place in it, in
// bytes, before every key is read, so that the text field a phone's keyboard
// edits holds what the game holds.
extern "C" __attribute__((import_module("navegador"), import_name("linea_editada"))) void
seguirLineaEnElNavegador(const char *texto, std::size_t largo, std::size_t cursor);

namespace {

char bufferSalida[8192];

// The terminal's line discipline turns Enter's carriage return into a line
// feed, as a Linux terminal does by default (ICRNL).
int leerByteConEspera(int esperaMs) {
    const int byte = leerByteDelNavegador(esperaMs);
    return byte == '\r' ? '\n' : byte;
}

// What is buffered goes to the page, and is noted as on the screen.
void volcar() {
    anotarBufferSalida(bufferSalida, sizeof bufferSalida);
    std::fflush(stdout);
    std::memset(bufferSalida, 0, sizeof bufferSalida);
}

bool escribir(const char *bytes, std::size_t cuantos) {
    // The page's terminal takes every write.
    return write(STDOUT_FILENO, bytes, cuantos) >= 0;
}

void redibujarPantalla() { redibujarCon(escribir); }

// The page's keys are UTF-8, and never end.
constexpr Teclado teclado{leerByteConEspera, true, redibujarPantalla, nullptr};

Pulsacion leerPulsacion() { return pulsacionDe(teclado); }

void eco(const char *bytes, std::size_t cuantos) { escribir(bytes, cuantos); }

} // namespace

bool mostrarTexto(const char *texto) {
    std::fputs(texto, stdout);
    volcar();
    return true;
}

void iniciarConsola() { std::setvbuf(stdout, bufferSalida, _IOFBF, sizeof bufferSalida); }

int leerTecla() {
    volcar();
    return teclaDe(teclado);
}

void leerLinea(char *destino, std::size_t tam) {
    volcar();
    // The page's input never ends: the editor always ends its line.
    avisarLineaAlNavegador(1);
    leerLineaEditada(leerPulsacion, eco, anotarLineaEnPantalla, destino, tam,
                     seguirLineaEnElNavegador);
    avisarLineaAlNavegador(0);
    quitaCaracterCortado(destino);
}

void descartarEntrada() { descartarRestoLinea(); }

void limpiarPantalla() { std::fputs(secuenciaLimpiar, stdout); }

void borrarPantalla() { std::fputs(secuenciaBorrar, stdout); }

void pausa() {
    std::fputs(textoPausa, stdout);
    volcar();
    esperarPulsacionDe(teclado);
    std::putchar('\n');
}

void textoParaMostrar(const char *texto, char *destino, std::size_t tam) {
    copiaParaMostrar(texto, destino, tam, true);
}
