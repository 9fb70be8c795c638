# The watcher of one terminal test, run by sh with the test's tmux server
# (SERVIDOR, its socket's name, and CONFIG_TMUX) and folder (CARPETA) in its
# environment, so that its own arguments do not name the server.
#
# It reads pids on standard input until its end, which comes when the test
# ends however it ends (a failed assertion, a crash or ctest's timeout). Then:
# - A test ended while it was starting tmux leaves the client it ran (or the
#   shell that runs it) still at work, and the server it starts comes up
#   later: until no process that names the server is left, it ends the
#   server, and any such process by its pid.
# - Each process told of goes with its group (the pane's shell with the
#   command it was running, such as the stty that writes "antes").
# - It ends only once none of them is left but as a zombie, so that nothing
#   writes into the test's folder after it is removed, and then removes it.

pids=
while read -r pid; do pids="$pids $pid"; done
marca="-L $SERVIDOR "
while :; do
  pids="$pids $(tmux -L "$SERVIDOR" -f "$CONFIG_TMUX" list-panes -a -F '#{pane_pid}' 2>/dev/null)"
  tmux -L "$SERVIDOR" -f "$CONFIG_TMUX" kill-server 2>/dev/null
  quedan=$(ps -e -o pid=,args= | MARCA=$marca awk 'index($0, ENVIRON["MARCA"]) { print $1 }')
  [ -z "$quedan" ] && break
  kill -9 $quedan 2>/dev/null
  sleep 0.02
done
for pid in $pids; do kill -9 "$pid" "-$pid" 2>/dev/null; done
for pid in $pids; do
  while ps -e -o pid=,pgid=,stat= |
    awk -v p="$pid" '($1 == p || $2 == p) && $3 !~ /^Z/ { v = 1 } END { exit !v }'; do
    sleep 0.02
  done
done
rm -rf "$CARPETA"
