#include "console/plataforma/teclado.h"

#include "console/plataforma/lector.h"

namespace {

ColaTeclas cola = colaVacia;

void siAcabo(const Teclado &teclado, int codigo) {
    if (codigo == finDeEntrada && teclado.alAcabar != nullptr) {
        teclado.alAcabar();
    }
}

} // namespace

int teclaDe(const Teclado &teclado) {
    for (;;) {
        const int codigo = siguienteTecla(cola, teclado.leer, teclado.utf8);
        siAcabo(teclado, codigo);
        if (codigo != pantallaPorRedibujar) {
            return codigo;
        }
        teclado.redibujar();
    }
}

Pulsacion pulsacionDe(const Teclado &teclado) {
    const Pulsacion tecla = siguientePulsacion(cola, teclado.leer, teclado.utf8);
    siAcabo(teclado, tecla.codigo);
    if (tecla.codigo == pantallaPorRedibujar) {
        teclado.redibujar();
    }
    return tecla;
}

void esperarPulsacionDe(const Teclado &teclado) {
    while (pulsacionDe(teclado).codigo == pantallaPorRedibujar) {
    }
}
