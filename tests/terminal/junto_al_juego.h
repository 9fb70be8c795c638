/* The path of the game's .exe, tres-en-rayas.exe, in the folder of the
 * running program, for the Windows test helpers that start it: 0 when it
 * does not fit in ruta. */
#pragma once
#include <string.h>
#include <wchar.h>
#include <windows.h>

static int rutaDelJuego(wchar_t ruta[MAX_PATH]) {
    const DWORD largo = GetModuleFileNameW(NULL, ruta, MAX_PATH);
    wchar_t *barra = wcsrchr(ruta, L'\\');
    if (largo == 0 || largo >= MAX_PATH || barra == NULL ||
        barra + 1 + wcslen(L"tres-en-rayas.exe") >= ruta + MAX_PATH) {
        return 0;
    }
    wcscpy(barra + 1, L"tres-en-rayas.exe");
    return 1;
}
