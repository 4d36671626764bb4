#!/usr/bin/env bash
# STOR of a 200 MB file from tmpfs to a vsftpd on 127.0.0.1, by the project's FTP client and by
# curl, in one run. Builds first (ORVANE_BUILD_DIR picks the build folder); run as root, or as
# the account vsftpd may then run its sessions as.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
size_mb="${BENCH_FTP_SIZE_MB:-200}"
ORVANE_BUILD_DIR="$build" bash "$root/scripts/build.sh"

work="$(mktemp -d /dev/shm/orvane-bench-ftp.XXXXXX)"
server=""
cleanup() {
    if [ -n "$server" ]; then
        # each vsftpd session leads a process group of its own, a child of the listener
        for session in $(pgrep -P "$server" || true); do kill -KILL -- "-$session" 2>/dev/null || true; done
        kill -KILL "$server" 2>/dev/null || true
        wait "$server" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/top/pub" "$work/empty"
chmod 755 "$work" "$work/top"
if [ "$(id -u)" = 0 ]; then
    account=ftp; id ftp >/dev/null 2>&1 || account=nobody
    chown "$account" "$work/top/pub"
    identity="ftp_username=$account"
else
    chmod 555 "$work/top"
    identity="run_as_launching_user=YES"
fi
head -c "${size_mb}M" /dev/urandom > "$work/payload.bin"
port="$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"

cat > "$work/vsftpd.conf" <<CONF
listen=YES
listen_ipv6=NO
listen_address=127.0.0.1
listen_port=$port
background=NO
anonymous_enable=YES
no_anon_password=YES
local_enable=NO
write_enable=YES
anon_upload_enable=YES
anon_other_write_enable=YES
anon_umask=022
anon_root=$work/top
secure_chroot_dir=$work/empty
pasv_enable=NO
connect_from_port_20=NO
seccomp_sandbox=NO
isolate=NO
isolate_network=NO
xferlog_enable=NO
$identity
CONF
/usr/sbin/vsftpd "$work/vsftpd.conf" &
server=$!
for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.1
done

"$build/bench/bench_ftp_stor" --host 127.0.0.1 --port "$port" --user anonymous --password orvane \
    --dir /pub --file "$work/payload.bin" --rounds "${BENCH_FTP_ROUNDS:-3}"
cmp -s "$work/payload.bin" "$work/top/pub/orvane-client.bin" && echo "stored file identical"
