#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "guion/consola_guion.h"
#ifdef TRES_EN_RAYAS_FUENTES
#include "guion/fuente.h"
#endif
#include "guion/esperado.h"

// The game's entry, built into the tests under this name.
int mainDelJuego(int argc = 0, char *argv[] = nullptr);
char gameOver();

namespace {

using esperado::menu;
using esperado::pregunta;

const std::string opcionErronea =
    "Usted se ha equivocado de opcion, intente de nuevo\n" + guion::pausa;
const std::string teclaErronea = "Lo siento se ha equivocado intente de nuevo.\n" + guion::pausa;

struct Sesion {
    std::string salida;
    int estado = -1;
    std::string sinLeer;
};

Sesion jugar(const std::string &entrada) {
    Sesion sesion;
    sesion.salida = guion::jugar(entrada, [&] { sesion.estado = mainDelJuego(); });
    sesion.sinLeer = guion::sinLeer();
    return sesion;
}

TEST(Menu, SalirEnseguidaConEstadoCero) {
    const Sesion sesion = jugar("3x");
    EXPECT_EQ(sesion.estado, 0);
    EXPECT_EQ(sesion.salida, menu);
    EXPECT_EQ(sesion.sinLeer, "x");
}

TEST(Menu, LasTeclasErroneasAvisanTrasElCreditoYVuelvenAlMenu) {
    // A cursor key sends two codes, and each is a wrong key: the pause
    // waits for a key of its own in between.
    const Sesion sesion = jugar("0p4pap\np\x1bp\xE0Hpp3");
    EXPECT_EQ(sesion.estado, 0);
    std::string esperada;
    for (int i = 0; i < 7; ++i) {
        esperada += menu + opcionErronea;
    }
    EXPECT_EQ(sesion.salida, esperada + menu);
    EXPECT_NE(sesion.salida.find("Hecho por QuarvendilUsted se ha equivocado"), std::string::npos);
}

TEST(Menu, LaUnoEmpiezaUnaPartidaContraElOrdenador) {
    const Sesion sesion = jugar("1");
    EXPECT_EQ(sesion.salida, menu + guion::blanqueo + esperado::dibujo("123456789") + "\n\n");
}

TEST(Menu, PartidaDeDosYPreguntaFinal) {
    const Sesion sesion = jugar("2Ana\nLuis\n123547869z" // a drawn match
                                "x p "                   // two wrong answers
                                "Y"                      // the menu again
                                "2\n\n14253z"            // the first player wins
                                "n");
    EXPECT_EQ(sesion.estado, 0);
    EXPECT_EQ(sesion.sinLeer, "");
    const std::string &salida = sesion.salida;

    const std::string primera =
        "Hecho por Quarvendil" + guion::blanqueo + "Cual es el nombre del primer jugador: ";
    ASSERT_EQ(salida.find(menu + guion::blanqueo), 0U) << salida;
    const std::size_t empate = salida.find("\nLo siento has empatado.\n" + guion::pausa);
    ASSERT_NE(empate, std::string::npos) << salida;
    const std::string tras = salida.substr(empate);
    const std::string preguntas = "\nLo siento has empatado.\n" + guion::pausa + pregunta +
                                  teclaErronea + pregunta + teclaErronea + pregunta + menu +
                                  guion::blanqueo;
    EXPECT_EQ(tras.find(preguntas), 0U) << tras;
    EXPECT_NE(salida.find(primera), std::string::npos);
    const std::string fin = "\n\nFelicidades ganastes !!\n" + guion::pausa + pregunta;
    ASSERT_GE(salida.size(), fin.size());
    EXPECT_EQ(salida.substr(salida.size() - fin.size()), fin);
}

TEST(GameOver, AceptaAmbosCasosYRepiteConCualquierOtraTecla) {
    char respuesta = 0;
    for (const char *teclas : {"y", "Y"}) {
        EXPECT_EQ(guion::jugar(teclas, [&] { respuesta = gameOver(); }), pregunta);
        EXPECT_EQ(respuesta, '0');
    }
    for (const char *teclas : {"n", "N"}) {
        EXPECT_EQ(guion::jugar(teclas, [&] { respuesta = gameOver(); }), pregunta);
        EXPECT_EQ(respuesta, '1');
    }
    // Enter, Escape, a digit and both codes of a cursor key are all wrong
    // answers.
    respuesta = 0;
    const std::string salida = guion::jugar("\nz\x1bz1z\xE0Hzzn", [&] { respuesta = gameOver(); });
    EXPECT_EQ(respuesta, '1');
    std::string esperada;
    for (int i = 0; i < 5; ++i) {
        esperada += pregunta + teclaErronea;
    }
    EXPECT_EQ(salida, esperada + pregunta);
}

#ifdef TRES_EN_RAYAS_FUENTES
// The documents and the page show the menu as the game prints it: each copy,
// read from its file, is the game's own output, line for line, behind what
// comes before it there and indented as its lines are.
TEST(Menu, CadaCopiaDelMenuEsLaDelJuego) {
    std::string delJuego = jugar("3").salida;
    ASSERT_EQ(delJuego.rfind(guion::cls, 0), 0U) << delJuego;
    delJuego.erase(0, guion::cls.size());
    struct Copia {
        const char *archivo;
        const char *antes; // what stands right before the first line
        const char *sangria;
    };
    for (const Copia copia :
         {Copia{"web/index.html", "<pre id=\"primera\" aria-hidden=\"true\">", ""},
          Copia{"man/tres-en-rayas.6", ".nf\n", ""}, Copia{"README.md", "\n\n", "    "},
          Copia{"LEEME.md", "\n\n", "    "}}) {
        std::string esperada = copia.antes;
        std::istringstream lineas(delJuego);
        for (std::string linea; std::getline(lineas, linea);) {
            esperada += copia.sangria + linea + "\n";
        }
        const std::string texto = fuente(copia.archivo);
        // The last line ends where the file's block does: a line's end, or
        // the page's </pre>.
        const std::string hastaElCredito = esperada.substr(0, esperada.size() - 1);
        const bool esta = texto.find(esperada) != std::string::npos ||
                          texto.find(hastaElCredito + "</pre>") != std::string::npos;
        EXPECT_TRUE(esta) << copia.archivo << " does not show the game's menu:\n" << delJuego;
    }
}
#endif

} // namespace
