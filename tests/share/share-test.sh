#!/usr/bin/env bash
# Installations sharing one score folder: Samba on 127.0.0.1 and SFTP on a spare loopback port,
# each mounted twice (smbnetfs, sshfs), SFTP once more through a relay that delays each way by
# 20 ms (sftp40: an office link), and local disk. Each row's writers store 50 game overs each
# through both mounts; the true top ten must then stand in the shared copy, alone, 380 bytes.
#   share-test.sh DRIVER [ROW-FILTER]      (root; prints the figures of each row)
set -euo pipefail
driver=$(realpath "$1") filter=${2:-.}
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1

# shares  skew (half the writers' clocks)  fault  writers  runs
rows="local,sftp,smb,sftp40 none none 1 1
local,sftp,smb none none 8 3
local,sftp,smb,sftp40 none held 1 1
sftp,smb,sftp40 none dead 3 1
local none fifo 0 1
sftp none dead-1h 8 1
smb +1h none 8 1
smb -1h none 8 1
smb none stop 8 1
smb none kill 8 1
smb none dead+1h 8 1"

run=$(mktemp -d /tmp/zintu-share.XXXXXX)
mounts=()
cleanup() {  # also on failure: the mounts, then every server, daemon and writer this started
    local status=$?
    set +e
    for mount in "${mounts[@]}"; do fusermount -u "$mount" 2>/dev/null || umount -l "$mount"; done
    kill $(jobs -p) 2>/dev/null; sleep 1; kill -KILL $(jobs -p) 2>/dev/null  # FUSE daemons may hang
    wait
    rm -rf "$run"
    exit "$status"
}
trap cleanup EXIT INT TERM

wait_for() {  # a command, tried for ten seconds
    timeout 10 bash -c 'until "$@" >/dev/null 2>&1; do sleep 0.1; done' _ "$@" ||
        { echo "not ready: $*" >&2 && return 1; }
}

start_samba() {  # alone on its port: another Samba there would serve its own folder to our mounts
    local dir=$run/smb
    python3 -c "import socket; socket.create_connection(('127.0.0.1', 445))" 2>/dev/null &&
        echo "port 445 serves another Samba" >&2 && return 1
    mkdir -p "$dir/share" "$dir/state"
    cat >"$dir/smb.conf" <<EOF
[global]
  interfaces = 127.0.0.1
  bind interfaces only = yes
  smb ports = 445
  pid directory = $dir/state
  lock directory = $dir/state
  state directory = $dir/state
  cache directory = $dir/state
  private dir = $dir/state
  log file = $dir/state/log.%m
  passdb backend = tdbsam:$dir/state/passdb.tdb
  load printers = no
  disable spoolss = yes
[zintu]
  path = $dir/share
  read only = no
  force user = root
EOF
    printf 'zintu\nzintu\n' | smbpasswd -c "$dir/smb.conf" -s -a root >/dev/null
    # In a session of its own: stopping, it signals its whole process group.
    setsid smbd --foreground --no-process-group -s "$dir/smb.conf" >"$dir/smbd.log" 2>&1 &
    for side in A B; do
        mkdir -p "$dir/home$side/.smb" "$dir/$side"
        echo 'auth "127.0.0.1" "root" "zintu"' >"$dir/home$side/.smb/smbnetfs.conf"
        : >"$dir/home$side/.smb/smb.conf"
        chmod 600 "$dir/home$side/.smb/"*
        HOME=$dir/home$side smbnetfs "$dir/$side" -f \
            -o use_libsecret=false,smb_query_browsers=false >"$dir/$side.log" 2>&1 &
        mounts+=("$dir/$side")
        wait_for ls "$dir/$side/127.0.0.1/zintu"
    done
}

mount_sftp() {  # port, shared folder on the server, mount point, client key
    sshfs -f -p "$1" -o "IdentityFile=$4,BatchMode=yes,UserKnownHostsFile=/dev/null" \
        -o StrictHostKeyChecking=no "root@127.0.0.1:$2" "$3" >"$3.log" 2>&1 &
    mounts+=("$3") && wait_for mountpoint -q "$3"
}

start_sftp() {  # the same server straight and through the relay
    local dir=$run/sftp slow=$run/sftp40 port relay
    mkdir -p "$dir/share" "$dir/A" "$dir/B" "$slow/A" "$slow/B" /run/sshd
    for key in host_key client_key; do ssh-keygen -q -t ed25519 -N '' -f "$dir/$key"; done
    read -r port relay < <(python3 -c 'import socket; s, t = socket.socket(), socket.socket()
s.bind(("127.0.0.1", 0)); t.bind(("127.0.0.1", 0)); print(s.getsockname()[1], t.getsockname()[1])')
    /usr/sbin/sshd -D -e -f /dev/null -o ListenAddress=127.0.0.1 -p "$port" -h "$dir/host_key" \
        -o AuthorizedKeysFile="$dir/client_key.pub" -o PasswordAuthentication=no -o StrictModes=no \
        -o UsePAM=no -o PidFile=none -o 'Subsystem=sftp internal-sftp' >"$dir/sshd.log" 2>&1 &
    wait_for python3 -c "import socket; socket.create_connection(('127.0.0.1', $port))"
    start_relay "$relay" "$port"
    for side in A B; do
        mount_sftp "$port" "$dir/share" "$dir/$side" "$dir/client_key"
        mount_sftp "$relay" "$dir/share" "$slow/$side" "$dir/client_key"
    done
}

start_relay() {  # listen port, target port: each way delayed by 20 ms, bytes kept in order
    python3 -c '
import asyncio, sys
async def carry(reader, writer):  # each chunk sent 20 ms after it came, the end last
    loop, queue = asyncio.get_running_loop(), asyncio.Queue()
    async def send():
        while (item := await queue.get())[1]:
            await asyncio.sleep(item[0] - loop.time())
            writer.write(item[1])
        writer.close()
    sender = asyncio.create_task(send())
    while (data := await reader.read(65536)):
        queue.put_nowait((loop.time() + 0.020, data))
    queue.put_nowait((0, b""))
    await sender
async def accept(reader, writer):
    far = await asyncio.open_connection("127.0.0.1", int(sys.argv[2]))
    await asyncio.gather(carry(reader, far[1]), carry(far[0], writer))
async def main():
    await (await asyncio.start_server(accept, "127.0.0.1", int(sys.argv[1]))).serve_forever()
asyncio.run(main())' "$1" "$2" &
    wait_for python3 -c "import socket; socket.create_connection(('127.0.0.1', $1))"
}

folder() {  # as the server keeps it (no side), or as writers on side A or B reach it
    case $1${2:-} in
        local*) echo "$run/local" ;;
        smbA | smbB) echo "$run/smb/$2/127.0.0.1/zintu" ;;
        sftp40) echo "$run/sftp/share" ;;
        *) echo "$run/$1/${2:-share}" ;;
    esac
}

start_writer() {  # index, share, clock offset or "none", first points, step, count
    local app=$run/app/$1 side=A skewed=()
    (($1 % 2)) && side=B
    [[ $3 != none ]] && (($1 % 2)) && skewed=(env LD_PRELOAD=$faketime_lib FAKETIME=$3 FAKETIME_NO_CACHE=1)
    rm -rf "$app" && mkdir -p "$app"
    folder "$2" "$side" >"$app/Zintu.ini"
    "${skewed[@]}" "$driver" write "$app" "$app/Zintu.ini" "$4" "$5" "$6" >"$run/times.$1" &
    writer_pid=$!
}

stats() {  # of the writers' "store-ms missed load-ms" lines: medians, maxima, misses
    local spread='{ t[NR] = $1 } END { printf "median %.0f ms, max %.0f ms", t[int(NR / 2) + 1], t[NR] }'
    echo "stores $(cat "$@" | wc -l): $(cut -d' ' -f1 "$@" | sort -n | awk "$spread"); loads: $(cut \
        -d' ' -f3 "$@" | sort -n | awk "$spread"); missed the lock $(awk '{ m += $2 } END { print m + 0 }' "$@")"
}

catch_holding() {  # stops the writer while it holds the lock, as a suspended laptop would
    for _ in $(seq 2000); do
        kill -STOP "$1" && sleep 0.05  # a request already sent still lands on the server
        # Not while it reads its own lock: sshfs would hide the open file, not remove it.
        grep -qs "^pid $1," "$2/Zintu.lck/holder" && ! ls -l "/proc/$1/fd" | grep -q holder && return
        kill -CONT "$1"
        sleep 0.00$((RANDOM % 9 + 1))
    done
    echo "never caught $1 holding the lock" >&2 && return 1
}

run_row() {  # share skew fault writers
    local shared victim writers=() left size crashed=0
    shared=$(folder "$1")
    mkdir -p "$shared" && find "$shared" -mindepth 1 -delete && rm -f "$run"/times.*
    case $3 in
        fifo)
            mkfifo "$shared/Zintu.scr" "$shared/Zintu.ini" "$shared/game.poz"
            timeout 10 "$driver" fifo "$shared" && echo "FIFOs as score, settings, position file: no wait"
            return ;;
        held | dead[+-]*)  # another installation's lock; or a dead one's, stamped an hour off
            mkdir "$shared/Zintu.lck" && echo "pid 1, token $3" >"$shared/Zintu.lck/holder"
            [[ $3 == dead* ]] && touch -d "${3#dead}our" "$shared/Zintu.lck/holder" "$shared/Zintu.lck"
            if [[ $3 == held ]]; then  # never let go: left alone till 5 s old to the second, then taken
                start_writer 0 "$1" none 1 1 1
                wait "$writer_pid" && stats "$run/times.0" || return 1
                awk '{ exit !($1 > 3500 && $2 == 0) }' "$run/times.0" && [[ ! -e $shared/Zintu.lck ]]
                return
            fi ;;
        dead)  # a holder killed in the middle of a store, then one store each by fresh processes
            start_writer 8 "$1" none 1 0 300
            catch_holding "$writer_pid" "$shared" && kill -KILL "$writer_pid" || return 1
            for ((i = 0; i < $4; i++)); do
                start_writer "$i" "$1" none $((1001 + i)) 1 1
                wait "$writer_pid" && echo "store $i: $(cat "$run/times.$i")" || return 1
            done
            stats "$run"/times.[0-7]
            awk '{ m += $2 } END { exit m > 0 }' "$run"/times.[0-7] &&
                "$driver" check "$shared" $((1000 + $4)) "$4" && [[ $(ls -A "$shared") == Zintu.scr ]]
            return ;;
        stop | kill)  # low points: never in the top ten
            start_writer 8 "$1" none 1 0 300
            victim=$writer_pid
            catch_holding "$victim" "$shared" || return 1
            [[ $3 == kill ]] && kill -KILL "$victim" ;;
    esac
    for ((i = 0; i < $4; i++)); do
        start_writer "$i" "$1" "$2" $((1001 + i)) "$4" 50
        writers+=("$writer_pid")
    done
    # Called after ||, a row ignores set -e: each writer's status is checked here.
    [[ $3 == stop ]] && sleep 8 && kill -CONT "$victim" && writers+=("$victim")
    for pid in "${writers[@]}"; do wait "$pid" || crashed=1; done
    stats "$run"/times.[0-7]
    left=$(ls -A "$shared" | grep -vx Zintu.scr | tr '\n' ' ')
    size=$(stat -c %s "$shared/Zintu.scr")
    echo "size $size, left beside it: ${left:-nothing}"
    "$driver" check "$shared" $((1000 + 50 * $4)) 10 && [[ $size == 380 && -z $left && $crashed == 0 ]]
}

start_samba
start_sftp
failed=0
while read -r shares skew fault writers runs; do
    for share in ${shares//,/ }; do
        [[ "$share $skew $fault $writers" =~ $filter ]] || continue
        for run_number in $(seq "$runs"); do
            echo "== $share, clock $skew, fault $fault, $writers writers, run $run_number"
            run_row "$share" "$skew" "$fault" "$writers" || failed=1
        done
    done
done <<<"$rows"
exit $failed
