#include "console/plataforma/teclas.h"

#include "console/plataforma/utf8.h"

namespace {

struct Codigo {
    int prefijo;
    int codigo;
};

// What a sequence that is not known, or was cut short, is handed over as:
// still two codes, neither of them a digit.
constexpr Codigo desconocido = {prefijoExtendido, 0};

// Keys named by the final letter of "ESC [ ..." or "ESC O ...".
Codigo porLetra(int letra) {
    switch (letra) {
    case 'A': return {prefijoExtendido, teclaArriba};
    case 'B': return {prefijoExtendido, teclaAbajo};
    case 'C': return {prefijoExtendido, teclaDerecha};
    case 'D': return {prefijoExtendido, teclaIzquierda};
    case 'H': return {prefijoExtendido, teclaInicio};
    case 'F': return {prefijoExtendido, teclaFin};
    case 'P': return {prefijoFuncion, teclaF1};
    case 'Q': return {prefijoFuncion, teclaF1 + 1};
    case 'R': return {prefijoFuncion, teclaF1 + 2};
    case 'S': return {prefijoFuncion, teclaF1 + 3};
    case 'Z': return {prefijoFuncion, teclaMayusTab};
    case 'a': return {prefijoExtendido, teclaArriba};    // urxvt's Up with Ctrl or Shift
    case 'b': return {prefijoExtendido, teclaAbajo};     // urxvt's Down with Ctrl or Shift
    case 'c': return {prefijoExtendido, teclaDerecha};   // urxvt's Right with Ctrl or Shift
    case 'd': return {prefijoExtendido, teclaIzquierda}; // urxvt's Left with Ctrl or Shift
    default: return desconocido;
    }
}

// Keys named by the number of "ESC [ n ~".
Codigo porNumero(int numero) {
    switch (numero) {
    case 1:
    case 7: return {prefijoExtendido, teclaInicio};
    case 2: return {prefijoExtendido, teclaInsertar};
    case 3: return {prefijoExtendido, teclaSuprimir};
    case 4:
    case 8: return {prefijoExtendido, teclaFin};
    case 5: return {prefijoExtendido, teclaRePag};
    case 6: return {prefijoExtendido, teclaAvPag};
    case 11:
    case 12:
    case 13:
    case 14:
    case 15: return {prefijoFuncion, teclaF1 + numero - 11}; // F1-F5
    case 17:
    case 18:
    case 19:
    case 20:
    case 21: return {prefijoFuncion, teclaF1 + 5 + numero - 17}; // F6-F10
    case 23: return {prefijoExtendido, teclaF11};
    case 24: return {prefijoExtendido, teclaF11 + 1}; // F12
    default: return desconocido;
    }
}

bool esByte(int valor) { return valor >= 0; }

// The rest of "ESC [": parameters, intermediates and the final byte.
Codigo leeSecuenciaCsi(LectorConEspera leer) {
    int byte = leer(esperaEnSecuencia);
    if (byte == '[') {
        // The Linux console sends F1-F5 as "ESC [ [ A" to "ESC [ [ E".
        // Each call reads the next byte, whatever the one before was.
        const int letra = leer(esperaEnSecuencia);
        // cppcheck-suppress knownConditionTrueFalse
        if (letra >= 'A' && letra <= 'E') {
            return {prefijoFuncion, teclaF1 + letra - 'A'};
        }
        return desconocido;
    }
    int numero = 0;
    bool primerParametro = true;
    bool conParametros = false;
    while (esByte(byte) && byte >= 0x30 && byte <= 0x3F) {
        conParametros = true;
        // Parameter bytes start at '0': the digits are the ones up to '9'.
        if (byte <= '9' && primerParametro && numero < 1000) {
            numero = numero * 10 + (byte - '0');
        } else if (byte == ';') {
            primerParametro = false;
        }
        byte = leer(esperaEnSecuencia);
    }
    while (esByte(byte) && byte >= 0x20 && byte <= 0x2F) {
        byte = leer(esperaEnSecuencia);
    }
    if (!esByte(byte) || byte < 0x40 || byte > 0x7E) {
        return desconocido;
    }
    if (byte == '~') {
        return porNumero(numero);
    }
    // st sends Delete as "ESC [ P" and Insert as "ESC [ 4 h" while the
    // keypad is in its normal mode; F1 is "ESC O P", or "ESC [ 1 ; m P"
    // with a modifier.
    if (byte == 'P' && !conParametros) {
        return porNumero(3);
    }
    if (byte == 'h' && numero == 4 && primerParametro) {
        return porNumero(2);
    }
    return porLetra(byte);
}

int leeByte(ColaTeclas &cola, LectorConEspera leer, int esperaMs) {
    if (cola.devuelto >= 0) {
        const int byte = cola.devuelto;
        cola.devuelto = -1;
        return byte;
    }
    return leer(esperaMs);
}

// Whether a byte can follow the ones of a character already read: any
// continuation byte, except those that would make the character overlong,
// a surrogate or past U+10FFFF.
bool sigueCaracter(int byte, int primero, int posicion) {
    int minimo = 0x80;
    int maximo = 0xBF;
    if (posicion == 1) {
        minimo = primero == 0xE0 ? 0xA0 : primero == 0xF0 ? 0x90 : minimo;
        maximo = primero == 0xED ? 0x9F : primero == 0xF4 ? 0x8F : maximo;
    }
    return esByte(byte) && byte >= minimo && byte <= maximo;
}

constexpr Pulsacion sinTexto(int codigo, int segundo = -1) { return {codigo, segundo, {}, 0}; }

// The rest of a UTF-8 character whose first byte was read. A character cut
// short is still one key, with its first byte as code and no text; the
// byte that cut it is the next key.
Pulsacion leeCaracter(ColaTeclas &cola, LectorConEspera leer, int primero) {
    const int largo = largoCaracterUtf8(primero);
    Pulsacion tecla = sinTexto(primero);
    tecla.texto[0] = static_cast<char>(primero);
    int punto = primero & (0x7F >> largo);
    for (int i = 1; i < largo; ++i) {
        const int byte = leer(esperaEnSecuencia);
        if (!sigueCaracter(byte, primero, i)) {
            if (esByte(byte)) {
                cola.devuelto = byte;
            }
            return sinTexto(primero);
        }
        tecla.texto[i] = static_cast<char>(byte);
        punto = (punto << 6) | (byte & 0x3F);
    }
    // A C1 control (U+0080 to U+009F) is a key with no text, as a C0 one
    // is: the line editor never takes it into a name nor echoes it, where
    // a terminal would obey it.
    tecla.largo = punto >= 0x80 && punto <= 0x9F ? 0 : largo;
    tecla.codigo = punto <= 0xFF ? punto : '?';
    return tecla;
}

} // namespace

Pulsacion siguientePulsacion(ColaTeclas &cola, LectorConEspera leer, bool utf8) {
    const int byte = leeByte(cola, leer, -1);
    if (utf8 && largoCaracterUtf8(byte) > 0) {
        return leeCaracter(cola, leer, byte);
    }
    if (byte != teclaEscape) {
        // A plain key, or the end of input.
        Pulsacion tecla = sinTexto(byte);
        if (byte >= 0x20 && byte < 0x7F) {
            tecla.texto[0] = static_cast<char>(byte);
            tecla.largo = 1;
        }
        return tecla;
    }
    const int siguiente = leer(esperaTrasEscape);
    if (!esByte(siguiente)) {
        return sinTexto(teclaEscape); // a lone Escape
    }
    if (siguiente != '[' && siguiente != 'O') {
        // Alt with a key: most terminals send ESC and, at once, the key's
        // own bytes (a letter, a whole UTF-8 character, another escape
        // sequence). It is one key press, unknown to the game, never an
        // Escape followed by the key.
        cola.devuelto = siguiente;
        siguientePulsacion(cola, leer, utf8);
        return sinTexto(desconocido.prefijo, desconocido.codigo);
    }
    const Codigo tecla =
        siguiente == '[' ? leeSecuenciaCsi(leer) : porLetra(leer(esperaEnSecuencia));
    return sinTexto(tecla.prefijo, tecla.codigo);
}

int siguienteTecla(ColaTeclas &cola, LectorConEspera leer, bool utf8) {
    if (cola.pendiente >= 0) {
        const int codigo = cola.pendiente;
        cola.pendiente = -1;
        return codigo;
    }
    const Pulsacion tecla = siguientePulsacion(cola, leer, utf8);
    cola.pendiente = tecla.segundo;
    return tecla.codigo;
}
