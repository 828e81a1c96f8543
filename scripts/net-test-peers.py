#!/usr/bin/env python3
"""Runs a command beside the network clients' test peers on 127.0.0.1.

    net-test-peers.py COMMAND [ARGS...]

Starts, and waits for a real answer from each:
  - chronyd -x (never touches the system clock) as the NTP server,
  - a UDP port that takes requests and never answers,
  - an HTTP server of the tests' own: the time pages, a header echo, error
    statuses and an oversized body,
  - tinyproxy with Basic authentication in front of that HTTP server.
Their ports (free ones, chosen at each run) go to the command in QUOREL_NTP_PORT, QUOREL_SILENT_UDP_PORT,
QUOREL_HTTP_PORT, QUOREL_PROXY_PORT (user QUOREL_PROXY_USER, password
QUOREL_PROXY_PASSWORD). Every peer is stopped afterwards; the command's exit
status is passed through.
"""
import http.server
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

# Fixed moments far from now, so that a client that reads them must set its clock.
PAGES = {
    "/format1.html": "<HTML><HEAD><TITLE>Japan Standard Time</TITLE></HEAD><BODY>\n<H2>\n"
                     "Mon Jan 12 08:05:09 JST 2009\n</H2>\n</BODY></HTML>\n",
    "/format2.html": "<html><head><title>JST Clock</title><script>\n"
                     "var t = Date.parse(\"Tue Feb 03 04:05:06 2015\") + 250 + JSToffset;\n</script></head></html>\n",
    "/cgi-bin/format3.cgi": "<HTML><HEAD><TITLE>NTP</TITLE></HEAD>\n<BODY>\n3440707509.250\n</BODY></HTML>\n",
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

        env = dict(os.environ)
        for name in ("http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "no_proxy", "NO_PROXY"):
            env.pop(name, None)
        env.update(QUOREL_NTP_PORT=str(NTP_PORT), QUOREL_SILENT_UDP_PORT=str(SILENT_PORT),
                   QUOREL_HTTP_PORT=str(HTTP_PORT), QUOREL_PROXY_PORT=str(PROXY_PORT),
                   QUOREL_PROXY_USER=PROXY_USER, QUOREL_PROXY_PASSWORD=PROXY_PASSWORD)
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
