#include "console/plataforma/windows_teclas.h"

#include "console/plataforma/teclas.h"

namespace {

// The codes of the cursor keys, by scan code (the key's code alone, or with
// Shift): with Ctrl, with Alt.
struct CodigosCursor {
    int solo;
    int conCtrl;
    int conAlt;
};
const CodigosCursor teclasCursor[] = {
    {teclaInicio, 119, 151},    {teclaArriba, 141, 152},  {teclaRePag, 132, 153},
    {teclaIzquierda, 115, 155}, {teclaDerecha, 116, 157}, {teclaFin, 117, 159},
    {teclaAbajo, 145, 160},     {teclaAvPag, 118, 161},   {teclaInsertar, 146, 162},
    {teclaSuprimir, 147, 163},
};

} // namespace

bool codigosExtendidos(const EventoTecla &tecla, int &prefijo, int &codigo) {
    // The two blocks of function keys: where each starts, how many keys it
    // has, its prefix, and its first key's code alone and with each
    // modifier, Alt before Ctrl before Shift.
    const struct {
        int virtualPrimera;
        int cuantas;
        int prefijo;
        int solo, conMayusculas, conCtrl, conAlt;
    } bloques[] = {
        {virtualF1, 10, prefijoFuncion, teclaF1, teclaMayusF1, teclaCtrlF1, teclaAltF1},
        {virtualF11, 2, prefijoExtendido, teclaF11, teclaMayusF11, teclaCtrlF11, teclaAltF11},
    };
    for (const auto &bloque : bloques) {
        const int n = tecla.teclaVirtual - bloque.virtualPrimera;
        if (n >= 0 && n < bloque.cuantas) {
            prefijo = bloque.prefijo;
            codigo = (tecla.alt          ? bloque.conAlt
                      : tecla.ctrl       ? bloque.conCtrl
                      : tecla.mayusculas ? bloque.conMayusculas
                                         : bloque.solo) +
                     n;
            return true;
        }
    }
    for (const CodigosCursor &cursor : teclasCursor) {
        if (cursor.solo == tecla.codigoEscaneo) {
            // The keys of their own block; the numeric keypad's give 0.
            prefijo = tecla.extendida ? prefijoExtendido : 0;
            codigo = tecla.alt ? cursor.conAlt : tecla.ctrl ? cursor.conCtrl : cursor.solo;
            return true;
        }
    }
    return false;
}
