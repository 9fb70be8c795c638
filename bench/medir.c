/* Runs a program once with its standard input from a pipe, its output
 * thrown away, and prints what it cost: wall time and CPU time in
 * microseconds and peak resident memory in KiB, as the kernel counts them.
 *
 *   medir ENTRADA ESPERA_MS PROGRAMA [ARGUMENTOS...]
 *
 * ENTRADA is written to the pipe after ESPERA_MS milliseconds, then the pipe
 * is closed. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

static long long microsegundos(struct timeval t) { return t.tv_sec * 1000000LL + t.tv_usec; }

int main(int argc, char **argv) {
    if (argc < 4) {
        fprintf(stderr, "uso: medir ENTRADA ESPERA_MS PROGRAMA [ARGUMENTOS...]\n");
        return 2;
    }
    const char *entrada = argv[1];
    const long espera = atol(argv[2]);
    int tuberia[2];
    if (pipe(tuberia) != 0) {
        perror("pipe");
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);
    struct timeval inicio, fin;
    gettimeofday(&inicio, NULL);
    const pid_t hijo = fork();
    if (hijo == 0) {
        dup2(tuberia[0], STDIN_FILENO);
        close(tuberia[0]);
        close(tuberia[1]);
        const int nulo = open("/dev/null", O_WRONLY);
        dup2(nulo, STDOUT_FILENO);
        execvp(argv[3], argv + 3);
        _exit(127);
    }
    close(tuberia[0]);
    if (espera > 0) {
        poll(NULL, 0, (int)espera);
    }
    if (write(tuberia[1], entrada, strlen(entrada)) < 0) {
        /* the program may have ended already */
    }
    close(tuberia[1]);
    int estado = 0;
    struct rusage uso;
    wait4(hijo, &estado, 0, &uso);
    gettimeofday(&fin, NULL);
    const long long pared = microsegundos(fin) - microsegundos(inicio);
    printf("%lld %lld %ld %d\n", pared, microsegundos(uso.ru_utime) + microsegundos(uso.ru_stime),
           uso.ru_maxrss, WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado));
    return 0;
}
