/* Starts the game beside it with its input the console and its output a
 * pipe whose reading end is already closed, so that its first write fails,
 * and says whether the console's input mode is then as it was before:
 * exits 0 when the game ended with status 1 and the mode is back, 2 when
 * the mode is not, 3 for another status, 127 when the game cannot start. */
#include <stdio.h>

#include "junto_al_juego.h"

int main(void) {
    wchar_t ruta[MAX_PATH];
    if (!rutaDelJuego(ruta)) {
        return 127;
    }
    HANDLE consola = GetStdHandle(STD_INPUT_HANDLE);
    DWORD antes = 0;
    if (!GetConsoleMode(consola, &antes)) {
        return 127;
    }
    SECURITY_ATTRIBUTES heredable = {sizeof heredable, NULL, TRUE};
    HANDLE lectura = NULL;
    HANDLE escritura = NULL;
    if (!CreatePipe(&lectura, &escritura, &heredable, 0)) {
        return 127;
    }
    CloseHandle(lectura);
    STARTUPINFOW inicio;
    ZeroMemory(&inicio, sizeof inicio);
    inicio.cb = sizeof inicio;
    inicio.dwFlags = STARTF_USESTDHANDLES;
    inicio.hStdInput = consola;
    inicio.hStdOutput = escritura;
    inicio.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION proceso;
    if (!CreateProcessW(ruta, NULL, NULL, NULL, TRUE, 0, NULL, NULL, &inicio, &proceso)) {
        return 127;
    }
    CloseHandle(escritura);
    WaitForSingleObject(proceso.hProcess, INFINITE);
    DWORD estado = 0;
    GetExitCodeProcess(proceso.hProcess, &estado);
    DWORD despues = 0;
    GetConsoleMode(consola, &despues);
    printf("status %lu, the console's mode %#lx before and %#lx after\n", (unsigned long)estado,
           (unsigned long)antes, (unsigned long)despues);
    if (estado != 1) {
        return 3;
    }
    return despues == antes ? 0 : 2;
}
