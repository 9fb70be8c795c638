/* Starts the game beside it with the console's input and output code pages
 * set to UTF-8 (65001), as "chcp 65001" leaves them, and ends with its exit
 * status: the terminal tests of the Windows build run through it too. */
#include "junto_al_juego.h"

int main(void) {
    wchar_t ruta[MAX_PATH];
    if (!rutaDelJuego(ruta)) {
        return 127;
    }
    if (!SetConsoleCP(CP_UTF8) || !SetConsoleOutputCP(CP_UTF8)) {
        return 126;
    }
    STARTUPINFOW inicio;
    ZeroMemory(&inicio, sizeof inicio);
    inicio.cb = sizeof inicio;
    PROCESS_INFORMATION proceso;
    if (!CreateProcessW(ruta, NULL, NULL, NULL, TRUE, 0, NULL, NULL, &inicio, &proceso)) {
        return 127;
    }
    WaitForSingleObject(proceso.hProcess, INFINITE);
    DWORD estado = 1;
    GetExitCodeProcess(proceso.hProcess, &estado);
    return (int)estado;
}
