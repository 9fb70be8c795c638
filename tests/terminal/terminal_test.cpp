// The real program in a real terminal: tmux runs it in an 80x24 pane on a
// private server, the tests type with send-keys and read the screen and
// the cursor until what they expect appears, or a timeout runs out.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

std::string comillas(const std::string &texto) {
    std::string resultado = "'";
    for (const char c : texto) {
        resultado += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return resultado + "'";
}

// Runs a shell command and answers what it printed.
std::string ejecutar(const std::string &orden) {
    std::string salida;
    std::FILE *tuberia = popen(orden.c_str(), "r");
    if (tuberia == nullptr) {
        return salida;
    }
    char trozo[4096];
    for (std::size_t n; (n = std::fread(trozo, 1, sizeof trozo, tuberia)) > 0;) {
        salida.append(trozo, n);
    }
    pclose(tuberia);
    return salida;
}

std::string leerArchivo(const std::string &ruta) {
    std::ifstream archivo(ruta);
    std::stringstream texto;
    texto << archivo.rdbuf();
    return texto.str();
}

// The program under test: this build's, or another named in the
// environment, such as the Windows .exe under Wine.
std::string programa() {
    const char *otro = std::getenv("TRES_EN_RAYAS_PROGRAMA");
    return otro != nullptr ? otro : PROGRAMA;
}

// Set when the program is the Windows build: there the press-any-key line
// is the command interpreter's own, and POSIX signals and stty mean nothing.
bool esWindows() { return std::getenv("TRES_EN_RAYAS_WINDOWS") != nullptr; }

// Stands in an expected screen for the press-any-key line, whatever its
// wording; the cursor is expected right behind it.
const std::string lineaPausa = "<pausa>";
constexpr int trasLaLinea = -1;

const std::vector<std::string> lineasMenu = {
    "       Menu de tres en rayas:",
    "Decida su modalidad de juego:",
    " 1. Modo solitario (jugador vs IA).",
    " 2. Modo grupal (jugador vs jugador).",
    " 3. Salir.",
    "Hecho por Quarvendil",
};

std::vector<std::string> conTablero(const std::string &celdas,
                                    const std::vector<std::string> &debajo = {});

class Terminal : public testing::Test {
  protected:
    void SetUp() override {
        arrancar("");
        esperarMenu();
    }

    // Waits for the first menu, and has the watcher end the game with the
    // test.
    void esperarMenu() {
        // Wine's first start sets up its prefix, which takes a while.
        if (esperar([&] { return coinciden(lineasMenu, {20, 5}); }, "the first menu", 90s)) {
            juego_ = pidDelJuego();
            vigilar(juego_);
        }
    }

    // Starts the program with these arguments, its output on the terminal
    // or in the file "salida".
    // antes goes before the program's command: the start of a pipe that
    // its keys come from, or a command that changes what it inherits.
    void arrancar(const std::string &argumentos, bool aArchivo = false,
                  const std::string &antes = "") {
        if (ejecutar("command -v tmux").empty()) {
            GTEST_SKIP() << "tmux is not installed";
        }
        char plantilla[] = "/tmp/tres-en-rayas-XXXXXX";
        ASSERT_NE(mkdtemp(plantilla), nullptr);
        carpeta_ = plantilla;
        // tmux leaves its socket behind when it ends: the server's socket
        // goes in the test's folder, which the watcher removes, and this
        // process's tmux commands and the watcher find it there.
        setenv("TMUX_TMPDIR", carpeta_.c_str(), 1);
        servidor_ = "tres-en-rayas-" + std::to_string(getpid());
        empezarVigia();
        // The program runs between two readings of the terminal settings,
        // as the foreground job of its terminal; its exit status is written
        // down when it ends, and the pane then stays as the program left it.
        const std::string resto = argumentos + (aArchivo ? " > " + carpeta_ + "/salida" : "");
        const std::string guion = "stty -g > " + carpeta_ + "/antes; " + antes + PRIMER_PLANO +
                                  " " + programa() + resto + "; echo $? > " + carpeta_ +
                                  "/estado; stty -g > " + carpeta_ + "/despues; exec sleep 3600";
        ejecutar(tmux() + " new-session -d -x 80 -y 24 -s juego " +
                 comillas("sh -c " + comillas(guion)));
        // The pane's shell, and later its sleep, may have been left with
        // hangups ignored: it is ended by its pid.
        vigilar(formato("#{pane_pid}"));
    }

    void TearDown() override {
        if (avisoVigia_ >= 0) {
            // The watcher ends the server and the game, and removes the
            // folder; its end closes the other pipe.
            close(avisoVigia_);
            char byte = 0;
            while (read(finVigia_, &byte, 1) > 0) {
            }
            close(finVigia_);
        }
    }

    // Tells the watcher of a process to end with the test.
    void vigilar(const std::string &pid) {
        if (avisoVigia_ >= 0 && !pid.empty()) {
            const std::string aviso = pid + "\n";
            EXPECT_EQ(write(avisoVigia_, aviso.data(), aviso.size()),
                      static_cast<ssize_t>(aviso.size()));
        }
    }

    // Starts a watcher that, when this test ends however it ends (a failed
    // assertion, a crash or ctest's timeout), ends the tmux server and every
    // process it was told of, and removes the test's folder.
    void empezarVigia() {
        int tubo[2];
        int fin[2];
        ASSERT_EQ(pipe(tubo), 0);
        ASSERT_EQ(pipe(fin), 0);
        // Only this process holds the write end: nothing it starts inherits
        // it, so it closes when this process ends. The watcher
        // (terminal/vigia.sh) reads pids until that end, in a session of its
        // own so that nothing that ends this process ends it too.
        fcntl(tubo[1], F_SETFD, FD_CLOEXEC);
        // The watcher is the child of a child that ends at once, so that it
        // is no descendant of this process: ctest's timeout ends a test with
        // every descendant it finds.
        const pid_t hijo = fork();
        if (hijo == 0) {
            if (fork() != 0) {
                _exit(0);
            }
            setsid();
            dup2(tubo[0], STDIN_FILENO);
            dup2(fin[1], STDOUT_FILENO);
            for (const int fd : {tubo[0], tubo[1], fin[0], fin[1]}) {
                close(fd);
            }
            setenv("SERVIDOR", servidor_.c_str(), 1);
            setenv("CONFIG_TMUX", CONFIG_TMUX, 1);
            setenv("CARPETA", carpeta_.c_str(), 1);
            execl("/bin/sh", "sh", VIGIA, nullptr);
            _exit(127);
        }
        waitpid(hijo, nullptr, 0);
        close(tubo[0]);
        close(fin[1]);
        avisoVigia_ = tubo[1];
        finVigia_ = fin[0];
    }

    std::string tmux() const { return "tmux -L " + servidor_ + " -f " + comillas(CONFIG_TMUX); }

    // Keys as tmux names them ("Up", "C-c", "Enter"), or literal text.
    void teclas(const std::string &nombres) { ejecutar(tmux() + " send-keys -t juego " + nombres); }
    void texto(const std::string &literal) {
        ejecutar(tmux() + " send-keys -t juego -l " + comillas(literal));
    }

    // The screen and the cursor of one moment: both read by one tmux command,
    // so that the game cannot draw between the two.
    struct Captura {
        std::string pantalla;            // the pane's lines, as capture-pane prints them
        std::vector<std::string> lineas; // the same, without empty lines at the bottom
        std::pair<int, int> cursor;
    };

    Captura captura() const {
        // The cursor first, on a line of its own, then the screen.
        const std::string salida = ejecutar(
            tmux() +
            " display-message -p -t juego '#{cursor_x} #{cursor_y}' \\; capture-pane -p -t juego");
        Captura resultado{salida.substr(salida.find('\n') + 1), {}, {-1, -1}};
        std::sscanf(salida.c_str(), "%d %d", &resultado.cursor.first, &resultado.cursor.second);
        std::stringstream flujo(resultado.pantalla);
        for (std::string linea; std::getline(flujo, linea);) {
            resultado.lineas.push_back(linea);
        }
        while (!resultado.lineas.empty() && resultado.lineas.back().empty()) {
            resultado.lineas.pop_back();
        }
        return resultado;
    }

    std::string pantalla() const { return captura().pantalla; }
    std::vector<std::string> lineas() const { return captura().lineas; }

    // Polls until the condition holds; fails with the screen when it never
    // does.
    bool esperar(const std::function<bool()> &condicion, const std::string &que,
                 std::chrono::seconds plazo = 15s) {
        const auto limite = std::chrono::steady_clock::now() + plazo;
        while (std::chrono::steady_clock::now() < limite) {
            if (condicion()) {
                return true;
            }
            std::this_thread::sleep_for(20ms);
        }
        const Captura ultima = captura();
        ADD_FAILURE() << "waited in vain for " << que << "; the screen:\n"
                      << ultima.pantalla << "cursor " << ultima.cursor.first << ","
                      << ultima.cursor.second;
        return false;
    }

    bool esperarPantalla(const std::function<bool(const std::string &)> &condicion) {
        return esperar([&] { return condicion(pantalla()); }, "the screen");
    }

    bool coinciden(const std::vector<std::string> &esperadas, std::pair<int, int> enCursor) const {
        const Captura ahora = captura();
        const std::vector<std::string> &reales = ahora.lineas;
        if (reales.size() != esperadas.size()) {
            return false;
        }
        for (std::size_t i = 0; i < reales.size(); ++i) {
            const bool pausa =
                esperadas[i] == lineaPausa &&
                (esWindows() ? !reales[i].empty()
                             : reales[i] == "Presione una tecla para continuar . . .");
            if (reales[i] != esperadas[i] && !pausa) {
                return false;
            }
        }
        const std::pair<int, int> &real = ahora.cursor;
        if (enCursor.first == trasLaLinea && enCursor.second >= 0 &&
            static_cast<std::size_t>(enCursor.second) < reales.size()) {
            // Behind the line's last character and the space after it.
            enCursor.first =
                static_cast<int>(reales[static_cast<std::size_t>(enCursor.second)].size()) + 1;
        }
        return real == enCursor;
    }

    bool esperarLineas(const std::vector<std::string> &esperadas, std::pair<int, int> enCursor) {
        return esperar([&] { return coinciden(esperadas, enCursor); }, "the lines and the cursor");
    }

    // After a wrong key at the menu: the message behind the credit line, a
    // pause that waits for a key, and the menu again after Space.
    // The menu's refusal of a wrong key, in its pause.
    static std::vector<std::string> menuRechazado() {
        std::vector<std::string> esperadas = lineasMenu;
        esperadas.back() += "Usted se ha equivocado de opcion, intente de nuevo";
        esperadas.push_back(lineaPausa);
        return esperadas;
    }

    void rechazoEnElMenu() {
        esperarLineas(menuRechazado(), {trasLaLinea, 6});
        teclas("Space");
        esperarLineas(lineasMenu, {20, 5});
    }

    // The exit status, once the program has ended.
    int estado() {
        const std::string ruta = carpeta_ + "/estado";
        esperar([&] { return !leerArchivo(carpeta_ + "/despues").empty(); }, "the program's end");
        return std::atoi(leerArchivo(ruta).c_str());
    }

    void terminalIntacta() {
        if (esWindows()) {
            return; // no stty settings to compare
        }
        const std::string antes = leerArchivo(carpeta_ + "/antes");
        EXPECT_FALSE(antes.empty());
        EXPECT_EQ(antes, leerArchivo(carpeta_ + "/despues"));
    }

    std::string formato(const std::string &cual) const {
        const std::string valor = ejecutar(tmux() + " display-message -p -t juego '" + cual + "'");
        return valor.substr(0, valor.find('\n'));
    }

    // The pane's shell runs the job runner, which runs the game.
    std::string pidDelJuego() const {
        return ejecutar("pgrep -P \"$(pgrep -P " + formato("#{pane_pid}") + ")\" | tr -d '\\n'");
    }

    // The cells of the board drawn at the top of the screen, or "" when
    // none is drawn there.
    std::string tablero() const { return tablero(lineas()); }

    static std::string tablero(const std::vector<std::string> &l) {
        if (l.size() < 7) {
            return "";
        }
        std::string celdas;
        for (const int fila : {1, 3, 5}) {
            const std::string &linea = l[static_cast<std::size_t>(fila)];
            if (linea.size() < 14) {
                return "";
            }
            celdas += {linea[3], linea[7], linea[11]};
        }
        return celdas;
    }

    // Stops the game as Ctrl-Z does, and writes over its screen what a
    // shell would while it is stopped.
    void suspender() {
        teclas("C-z");
        esperar([&] { return ejecutar("ps -o stat= -p " + juego_).find('T') == 0; },
                "the game stopped");
        ensuciar();
    }

    // Lines written over the game's screen, enough to scroll it.
    void ensuciar() {
        ejecutar("for i in $(seq 30); do printf '[1]+  Stopped\\r\\n$ fg\\r\\n'; done > " +
                 formato("#{pane_tty}"));
    }

    // A match between two, the names typed at their prompts, up to its
    // first board.
    void partidaDeDos(const std::string &primero, const std::string &segundo) {
        teclas("2");
        esperarPantalla([](const std::string &p) { return p.find("primer jugador:") != p.npos; });
        texto(primero);
        teclas("Enter");
        esperarPantalla([](const std::string &p) { return p.find("segundo jugador:") != p.npos; });
        texto(segundo);
        teclas("Enter");
        esperarLineas(conTablero("123456789"), {0, 8});
    }

    std::string carpeta_;
    std::string servidor_;
    std::string juego_;
    int avisoVigia_ = -1;
    int finVigia_ = -1;
};

std::vector<std::string> conTablero(const std::string &celdas,
                                    const std::vector<std::string> &debajo) {
    std::vector<std::string> resultado;
    for (int fila = 0; fila < 3; ++fila) {
        resultado.emplace_back("---------------");
        std::string linea = " |";
        for (int columna = 0; columna < 3; ++columna) {
            linea += std::string(" ") + celdas[static_cast<std::size_t>(3 * fila + columna)] + " |";
        }
        resultado.push_back(linea);
    }
    resultado.emplace_back("---------------");
    resultado.insert(resultado.end(), debajo.begin(), debajo.end());
    return resultado;
}

TEST_F(Terminal, MenuConElCursorTrasElCredito) { esperarLineas(lineasMenu, {20, 5}); }

TEST_F(Terminal, SalirConTresDejaLaTerminalComoEstaba) {
    teclas("3");
    EXPECT_EQ(estado(), 0);
    terminalIntacta();
    const Captura final = captura();
    EXPECT_EQ(final.lineas, lineasMenu) << "the menu stays on the screen";
    if (!esWindows()) {
        EXPECT_EQ(final.cursor, (std::pair{0, 6})) << "the credit line is ended for the shell";
    }
}

TEST_F(Terminal, TeclaErroneaEnElMenu) {
    teclas("x");
    rechazoEnElMenu();
}

TEST_F(Terminal, ElPrimerNombreSePideDondeAcabaElCredito) {
    teclas("2");
    const std::string hueco(20, ' ');
    esperarLineas({"", "", "", "", "", hueco + "Cual es el nombre del primer jugador:"}, {58, 5});
    texto("Ana");
    teclas("Enter");
    esperarLineas({"", "", "", "", "", hueco + "Cual es el nombre del primer jugador: Ana",
                   "Cual es el nombre del segundo jugador:"},
                  {39, 6});
    texto("Luis");
    teclas("Enter");
    esperarLineas(conTablero("123456789"), {0, 8});
}

TEST_F(Terminal, PartidaDeDosHastaElEmpateYSalir) {
    partidaDeDos("Ana", "Luis");
    // All nine moves typed ahead at once: none is lost, none is shown.
    teclas("1 2 3 5 4 7 8 6 9");
    esperarLineas(conTablero("XOXXOOOXX", {"Lo siento has empatado.", lineaPausa}),
                  {trasLaLinea, 8});
    teclas("z");
    esperarLineas({"El juego ha terminado desea continuar (Y/N)."}, {0, 1});
    teclas("n");
    EXPECT_EQ(estado(), 0);
    terminalIntacta();
}

TEST_F(Terminal, PartidaSolitariaHastaElFinal) {
    teclas("1");
    const std::vector<std::string> finales = {"Felicidades has ganado!!", "Lo siento has empatado.",
                                              "Lastima perdiste intenta de nuevo..."};
    std::string final;
    // Whether the screen shows one of the closing messages; remembers which.
    const auto hayFinal = [&](const std::string &p) {
        for (const std::string &f : finales) {
            if (p.find(f) != std::string::npos) {
                final = f;
                return true;
            }
        }
        return false;
    };
    for (int jugada = 0; jugada < 5 && final.empty(); ++jugada) {
        // Waits for the board and the cursor two lines under it.
        ASSERT_TRUE(esperar(
            [&] {
                const Captura ahora = captura();
                return hayFinal(ahora.pantalla) ||
                       (!tablero(ahora.lineas).empty() && ahora.cursor == std::pair{0, 8});
            },
            "a move's wait"));
        if (!final.empty()) {
            break;
        }
        const std::string celdas = tablero();
        const std::size_t libre = celdas.find_first_of("123456789");
        ASSERT_NE(libre, std::string::npos) << celdas;
        teclas(std::string(1, celdas[libre]));
        // The next screen shows the move made.
        esperar([&] { return tablero() != celdas; }, "the move on the board");
    }
    if (final.empty()) {
        esperarPantalla(hayFinal);
    }
    ASSERT_FALSE(final.empty());
    // The closing message stands under the board, the pause line under it.
    const std::vector<std::string> l = lineas();
    ASSERT_GE(l.size(), 8U);
    std::vector<std::string> esperadas(l.begin(), l.begin() + 7);
    if (final != "Lo siento has empatado.") {
        esperadas.emplace_back("");
    }
    esperadas.push_back(final);
    esperadas.push_back(lineaPausa);
    esperarLineas(esperadas, {trasLaLinea, static_cast<int>(esperadas.size()) - 1});
    teclas("Enter");
    esperarLineas({"El juego ha terminado desea continuar (Y/N)."}, {0, 1});
    teclas("y");
    esperarLineas(lineasMenu, {20, 5});
    teclas("3");
    EXPECT_EQ(estado(), 0);
    terminalIntacta();
}

TEST_F(Terminal, UnaFlechaEnUnaJugadaEsUnSoloRechazo) {
    teclas("1");
    esperarLineas(conTablero("123456789"), {0, 8});
    // If the arrow counted as two keys, the 5 would be swallowed.
    teclas("Up 5");
    esperar([&] { return tablero().find('X') == 4; }, "the X on 5");
}

TEST_F(Terminal, CtrlCEnUnaJugadaRestauraLaTerminal) {
    if (esWindows()) {
        GTEST_SKIP() << "Ctrl-C and terminal settings are POSIX matters";
    }
    teclas("1");
    esperarLineas(conTablero("123456789"), {0, 8});
    teclas("C-c");
    EXPECT_EQ(estado(), 130) << "ended by SIGINT, as the shell sees it";
    terminalIntacta();
}

// Ctrl-Z and fg, twice: stopped, the terminal is the user's; continued, it
// is the game's again and the screen is the game's, cursor included.
TEST_F(Terminal, CtrlZYFgDosVecesDevuelvenLaTerminalYLaPantalla) {
    if (esWindows()) {
        GTEST_SKIP() << "stopping and continuing are POSIX matters";
    }
    teclas("1");
    esperarLineas(conTablero("123456789"), {0, 8});
    const std::string ajustes = "stty -g < " + formato("#{pane_tty}");
    const std::string antes = leerArchivo(carpeta_ + "/antes");
    const std::string enJuego = ejecutar(ajustes);
    EXPECT_NE(enJuego, antes) << "the game runs without echo and canonical mode";

    for (int vez = 0; vez < 2; ++vez) {
        suspender();
        EXPECT_EQ(ejecutar(ajustes), antes) << "the user's settings while stopped";
        ejecutar("kill -CONT " + juego_);
        esperar([&] { return ejecutar(ajustes) == enJuego; }, "the game's mode back");
        esperarLineas(conTablero("123456789"), {0, 8});
    }
    teclas("5");
    esperar([&] { return tablero().find('X') == 4; }, "the X on 5");
    teclas("C-c");
    EXPECT_EQ(estado(), 130);
    terminalIntacta();
}

// A pause stopped and continued is drawn again and still waits for its key.
TEST_F(Terminal, UnaPausaSigueEsperandoTrasCtrlZYFg) {
    if (esWindows()) {
        GTEST_SKIP() << "stopping and continuing are POSIX matters";
    }
    teclas("x");
    esperarLineas(menuRechazado(), {trasLaLinea, 6});
    suspender();
    ejecutar("kill -CONT " + juego_);
    esperarLineas(menuRechazado(), {trasLaLinea, 6});
    teclas("Space");
    esperarLineas(lineasMenu, {20, 5});
    teclas("3");
    EXPECT_EQ(estado(), 0);
    terminalIntacta();
}

// In a half-typed name, after fg or a resize: the prompt and the line as
// typed, the cursor in its place, and editing goes on from there.
TEST_F(Terminal, UnNombreAMedioEscribirVuelveTrasCtrlZYTrasRedimensionar) {
    if (esWindows()) {
        GTEST_SKIP() << "stopping and continuing are POSIX matters";
    }
    teclas("2");
    texto("Ana");
    teclas("Left");
    const std::string pregunta = std::string(20, ' ') + "Cual es el nombre del primer jugador: ";
    esperarLineas({"", "", "", "", "", pregunta + "Ana"}, {60, 5});
    suspender();
    ejecutar("kill -CONT " + juego_);
    esperarLineas({"", "", "", "", "", pregunta + "Ana"}, {60, 5});
    texto("e");
    esperarLineas({"", "", "", "", "", pregunta + "Anea"}, {61, 5});
    // Narrower, the line wraps: the game draws it again as the new width
    // has it, and edits it there.
    ensuciar();
    ejecutar(tmux() + " resize-window -t juego -x 60");
    esperarLineas({"", "", "", "", "", pregunta + "An", "ea"}, {1, 6});
    teclas("End BSpace Enter");
    esperarLineas(
        {"", "", "", "", "", pregunta + "An", "e", "Cual es el nombre del segundo jugador:"},
        {39, 7});
}

TEST_F(Terminal, UnaTeclaEspanolaOUnControlEsUnaSolaTecla) {
    if (esWindows()) {
        GTEST_SKIP() << "the console of Windows reads its keys itself";
    }
    // One key: one message, and a pause that waits for a key of its own.
    texto("\xc3\xb1");
    rechazoEnElMenu();
    teclas("1");
    esperarLineas(conTablero("123456789"), {0, 8});
    // Each wrong key swallows the next: the 5 after the º and the 6 after
    // Ctrl-S are never moves, and Ctrl-S does not freeze the screen.
    texto("\xc2\xba"
          "5");
    teclas("C-s");
    texto("63");
    esperar([&] { return tablero().find('X') == 2; }, "the X on 3");
    EXPECT_EQ(tablero().rfind('X'), 2U);
}

TEST_F(Terminal, LosNombresSeEditanComoEnUnaConsola) {
    if (esWindows()) {
        GTEST_SKIP() << "Windows keeps its console's own line input";
    }
    // Typed before the prompt shows, echoed behind it, and edited.
    texto("2Pepe");
    teclas("Escape");
    // Escape is a key once the short wait for the rest of a sequence has run
    // out; a letter within it would be that letter with Alt.
    esperarLineas(
        {"", "", "", "", "", std::string(20, ' ') + "Cual es el nombre del primer jugador:"},
        {58, 5});
    texto("Anx");
    teclas("BSpace");
    texto("a");
    const std::vector<std::string> primero = {
        "", "", "", "", "", std::string(20, ' ') + "Cual es el nombre del primer jugador: Ana"};
    esperarLineas(primero, {61, 5});
    teclas("Enter");
    std::vector<std::string> segundo = primero;
    segundo.emplace_back("Cual es el nombre del segundo jugador:");
    esperarLineas(segundo, {39, 6});
    teclas("C-d"); // an empty name, and the program goes on
    esperarLineas(conTablero("123456789"), {0, 8});
    teclas("1 4 2 5 3");
    esperarLineas(conTablero("XXXOO6789", {"", "Felicidades ganastes Ana!!", lineaPausa}),
                  {trasLaLinea, 9});
}

// Two names typed at the console, the moves of a match, and the winner's
// message as it must show, byte for byte.
struct Nombres {
    const char *caso;
    std::string primero;
    std::string segundo;
    const char *jugadas;
    const char *celdas;
    std::string ganador;
};

void PrintTo(const Nombres &nombres, std::ostream *flujo) { *flujo << nombres.caso; }

std::string repetir(const std::string &texto, int veces) {
    std::string resultado;
    for (int i = 0; i < veces; ++i) {
        resultado += texto;
    }
    return resultado;
}

// Spanish names come back as typed, whatever the console's code pages, and a
// name cut at its 49 bytes never keeps half a character.
class TerminalNombres : public Terminal, public testing::WithParamInterface<Nombres> {};

TEST_P(TerminalNombres, ElGanadorSeLlamaComoSeEscribio) {
    const Nombres &caso = GetParam();
    partidaDeDos(caso.primero, caso.segundo);
    teclas(caso.jugadas);
    esperarLineas(
        conTablero(caso.celdas, {"", "Felicidades ganastes " + caso.ganador + "!!", lineaPausa}),
        {trasLaLinea, 9});
}

INSTANTIATE_TEST_SUITE_P(
    Terminal, TerminalNombres,
    testing::Values(Nombres{"acentos", "\xc3\x8d\xc3\xb1igo Mu\xc3\xb1oz",
                            "Bego\xc3\xb1"
                            "a",
                            "1 4 2 5 3", "XXXOO6789", "\xc3\x8d\xc3\xb1igo Mu\xc3\xb1oz"},
                    Nombres{"segundo", "Jos\xc3\xa9",
                            "Bego\xc3\xb1"
                            "a",
                            "1 4 2 5 7 6", "XX3OOOX89",
                            "Bego\xc3\xb1"
                            "a"},
                    // 50 bytes: the 49 kept would end in half an ñ, which goes too.
                    Nombres{"largo", repetir("\xc3\xb1", 25), "Luis", "1 4 2 5 3", "XXXOO6789",
                            repetir("\xc3\xb1", 24)}));

// A key that types ñ or € is one key, and a wrong one, at a move and at the
// question: each wrong key swallows only the key after it, and each
// refusal's pause waits for a key of its own.
TEST_F(Terminal, UnaEneOUnEuroEsUnSoloRechazo) {
    partidaDeDos("Ana", "Luis");
    const char *espanolas[] = {"\xc3\xb1", "\xe2\x82\xac"};
    for (const char *tecla : espanolas) {
        esperarLineas(conTablero("123456789"), {0, 8});
        texto(tecla);
        esperarLineas(conTablero("123456789", {"", "Introdujo un valor incorrecto."}), {30, 8});
        texto("5"); // swallowed
    }
    esperarLineas(conTablero("123456789"), {0, 8});
    teclas("1 4 2 5 3");
    esperarLineas(conTablero("XXXOO6789", {"", "Felicidades ganastes Ana!!", lineaPausa}),
                  {trasLaLinea, 9});
    teclas("Enter");
    const std::string pregunta = "El juego ha terminado desea continuar (Y/N).";
    for (const char *tecla : espanolas) {
        esperarLineas({pregunta}, {0, 1});
        texto(tecla);
        esperarLineas({pregunta, "Lo siento se ha equivocado intente de nuevo.", lineaPausa},
                      {trasLaLinea, 2});
        teclas("Enter");
    }
    esperarLineas({pregunta}, {0, 1});
    teclas("n");
    EXPECT_EQ(estado(), 0);
}

// A name read from a pipe, shown on a terminal: its escape byte is shown,
// never obeyed.
class TerminalConTuberia : public Terminal {
  protected:
    void SetUp() override { arrancar("", false, "printf '2\\033[31mAna\\nLuis\\n14253' | "); }
};

TEST_F(TerminalConTuberia, UnNombreConEscapeSeMuestraNoSeObedece) {
    esperarLineas(conTablero("XXXOO6789", {"", "Felicidades ganastes ^[[31mAna!!", lineaPausa}),
                  {0, 10});
    EXPECT_EQ(estado(), 0) << "the pipe ran out at the pause";
}

// A place in the game, the keys that lead there and a text shown there.
struct Lugar {
    const char *nombre;
    const char *teclas;
    const char *muestra;
};

void PrintTo(const Lugar &lugar, std::ostream *flujo) { *flujo << lugar.nombre; }

// A terminal that goes away (its window closed, here its tmux server ended)
// ends the game wherever it waits, with status 0, as the end of its input
// does. No hangup signal is needed for that: the game is started with it
// ignored, as a Windows console sends none.
class TerminalCerrada : public Terminal, public testing::WithParamInterface<Lugar> {
  protected:
    void SetUp() override {
        arrancar("", false, "trap '' HUP; ");
        esperarMenu();
    }
};

TEST_P(TerminalCerrada, ElJuegoTerminaCuandoLaTerminalDesaparece) {
    if (*GetParam().teclas != '\0') {
        teclas(GetParam().teclas);
    }
    esperarPantalla([](const std::string &p) { return p.find(GetParam().muestra) != p.npos; });
    ASSERT_FALSE(juego_.empty());
    ejecutar(tmux() + " kill-server");
    esperar([&] { return ejecutar("kill -0 " + juego_ + " 2>/dev/null || echo fin") == "fin\n"; },
            "the game's end", 10s);
    // The pane's shell writes the status down; it has no terminal left for
    // the settings after it.
    const std::string ruta = carpeta_ + "/estado";
    esperar([&] { return !leerArchivo(ruta).empty(); }, "the exit status", 10s);
    EXPECT_EQ(leerArchivo(ruta), "0\n");
}

INSTANTIATE_TEST_SUITE_P(Terminal, TerminalCerrada,
                         testing::Values(Lugar{"menu", "", "Hecho por Quarvendil"},
                                         Lugar{"jugada", "1", " | 1 | 2 | 3 |"},
                                         Lugar{"nombre", "2 A n", "primer jugador: An"},
                                         Lugar{"pausa", "x", "Usted se ha equivocado"}));

// Signals that end a program without a core: each must leave the terminal
// as it was.
class TerminalSenal : public Terminal, public testing::WithParamInterface<int> {};

TEST_P(TerminalSenal, UnaSenalQueTerminaRestauraLaTerminal) {
    if (esWindows()) {
        GTEST_SKIP() << "signals and terminal settings are POSIX matters";
    }
    teclas("1");
    esperarLineas(conTablero("123456789"), {0, 8});
    ejecutar("kill -" + std::to_string(GetParam()) + " " + pidDelJuego());
    EXPECT_EQ(estado(), 128 + GetParam());
    terminalIntacta();
}

INSTANTIATE_TEST_SUITE_P(Senales, TerminalSenal,
                         testing::Values(SIGHUP, SIGPIPE, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM,
                                         SIGPROF));

// An option and the first line it prints.
struct Opcion {
    const char *argumentos;
    const char *primeraLinea;
};

void PrintTo(const Opcion &opcion, std::ostream *flujo) { *flujo << opcion.argumentos; }

// The options answer and end at once, from a terminal, without starting the
// game or changing the terminal: their text goes to a file to be read whole.
class TerminalOpcion : public Terminal, public testing::WithParamInterface<Opcion> {
  protected:
    void SetUp() override { arrancar(std::string(" ") + GetParam().argumentos, true); }
};

TEST_P(TerminalOpcion, ContestaSinJugarNiTocarLaTerminal) {
    if (std::string(GetParam().argumentos) == "'/?'" && !esWindows()) {
        GTEST_SKIP() << "/? is the Windows way of asking for help";
    }
    EXPECT_EQ(estado(), 0);
    terminalIntacta();
    const std::string salida = leerArchivo(carpeta_ + "/salida");
    // Windows ends its lines with "\r\n".
    EXPECT_EQ(salida.substr(0, salida.find_first_of("\r\n")), GetParam().primeraLinea);
    EXPECT_EQ(salida.find('\x1b'), std::string::npos) << "no escape byte";
    EXPECT_EQ(salida.find("Menu de tres en rayas"), std::string::npos) << "no game";
}

INSTANTIATE_TEST_SUITE_P(
    Terminal, TerminalOpcion,
    testing::Values(Opcion{"--help", "Uso: tres-en-rayas [--help | --version]"},
                    Opcion{"-h", "Uso: tres-en-rayas [--help | --version]"},
                    Opcion{"x --help", "Uso: tres-en-rayas [--help | --version]"},
                    Opcion{"'/?'", "Uso: tres-en-rayas [--help | --version]"},
                    Opcion{"--version", "tres-en-rayas " VERSION}));

} // namespace
