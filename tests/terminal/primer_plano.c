/* Runs a program as the terminal's foreground job, in a process group of
 * its own, the way an interactive shell with job control does, and waits
 * for it to end, through any stops: so that stopping and continuing it
 * behave as for a user at a shell. Exits with the program's status, or 128
 * plus the signal that ended it.
 *
 *   primer_plano PROGRAMA [ARGUMENTOS...] */
#include <signal.h>
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char **argv) {
    if (argc < 2) {
        fprintf(stderr, "uso: primer_plano PROGRAMA [ARGUMENTOS...]\n");
        return 2;
    }
    signal(SIGTTOU, SIG_IGN);
    signal(SIGINT, SIG_IGN);
    signal(SIGQUIT, SIG_IGN);
    signal(SIGTSTP, SIG_IGN);
    const pid_t hijo = fork();
    if (hijo == 0) {
        setpgid(0, 0);
        tcsetpgrp(STDIN_FILENO, getpgrp());
        signal(SIGTTOU, SIG_DFL);
        signal(SIGINT, SIG_DFL);
        signal(SIGQUIT, SIG_DFL);
        signal(SIGTSTP, SIG_DFL);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    setpgid(hijo, hijo);
    int estado = 0;
    while (waitpid(hijo, &estado, WUNTRACED) == hijo && WIFSTOPPED(estado)) {
        /* stopped: wait for it to be continued */
    }
    tcsetpgrp(STDIN_FILENO, getpgrp());
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : 128 + WTERMSIG(estado);
}
