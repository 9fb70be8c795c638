/* Starts the game beside it with the console's input and output code pages
 * set to UTF-8 (65001), as "chcp 65001" leaves them, and ends with its exit
 * status: the terminal tests of the Windows build run through it too. */
#include <windows.h>
#include <string.h>
#include <wchar.h>

int main(void) {
    wchar_t ruta[MAX_PATH];
    const DWORD largo = GetModuleFileNameW(NULL, ruta, MAX_PATH);
    wchar_t *barra = wcsrchr(ruta, L'\\');
    if (largo == 0 || largo >= MAX_PATH || barra == NULL ||
        barra + 1 + wcslen(L"tres-en-rayas.exe") >= ruta + MAX_PATH) {
        return 127;
    }
    wcscpy(barra + 1, L"tres-en-rayas.exe");
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
