#!/usr/bin/env bash
# Installations sharing one score folder on real shares: Samba on 127.0.0.1 mounted twice with
# smbnetfs, an SFTP server on a spare loopback port mounted twice with sshfs, and local disk.
# Each row of the table runs 8 writers of 50 game overs each, split across the two mounts,
# and then checks that the true top ten stand in the shared copy, alone and 380 bytes long.
#   share-test.sh DRIVER [ROW-FILTER]      (root; prints the figures of each row)
set -euo pipefail
driver=$(realpath "$1")
filter=${2:-.}
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1

# share  skew (half the writers' clocks)  fault  writers  runs
rows="local  none   none     1  1
local  none   none     8  3
local  none   fifo     0  1
local  none   held     1  1
sftp   none   none     1  1
sftp   none   none     8  3
sftp   none   stop     8  1
sftp   -1h    kill     8  1
sftp   none   held     1  1
smb    none   none     1  1
smb    none   none     8  3
smb    +1h    none     8  1
smb    -1h    none     8  1
smb    none   stop     8  1
smb    none   kill     8  1
smb    none   dead+1h  8  1
sftp   none   dead-1h  8  1
smb    none   held     1  1"

run=$(mktemp -d /tmp/zintu-share.XXXXXX)
pids=()
mounts=()
cleanup() {
    local status=$?
    set +e
    for mount in "${mounts[@]}"; do
        fusermount -u "$mount" 2>/dev/null || umount -l "$mount"
    done
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    sleep 1
    for pid in "${pids[@]}"; do  # a FUSE daemon hung on its server ignores the first
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$run"
    exit "$status"
}
trap cleanup EXIT INT TERM

wait_for() {  # a command, tried for ten seconds
    for _ in $(seq 100); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "not ready: $*" >&2
    return 1
}

start_samba() {
    mkdir -p "$run/smb/share" "$run/smb/state"
    cat >"$run/smb/smb.conf" <<EOF
[global]
  interfaces = 127.0.0.1
  bind interfaces only = yes
  smb ports = 445
  pid directory = $run/smb/state
  lock directory = $run/smb/state
  state directory = $run/smb/state
  cache directory = $run/smb/state
  private dir = $run/smb/state
  log file = $run/smb/state/log.%m
  passdb backend = tdbsam:$run/smb/state/passdb.tdb
  load printers = no
  printcap name = /dev/null
  disable spoolss = yes
  server role = standalone server
[zintu]
  path = $run/smb/share
  read only = no
  force user = root
EOF
    printf 'zintu\nzintu\n' | smbpasswd -c "$run/smb/smb.conf" -s -a root >/dev/null
    # In a session of its own: stopping, it signals its whole process group.
    setsid smbd --foreground --no-process-group -s "$run/smb/smb.conf" >"$run/smb/smbd.log" 2>&1 &
    pids+=($!)
    for side in A B; do
        local home=$run/smb/home$side
        mkdir -p "$home/.smb" "$run/smb/$side"
        echo 'auth "127.0.0.1" "root" "zintu"' >"$home/.smb/smbnetfs.auth"
        printf 'include "smbnetfs.auth"\n' >"$home/.smb/smbnetfs.conf"
        : >"$home/.smb/smb.conf"
        chmod 600 "$home/.smb/"*
        HOME=$home smbnetfs "$run/smb/$side" -f -o use_libsecret=false,smb_query_browsers=false \
            >"$run/smb/smbnetfs$side.log" 2>&1 &
        pids+=($!)
        mounts+=("$run/smb/$side")
    done
    wait_for ls "$run/smb/A/127.0.0.1/zintu"
    wait_for ls "$run/smb/B/127.0.0.1/zintu"
}

start_sftp() {
    local dir=$run/sftp port
    mkdir -p "$dir/share" "$dir/A" "$dir/B" /run/sshd
    ssh-keygen -q -t ed25519 -N '' -f "$dir/host_key"
    ssh-keygen -q -t ed25519 -N '' -f "$dir/client_key"
    cp "$dir/client_key.pub" "$dir/authorized_keys"
    port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    cat >"$dir/sshd_config" <<EOF
ListenAddress 127.0.0.1
Port $port
HostKey $dir/host_key
AuthorizedKeysFile $dir/authorized_keys
PasswordAuthentication no
PermitRootLogin prohibit-password
StrictModes no
UsePAM no
PidFile none
Subsystem sftp internal-sftp
EOF
    /usr/sbin/sshd -D -e -f "$dir/sshd_config" >"$dir/sshd.log" 2>&1 &
    pids+=($!)
    wait_for python3 -c "import socket; socket.create_connection(('127.0.0.1', $port))"
    for side in A B; do
        sshfs -f -p "$port" -o "IdentityFile=$dir/client_key,BatchMode=yes" \
            -o StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null \
            "root@127.0.0.1:$dir/share" "$dir/$side" >"$dir/sshfs$side.log" 2>&1 &
        pids+=($!)
        mounts+=("$dir/$side")
    done
    wait_for mountpoint -q "$dir/A"
    wait_for mountpoint -q "$dir/B"
}

# The folder as the server keeps it, and the two ways the writers reach it.
backing() { case $1 in local) echo "$run/local" ;; *) echo "$run/$1/share" ;; esac; }
mount_path() {
    case $1 in
        local) echo "$run/local" ;;
        sftp) echo "$run/sftp/$2" ;;
        smb) echo "$run/smb/$2/127.0.0.1/zintu" ;;
    esac
}

# Writer: index, share, clock offset or "none", first points, step, count.
start_writer() {
    local i=$1 share=$2 skew=$3 side=A app
    ((i % 2)) && side=B
    app=$run/app/$i
    rm -rf "$app" && mkdir -p "$app"
    mount_path "$share" "$side" >"$app/Zintu.ini"
    if [[ $skew != none ]] && ((i % 2)); then
        LD_PRELOAD=$faketime_lib FAKETIME=$skew FAKETIME_NO_CACHE=1 \
            "$driver" write "$app" "$app/Zintu.ini" "$4" "$5" "$6" >"$run/times.$i" &
    else
        "$driver" write "$app" "$app/Zintu.ini" "$4" "$5" "$6" >"$run/times.$i" &
    fi
    writer_pid=$!
}

# Stops the writer while it holds the lock, as a suspended laptop would.
catch_holding() {
    local pid=$1 lock=$2/Zintu.lck/holder
    for _ in $(seq 2000); do
        kill -STOP "$pid"
        # Not while it reads its own lock: sshfs would hide the open file, not remove it.
        grep -qs "^pid $pid," "$lock" && ! ls -l "/proc/$pid/fd" | grep -q holder && return 0
        kill -CONT "$pid"
        sleep 0.00$((RANDOM % 9 + 1))
    done
    echo "never caught $pid holding the lock" >&2
    return 1
}

run_row() {  # share skew fault writers
    local share=$1 skew=$2 fault=$3 writers_count=$4 shared victim=
    shared=$(backing "$share")
    mkdir -p "$shared" && find "$shared" -mindepth 1 -delete && rm -f "$run"/times.*  # the server keeps the folder open
    if [[ $fault == fifo ]]; then
        mkfifo "$shared/Zintu.scr" "$shared/Zintu.ini" "$shared/game.poz"
        local start=$SECONDS
        timeout 10 "$driver" fifo "$shared"
        echo "FIFOs as score, settings and position file: back in $((SECONDS - start)) s"
        return
    fi
    if [[ $fault == held ]]; then  # what a player meets at game over while another holds it
        "$driver" hold "$(mount_path "$share" B)" 4 >"$run/hold" &
        victim=$!
        wait_for grep -q held "$run/hold"
        start_writer 0 "$share" none 1 1 1
        wait "$writer_pid"
        "$driver" stats "$run/times.0"
        wait "$victim"
        return
    fi
    if [[ $fault == dead* ]]; then  # left by a holder that died, stamped an hour off
        mkdir "$shared/Zintu.lck"
        echo "pid 1, token dead" >"$shared/Zintu.lck/holder"
        touch -d "${fault#dead}our" "$shared/Zintu.lck/holder" "$shared/Zintu.lck"
    fi
    if [[ $fault == stop || $fault == kill ]]; then  # low points: never in the top ten
        start_writer 8 "$share" none 1 0 300
        victim=$writer_pid
        catch_holding "$victim" "$shared"
        [[ $fault == kill ]] && kill -KILL "$victim" && wait "$victim" || true
    fi
    local writers=()
    for i in $(seq 0 $((writers_count - 1))); do
        start_writer "$i" "$share" "$skew" $((1001 + i)) "$writers_count" 50
        writers+=("$writer_pid")
    done
    if [[ $fault == stop ]]; then
        sleep 8
        kill -CONT "$victim"
    fi
    wait "${writers[@]}"
    local top=$((1000 + 50 * writers_count))
    [[ $fault == stop ]] && wait "$victim"
    "$driver" stats "$run"/times.[0-7]
    "$driver" check "$shared" "$top"
}

start_samba
start_sftp
mkdir -p "$run/local"
failed=0
while read -r share skew fault writers runs; do
    [[ "$share $skew $fault $writers" =~ $filter ]] || continue
    for run_number in $(seq "$runs"); do
        echo "== $share, clock $skew, fault $fault, $writers writers, run $run_number"
        run_row "$share" "$skew" "$fault" "$writers" || failed=1
    done
done <<<"$rows"
exit $failed
