/* The yardstick: a minimal C program that writes the game's menu and exits. */
#include <stdio.h>

int main(void) {
    printf("%30s", "Menu de tres en rayas:\n");
    printf("%15s", "Decida su modalidad de juego:\n");
    puts(" 1. Modo solitario (jugador vs IA).");
    puts(" 2. Modo grupal (jugador vs jugador).");
    puts(" 3. Salir.");
    printf("Hecho por Quarvendil");
    return 0;
}
