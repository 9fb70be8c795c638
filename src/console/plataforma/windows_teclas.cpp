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
    const int virtual_ = tecla.teclaVirtual;
    if (virtual_ >= virtualF1 && virtual_ < virtualF1 + 10) {
        prefijo = prefijoFuncion;
        codigo = (tecla.alt          ? teclaAltF1
                  : tecla.ctrl       ? teclaCtrlF1
                  : tecla.mayusculas ? teclaMayusF1
                                     : teclaF1) +
                 (virtual_ - virtualF1);
        return true;
    }
    if (virtual_ == virtualF11 || virtual_ == virtualF11 + 1) {
        prefijo = prefijoExtendido;
        codigo = (tecla.alt          ? teclaAltF11
                  : tecla.ctrl       ? teclaCtrlF11
                  : tecla.mayusculas ? teclaMayusF11
                                     : teclaF11) +
                 (virtual_ - virtualF11);
        return true;
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
