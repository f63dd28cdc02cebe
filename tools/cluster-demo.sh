#!/usr/bin/env bash
# Several game servers on one PostgreSQL behind HAProxy, set up and torn down in one go: a
# throwaway PostgreSQL cluster in a temporary folder (run as an unprivileged user, on a loopback
# port), two velk-tsuitate-server processes on it, HAProxy in front, and N robot games played
# through HAProxy. With --kill one server is killed with kill -9 in the middle of the games and
# started again. Every client's record is then compared with the store's; the last line is
#   games N ended E lost L duplicated D
# and the exit status is 0 when every game ended normally and nothing was lost or duplicated.
#
#   tools/cluster-demo.sh [--games N] [--kill] [--servers 1|2] [--think MS] [--bin DIR]
#                         [--store-test PROGRAM]
#
# --bin names the folder of velk-tsuitate-server and velk-tsuitate-robot (default: the release
# build); --store-test runs PROGRAM's PostgreSQL store tests on the cluster first (a gtest program,
# given VELK_TEST_POSTGRES); --servers 1 puts a single server behind HAProxy (to compare);
# --think is the robots' average wait before a move. It also prints the robots' latency line
# (a move's frame to the other seat's notice) and the games played a second. Exit status 77: PostgreSQL or HAProxy is not installed.
set -euo pipefail

games=20
kill_one=0
servers=2
think=0
here="$(cd "$(dirname "$0")/.." && pwd)"
bin="$here/build/release/src/server"
store_test=""
while [ $# -gt 0 ]; do
  case "$1" in
    --games) games="$2"; shift 2 ;;
    --kill) kill_one=1; shift ;;
    --bin) bin="$2"; shift 2 ;;
    --think) think="$2"; shift 2 ;;
    --servers) servers="$2"; shift 2 ;;
    --store-test) store_test="$2"; shift 2 ;;
    *) echo "usage: $0 [--games N] [--kill] [--servers 1|2] [--think MS] [--bin DIR]" \
         "[--store-test PROGRAM]" >&2; exit 2 ;;
  esac
done

pgbin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1 || true)
if [ -z "$pgbin" ] || ! command -v haproxy >/dev/null; then
  echo "cluster-demo: PostgreSQL (postgresql) or HAProxy (haproxy) is not installed" >&2
  exit 77
fi
for program in velk-tsuitate-server velk-tsuitate-robot; do
  [ -x "$bin/$program" ] || { echo "cluster-demo: $bin/$program is missing" >&2; exit 1; }
done

work=$(mktemp -d /tmp/velk-cluster.XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
  local status=$?
  exec 2>/dev/null
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  if [ -f "$work/pg/postmaster.pid" ]; then
    $as "$pgbin/pg_ctl" -D "$work/pg" -m immediate stop >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
  exit $status
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# PostgreSQL refuses to run as root: as root it runs as the unprivileged user nobody.
as=()
if [ "$(id -u)" -eq 0 ]; then as=(runuser -u nobody --); fi
as="${as[*]}"

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
pgport=$(free_port)
mkdir "$work/pg"
[ -z "$as" ] || chown nobody "$work/pg"
$as "$pgbin/initdb" -D "$work/pg" -U velk -A trust --no-sync >"$work/initdb.log" 2>&1 ||
  { cat "$work/initdb.log" >&2; exit 1; }
$as "$pgbin/pg_ctl" -D "$work/pg" -w -l "$work/pg/server.log" \
  -o "-p $pgport -k $work/pg -c listen_addresses=127.0.0.1" start >/dev/null ||
  { cat "$work/pg/server.log" >&2; exit 1; }
$as "$pgbin/createdb" -h 127.0.0.1 -p "$pgport" -U velk velk
store="postgresql://velk@127.0.0.1:$pgport/velk"

if [ -n "$store_test" ]; then
  $as "$pgbin/createdb" -h 127.0.0.1 -p "$pgport" -U velk velk_test
  VELK_TEST_POSTGRES="postgresql://velk@127.0.0.1:$pgport/velk_test" \
    "$store_test" --gtest_filter='*StoreTest*' --gtest_brief=1
fi

# A server on a port of its own; its pid goes into server_pid[N].
declare -A server_pid server_port
start_server() {
  local n=$1 before
  before=$(cat "$work/server$n.log" 2>/dev/null | grep -c '^listening' || true)
  "$bin/velk-tsuitate-server" --listen "127.0.0.1:${server_port[$n]}" --store "$store" \
    --max-per-address 0 --stats 1 >>"$work/server$n.log" 2>&1 &
  server_pid[$n]=$!
  pids+=($!)
  for _ in $(seq 100); do
    [ "$(grep -c '^listening' "$work/server$n.log" || true)" -gt "$before" ] && return 0
    kill -0 "${server_pid[$n]}" 2>/dev/null || break
    sleep 0.1
  done
  cat "$work/server$n.log" >&2
  exit 1
}
for n in $(seq "$servers"); do
  server_port[$n]=$(free_port)
  start_server "$n"
done

proxy=$(free_port)
sed -e "s/@PROXY@/$proxy/" -e "s/@S1@/${server_port[1]}/" -e "s/@S2@/${server_port[2]:-0}/" \
  >"$work/haproxy.cfg" <<'EOF'
global
  maxconn 4000

defaults
  mode http
  timeout connect 1s
  timeout client 60s
  timeout server 60s
  timeout tunnel 1h
  option redispatch
  retries 3

frontend games
  bind 127.0.0.1:@PROXY@
  default_backend servers

backend servers
  balance roundrobin
  default-server inter 500ms fall 3 rise 2
  server s1 127.0.0.1:@S1@ check
  server s2 127.0.0.1:@S2@ check
EOF
[ "$servers" -eq 2 ] || sed -i '/server s2/d' "$work/haproxy.cfg"
haproxy -f "$work/haproxy.cfg" -db >"$work/haproxy.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  python3 -c "import socket; socket.create_connection(('127.0.0.1', $proxy), 1)" 2>/dev/null && break
  sleep 0.1
done

began=$(date +%s.%N)
"$bin/velk-tsuitate-robot" "ws://127.0.0.1:$proxy" --games "$games" --player random \
  --think "$think" --seed 1 --latency >"$work/robot.out" 2>"$work/robot.err" &
robot=$!
pids+=($robot)

events() {
  $as "$pgbin/psql" -h 127.0.0.1 -p "$pgport" -U velk -d velk -tAc "$1" 2>/dev/null || echo 0
}
if [ "$kill_one" -eq 1 ]; then
  # Once every game is under way, the first server dies; it comes back a moment later.
  for _ in $(seq 600); do
    started=$(events "SELECT COUNT(*) FROM (SELECT game FROM events GROUP BY game HAVING MAX(seq) >= 4) g")
    [ "${started:-0}" -ge "$games" ] && break
    kill -0 "$robot" 2>/dev/null || break
    sleep 0.1
  done
  { kill -9 "${server_pid[1]}" && wait "${server_pid[1]}"; } 2>/dev/null || true
  echo "killed server 1 with $(events 'SELECT COUNT(*) FROM events') events stored"
  sleep 1
  start_server 1
fi
wait "$robot" || true
python3 -c "print('games a second %.1f' % ($games / ($(date +%s.%N) - $began)))"
grep '^latency' "$work/robot.out" || true

"$bin/velk-tsuitate-server" --records --store "$store" >"$work/store.out" 2>/dev/null
for n in $(seq "$servers"); do
  # stats connections C games G events E events/s R store-ms avg A max M
  awk -v n="$n" '$1 == "stats" {
      if ($3 > m) m = $3
      w = $9 * $12; if (w > 0) { t += w; e += $9 } }
    END { printf "server %d: at most %d connections at once, store %.3f ms an event\n",
          n, m, e ? t / e : 0 }' "$work/server$n.log"
done
sed -n 's/^velk-tsuitate-robot: //p' "$work/robot.err" | sort | uniq -c | head -5 >&2 || true
# Every game's record as each seat was sent it against the store's.
python3 - "$games" "$work/robot.out" "$work/store.out" <<'EOF'
import json, sys
games, robot, store = int(sys.argv[1]), sys.argv[2], sys.argv[3]
def records(path):
    out = {}
    for line in open(path):
        if line.startswith("record "):
            _, game, data = line.rstrip("\n").split(" ", 2)
            out.setdefault(game, []).append(json.loads(data))
    return out
seen, stored = records(robot), records(store)
ended = lost = duplicated = 0
for game, [truth] in stored.items():
    moves = truth["moves"]
    got = seen.get(game, [])
    whole = len(got) == 2 and truth["reason"] != "none"
    for record in got + [{"moves": []}] * (2 - len(got)):
        mine = record["moves"]
        common = 0
        while common < min(len(mine), len(moves)) and mine[common] == moves[common]:
            common += 1
        lost += len(moves) - common
        duplicated += len(mine) - common
        whole = whole and record == truth
    ended += whole
print(f"games {games} ended {ended} lost {lost} duplicated {duplicated}")
sys.exit(0 if ended == games == len(stored) and lost == 0 and duplicated == 0 else 1)
EOF
