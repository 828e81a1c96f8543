#!/usr/bin/env python3
"""Runs a command beside the network clients' test peers on 127.0.0.1.

    net-test-peers.py COMMAND [ARGS...]

Starts, and waits for a real answer from each:
  - chronyd -x (never touches the system clock) as the NTP server,
  - a UDP port that takes requests and never answers,
  - an HTTP server of the tests' own: the time pages, a header echo, error
    statuses, an oversized body and the weather feeds (net/weather_feeds),
  - tinyproxy with Basic authentication in front of that HTTP server,
  - dovecot with three messages for one user over POP3 and POP3S (certificates
    of a test authority made by openssl for this run),
  - TLS servers with a certificate for another name, an expired one and one of
    an unknown authority, which keep what a client sends after the handshake
    (the HTTP server tells it: /tls-received/<port>),
  - POP3 servers of the tests' own: one that never greets, one that greets
    with an error.
Their ports (free ones, chosen at each run) go to the command in QUOREL_NTP_PORT, QUOREL_SILENT_UDP_PORT,
QUOREL_HTTP_PORT, QUOREL_PROXY_PORT (user QUOREL_PROXY_USER, password
QUOREL_PROXY_PASSWORD); the mail peers in QUOREL_POP3_PORT, QUOREL_POP3S_PORT,
QUOREL_POP3S_OTHER_NAME_PORT, QUOREL_POP3S_EXPIRED_PORT, QUOREL_POP3S_UNKNOWN_CA_PORT,
QUOREL_POP3_SILENT_PORT, QUOREL_POP3_ERROR_PORT (user QUOREL_POP3_USER, password
QUOREL_POP3_PASSWORD), the test authority's certificate in QUOREL_TEST_CA (a
path). Every peer is stopped afterwards; the command's exit status is passed
through.
"""
import http.server
import ssl
import os
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time



def free_port(kind):
    """A port nothing listens on now (runs in other build trees may be going on at once)."""
    with socket.socket(socket.AF_INET, kind) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


NTP_PORT = free_port(socket.SOCK_DGRAM)
SILENT_PORT = 0  # bound below
HTTP_PORT = 0
PROXY_PORT = free_port(socket.SOCK_STREAM)
PROXY_USER = "quorel"
PROXY_PASSWORD = "secret42"
POP3_USER = "taro"
POP3_PASSWORD = "pop3pass"
POP3_PORT = free_port(socket.SOCK_STREAM)
POP3S_PORT = free_port(socket.SOCK_STREAM)
# Bytes each bad-certificate TLS server received after its handshake, by port.
TLS_RECEIVED = {}
TLS_LOCK = threading.Lock()

# Fixed moments far from now, so that a client that reads them must set its clock.
PAGES = {
    "/format1.html": "<HTML><HEAD><TITLE>Japan Standard Time</TITLE></HEAD><BODY>\n<H2>\n"
                     "Mon Jan 12 08:05:09 JST 2009\n</H2>\n</BODY></HTML>\n",
    "/format2.html": "<html><head><title>JST Clock</title><script>\n"
                     "var t = Date.parse(\"Tue Feb 03 04:05:06 2015\") + 250 + JSToffset;\n</script></head></html>\n",
    "/cgi-bin/format3.cgi": "<HTML><HEAD><TITLE>NTP</TITLE></HEAD>\n<BODY>\n3440707509.250\n</BODY></HTML>\n",
    "/news.txt": "ID 2026-12-01 edition\r\n\x82\xa8\x92\x6d\x82\xe7\x82\xb9\r\nnew release\r\n",
    "/news-lf.txt": "ID 2026-12-01 edition\n\x82\xa8\x92\x6d\x82\xe7\x82\xb9\nnew release\n",
    "/news-short.txt": "ID 123\n",
    "/news-noid.txt": "id 2026-12-01\nlower case\n",
    "/broken.html": "<HTML><HEAD><TITLE>Japan Standard Time</TITLE></HEAD><BODY>\n<H2>\n"
                    "Mon Jan 12 08:05:09 UTC 2009\n</H2>\n</BODY></HTML>\n",
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def answer(self, status, body):
        data = body.encode("latin-1") if isinstance(body, str) else body
        self.send_response(status)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        path = self.path
        if path.startswith("http://"):  # absolute form, when a proxy passed it on unchanged
            path = "/" + path.split("/", 3)[3] if path.count("/") >= 3 else "/"
        if path in PAGES:
            self.answer(200, PAGES[path])
        elif path.startswith("/tls-received/"):
            with TLS_LOCK:
                got = TLS_RECEIVED.get(int(path[14:]))
            self.answer(200, "none" if got is None else f"connections={got[0]} bytes={got[1]}")
        elif path.startswith("/weather/") or path.startswith("/weather-today/"):
            self.answer(*weather_feed(path))
        elif path == "/echo":
            self.answer(200, "".join(f"{k}: {v}\n" for k, v in self.headers.items()))
        elif path.startswith("/status/"):
            self.answer(int(path[8:]), "<html>error page</html>")
        elif path == "/slow":  # answers long after any client's read time-out
            time.sleep(6)
            self.answer(200, "late")
        elif path == "/big":
            self.answer(200, b"x" * (2 * 1024 * 1024))
        elif path == "/":
            self.answer(200, "ready")
        else:
            self.answer(404, "not found")


WEATHER_FEEDS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "net", "weather_feeds")


def weather_feed(path):
    """/weather/NAME: a feed fixture as it is; /weather-today/NAME: the same with its
    days 24, 25 and 26 turned into today, tomorrow and the day after."""
    today = path.startswith("/weather-today/")
    name = os.path.basename(path.split("/", 2)[2])
    try:
        with open(os.path.join(WEATHER_FEEDS, name), "rb") as f:
            data = f.read()
    except OSError:
        return 404, "not found"
    if today:
        now = time.time()
        for i, day in enumerate((b"24", b"25", b"26")):
            data = data.replace(b">" + day + "日".encode(), b">@" + str(i).encode() + "日".encode())
        for i in range(3):
            shown = str(time.localtime(now + i * 86400).tm_mday).encode()
            data = data.replace(b">@" + str(i).encode(), b">" + shown)
    return 200, data


class QuietServer(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that hangs up early (the readiness probe, a cut read) is no fault


def wait_until(check, seconds, what):
    end = time.time() + seconds
    while time.time() < end:
        try:
            if check():
                return
        except OSError:
            pass
        time.sleep(0.05)
    raise SystemExit(f"net-test-peers: {what} did not answer within {seconds} s")


def ntp_answers():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as s:
        s.settimeout(0.3)
        s.sendto(b"\x1b" + b"\0" * 47, ("127.0.0.1", NTP_PORT))
        reply = s.recv(1024)
        return len(reply) >= 48 and reply[0] & 7 == 4 and 1 <= reply[1] <= 15


def http_get(port, target, extra=b""):
    with socket.create_connection(("127.0.0.1", port), timeout=1) as s:
        s.sendall(b"GET " + target + b" HTTP/1.0\r\nHost: 127.0.0.1\r\n" + extra + b"\r\n")
        return s.recv(64)


def openssl(*args, fake_time=None):
    command = ["openssl", *args]
    if fake_time:
        command = ["faketime", fake_time, *command]
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def make_certificates(folder):
    """A test authority, a server certificate for localhost, one for another
    name, an expired one and one of an authority nobody trusts."""
    def path(name):
        return os.path.join(folder, name)

    for ca in ("ca", "other-ca"):
        openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", path(ca + ".key"), "-out", path(ca + ".pem"),
                "-days", "3650", "-subj", f"/CN=Quorel {ca} test authority",
                "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign,cRLSign")
    openssl("req", "-newkey", "rsa:2048", "-nodes", "-keyout", path("server.key"), "-out", path("server.csr"),
            "-subj", "/CN=localhost")
    for name, ca, san, fake in (("server", "ca", "DNS:localhost,IP:127.0.0.1,IP:::1", None),
                                ("other-name", "ca", "DNS:other.example", None),
                                ("expired", "ca", "DNS:localhost,IP:127.0.0.1", "2020-01-01 00:00:00"),
                                ("unknown-ca", "other-ca", "DNS:localhost,IP:127.0.0.1", None)):
        with open(path(name + ".ext"), "w") as f:
            f.write(f"subjectAltName={san}\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n"
                    "keyUsage=critical,digitalSignature,keyEncipherment\n")
        openssl("x509", "-req", "-in", path("server.csr"), "-CA", path(ca + ".pem"), "-CAkey", path(ca + ".key"),
                "-CAcreateserial", "-out", path(name + ".pem"), "-days", "30" if fake else "365",
                "-sha256", "-extfile", path(name + ".ext"), fake_time=fake)


def serve_bad_tls(folder, name):
    """A TLS server with the certificate `name` that never greets and counts
    the bytes a client sends after the handshake."""
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.maximum_version = ssl.TLSVersion.TLSv1_2
    context.load_cert_chain(os.path.join(folder, name + ".pem"), os.path.join(folder, "server.key"))
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    port = listener.getsockname()[1]

    def one(connection):
        received = 0
        try:
            connection.settimeout(10)
            tls = context.wrap_socket(connection, server_side=True)
            with TLS_LOCK:
                count, _ = TLS_RECEIVED.get(port, (0, 0))
                TLS_RECEIVED[port] = (count + 1, TLS_RECEIVED.get(port, (0, 0))[1])
            while True:
                data = tls.recv(4096)
                if not data:
                    break
                received += len(data)
                with TLS_LOCK:
                    count, total = TLS_RECEIVED[port]
                    TLS_RECEIVED[port] = (count, total + len(data))
        except (OSError, ssl.SSLError):
            pass
        finally:
            connection.close()

    def loop():
        while True:
            connection, _ = listener.accept()
            threading.Thread(target=one, args=(connection,), daemon=True).start()

    threading.Thread(target=loop, daemon=True).start()
    return port


def serve_scripted_pop3(greeting):
    """A POP3 server of its own: greets with `greeting` (never when None) and
    keeps the connection open."""
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    held = []

    def loop():
        while True:
            connection, _ = listener.accept()
            held.append(connection)
            if greeting is not None:
                connection.sendall(greeting)

    threading.Thread(target=loop, daemon=True).start()
    return listener.getsockname()[1]


def seed_mailbox(folder):
    maildir = os.path.join(folder, "mail", POP3_USER)
    for part in ("cur", "new", "tmp"):
        os.makedirs(os.path.join(maildir, part), exist_ok=True)
    for i in range(1, 4):
        with open(os.path.join(maildir, "new", f"100000000{i}.M{i}P1.quorel"), "w") as f:
            f.write(f"From: sender{i}@example.com\r\nTo: {POP3_USER}@example.com\r\nSubject: message {i}\r\n"
                    f"\r\nBody of message {i}.\r\n")
    home = os.path.join(folder, "home", POP3_USER)
    os.makedirs(home, exist_ok=True)
    if os.getuid() == 0:
        for top in ("mail", "home"):
            for root, dirs, files in os.walk(os.path.join(folder, top)):
                shutil.chown(root, "nobody", "nogroup")
                for name in files:
                    shutil.chown(os.path.join(root, name), "nobody", "nogroup")


def start_dovecot(folder, log):
    seed_mailbox(folder)
    with open(os.path.join(folder, "users"), "w") as f:
        f.write(f"{POP3_USER}:{{PLAIN}}{POP3_PASSWORD}\n")
    conf = os.path.join(folder, "dovecot.conf")
    user = "uid=nobody gid=nogroup " if os.getuid() == 0 else ""
    with open(conf, "w") as f:
        f.write(f"""protocols = pop3
listen = 127.0.0.1, ::1
base_dir = {folder}/dv
state_dir = {folder}/dvs
log_path = /dev/stderr
ssl = yes
ssl_cert = <{folder}/server.pem
ssl_key = <{folder}/server.key
ssl_min_protocol = TLSv1.2
disable_plaintext_auth = no
auth_mechanisms = plain
auth_failure_delay = 0
mail_location = maildir:{folder}/mail/%u
pop3_uidl_format = %f
passdb {{
  driver = passwd-file
  args = scheme=PLAIN username_format=%u {folder}/users
}}
userdb {{
  driver = static
  args = {user}home={folder}/home/%u
}}
service anvil {{
  unix_listener anvil-auth-penalty {{
    mode = 0
  }}
}}
service pop3-login {{
  inet_listener pop3 {{
    port = {POP3_PORT}
  }}
  inet_listener pop3s {{
    port = {POP3S_PORT}
    ssl = yes
  }}
}}
service imap-login {{
  inet_listener imap {{
    port = 0
  }}
  inet_listener imaps {{
    port = 0
  }}
}}
""")
    dovecot = shutil.which("dovecot") or "/usr/sbin/dovecot"
    return start([dovecot, "-c", conf, "-F"], log)


def pop3_greets():
    with socket.create_connection(("127.0.0.1", POP3_PORT), timeout=1) as s:
        return s.recv(64).startswith(b"+OK")


def start(args, log):
    return subprocess.Popen(args, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)


def main():
    if len(sys.argv) < 2:
        raise SystemExit(__doc__)
    folder = tempfile.mkdtemp(prefix="quorel-peers-")
    os.chmod(folder, 0o755)
    children = []
    log = open(os.path.join(folder, "peers.log"), "w")
    try:
        global SILENT_PORT, HTTP_PORT
        silent = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        silent.bind(("127.0.0.1", 0))  # takes requests, never answers
        SILENT_PORT = silent.getsockname()[1]

        server = QuietServer(("127.0.0.1", 0), Handler)
        HTTP_PORT = server.server_address[1]
        threading.Thread(target=server.serve_forever, daemon=True).start()
        wait_until(lambda: http_get(HTTP_PORT, b"/").startswith(b"HTTP/1.0 200"), 5, "the HTTP server")

        chrony_conf = os.path.join(folder, "chrony.conf")
        with open(chrony_conf, "w") as f:
            f.write(f"port {NTP_PORT}\nbindaddress 127.0.0.1\nallow 127.0.0.1\nlocal stratum 10\n"
                    f"cmdport 0\nbindcmdaddress {folder}/chronyd.sock\npidfile {folder}/chronyd.pid\n"
                    f"driftfile {folder}/chrony.drift\n")
        chronyd = shutil.which("chronyd") or "/usr/sbin/chronyd"
        children.append(start([chronyd, "-x", "-d", "-4", "-u", "root", "-f", chrony_conf], log))
        wait_until(ntp_answers, 10, "chronyd")

        proxy_folder = os.path.join(folder, "proxy")
        os.mkdir(proxy_folder)
        proxy_conf = os.path.join(proxy_folder, "tinyproxy.conf")
        with open(proxy_conf, "w") as f:
            f.write(f"Port {PROXY_PORT}\nListen 127.0.0.1\nAllow 127.0.0.1\nTimeout 30\n"
                    f"BasicAuth {PROXY_USER} {PROXY_PASSWORD}\nPidFile \"{proxy_folder}/tinyproxy.pid\"\n"
                    f"LogLevel Error\n")
            if os.getuid() == 0:
                f.write("User nobody\nGroup nogroup\n")
        if os.getuid() == 0:
            shutil.chown(proxy_folder, "nobody", "nogroup")
        tinyproxy = shutil.which("tinyproxy") or "/usr/bin/tinyproxy"
        children.append(start([tinyproxy, "-d", "-c", proxy_conf], log))
        target = f"http://127.0.0.1:{HTTP_PORT}/".encode()
        wait_until(lambda: http_get(PROXY_PORT, target).startswith(b"HTTP/1.0 407"), 10, "tinyproxy")

        make_certificates(folder)
        children.append(start_dovecot(folder, log))
        wait_until(pop3_greets, 10, "dovecot")
        other_name_port = serve_bad_tls(folder, "other-name")
        expired_port = serve_bad_tls(folder, "expired")
        unknown_ca_port = serve_bad_tls(folder, "unknown-ca")
        silent_pop3_port = serve_scripted_pop3(None)
        error_pop3_port = serve_scripted_pop3(b"-ERR [SYS/TEMP] Server is busy now, come back later\r\n")

        env = dict(os.environ)
        for name in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "no_proxy", "NO_PROXY"):
            env.pop(name, None)
        env.update(QUOREL_NTP_PORT=str(NTP_PORT), QUOREL_SILENT_UDP_PORT=str(SILENT_PORT),
                   QUOREL_HTTP_PORT=str(HTTP_PORT), QUOREL_PROXY_PORT=str(PROXY_PORT),
                   QUOREL_PROXY_USER=PROXY_USER, QUOREL_PROXY_PASSWORD=PROXY_PASSWORD,
                   QUOREL_POP3_PORT=str(POP3_PORT), QUOREL_POP3S_PORT=str(POP3S_PORT),
                   QUOREL_POP3S_OTHER_NAME_PORT=str(other_name_port), QUOREL_POP3S_EXPIRED_PORT=str(expired_port),
                   QUOREL_POP3S_UNKNOWN_CA_PORT=str(unknown_ca_port), QUOREL_POP3_SILENT_PORT=str(silent_pop3_port),
                   QUOREL_POP3_ERROR_PORT=str(error_pop3_port), QUOREL_POP3_USER=POP3_USER,
                   QUOREL_POP3_PASSWORD=POP3_PASSWORD, QUOREL_TEST_CA=os.path.join(folder, "ca.pem"))
        return subprocess.call(sys.argv[1:], env=env)
    finally:
        for child in children:
            try:
                os.killpg(child.pid, signal.SIGTERM)
                child.wait(timeout=5)
            except (OSError, subprocess.TimeoutExpired):
                try:
                    os.killpg(child.pid, signal.SIGKILL)
                except OSError:
                    pass
        log.close()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
