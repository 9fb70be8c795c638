#include "console/plataforma/mensajes.h"

const char textoPausa[] = "Presione una tecla para continuar . . . ";
const char mensajeFalloLectura[] = "\nError al leer la entrada: el juego termina.\n";
const char mensajeFalloEscritura[] = "\nError al escribir la salida: el juego termina.\n";
