#!/usr/bin/env python3
"""Local HTTPS server for the launcher's network tests.

  https_server.py start --state DIR [--root DIR] [--lifetime SECONDS]
  https_server.py stop --state DIR
  https_server.py serve --state DIR [--root DIR] [--lifetime SECONDS]   (foreground)

`start` makes a self-signed certificate with openssl, starts the server in the
background on 127.0.0.1 and a free port, and returns once it listens. It
leaves in DIR: "port" (the port number), "url" ("https://127.0.0.1:PORT"),
"pid", "requests.log" (one line per request received: METHOD TAB PATH TAB QUERY,
written before the answer is sent) and "server.log". See README.md for the
scripted answers under "/__/" and fixture_routes.py for the per-path rules.
"""

import argparse
import http.server
import os
import signal
import socketserver
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

import outside_receivers
import fixture_routes

# Upper bound of any deliberate delay, so that no scripted answer keeps a
# worker thread forever when a client never gives up.
MAX_STALL_SECONDS = 120


PERIOD = 1 << 16
_BLOCK = bytes(((i * 7 + (i >> 8)) & 0xFF) for i in range(PERIOD)) * 2


def pattern(offset, length):
    """Deterministic body bytes: byte i of a body is (i * 7 + i / 256) mod 256."""
    out = bytearray()
    while length > 0:
        start = offset % PERIOD
        n = min(length, PERIOD)
        out += _BLOCK[start:start + n]
        offset += n
        length -= n
    return bytes(out)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "vcam-test-https/1"

    def log_message(self, fmt, *args):  # keep stderr quiet; requests.log has the facts
        pass

    def _record(self):
        parts = urllib.parse.urlsplit(self.path)
        with self.server.log_lock:
            with open(self.server.request_log, "a", encoding="utf-8") as f:
                f.write(f"{self.command}\t{parts.path}\t{parts.query}\n")
        return parts

    def _send(self, status, body=b"", headers=None, content_type="application/octet-stream"):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for k, v in (headers or {}).items():
            self.send_header(k, v)
        self.end_headers()
        if self.command != "HEAD" and body:
            self.wfile.write(body)

    def _stream(self, total, first, chunk, delay, stall_after=None):
        """Sends a body of `total` pattern bytes, `chunk` bytes at a time with
        `delay` seconds between chunks; stops sending after `stall_after` bytes
        and waits until the client hangs up (or MAX_STALL_SECONDS)."""
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(total))
        self.end_headers()
        sent = 0
        try:
            while sent < total:
                if stall_after is not None and sent >= stall_after:
                    self.wfile.flush()
                    self._wait_for_hangup()
                    return
                n = min(chunk if sent else max(first, 1), total - sent)
                if stall_after is not None:
                    n = min(n, stall_after - sent)
                self.wfile.write(pattern(sent, n))
                self.wfile.flush()
                sent += n
                if delay and sent < total:
                    time.sleep(delay)
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError, OSError):
            pass
        self.close_connection = True

    def _wait_for_hangup(self):
        self.close_connection = True
        deadline = time.monotonic() + MAX_STALL_SECONDS
        self.connection.settimeout(0.2)
        while time.monotonic() < deadline:
            try:
                if not self.connection.recv(1):
                    return
            except (TimeoutError, ssl.SSLWantReadError, BlockingIOError):
                continue
            except (ssl.SSLError, OSError):
                return

    def do_HEAD(self):
        self.do_GET()

    def do_POST(self):
        self.do_GET()

    def do_GET(self):
        parts = self._record()
        body = b""
        length = int(self.headers.get("Content-Length") or 0)
        if length:
            body = self.rfile.read(length)
        path = urllib.parse.unquote(parts.path)
        if outside_receivers.handle(self, path, parts.query, body):
            return
        if path.startswith("/__/"):
            self._scripted(path[4:].split("/"), body)
        elif not fixture_routes.handle(self, path):
            self._file(path)

    def _file(self, path):
        root = os.path.realpath(self.server.root)
        full = os.path.realpath(os.path.join(root, path.lstrip("/")))
        if not full.startswith(root + os.sep) or not os.path.isfile(full):
            self._send(404, b"not found\n", content_type="text/plain")
            return
        size = os.path.getsize(full)
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(size))
        self.end_headers()
        if self.command == "HEAD":
            return
        try:
            with open(full, "rb") as f:
                while True:
                    block = f.read(1 << 20)
                    if not block:
                        break
                    self.wfile.write(block)
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError, OSError):
            self.close_connection = True

    def _scripted(self, words, request_body):
        name, args = words[0], words[1:]
        try:
            if name == "status":  # /__/status/CODE
                code = int(args[0])
                self._send(code, f"status {code}\n".encode(), content_type="text/plain")
            elif name == "text":  # /__/text/WORDS... : 200 with the rest of the path as body
                self._send(200, "/".join(args).encode("utf-8"), content_type="text/plain")
            elif name == "empty":  # /__/empty
                self._send(200, b"")
            elif name == "zero":  # /__/zero : 200 "before\0after"
                self._send(200, b"before\x00after")
            elif name == "bytes":  # /__/bytes/N : N pattern bytes
                self._stream(int(args[0]), 1 << 16, 1 << 16, 0)
            elif name == "slow":  # /__/slow/TOTAL/CHUNK/DELAY_MS
                self._stream(int(args[0]), int(args[1]), int(args[1]), int(args[2]) / 1000.0)
            elif name == "stall":  # /__/stall/SENT/TOTAL : SENT bytes of TOTAL, then silence
                self._stream(int(args[1]), int(args[0]), int(args[0]), 0, stall_after=int(args[0]))
            elif name == "chunked":  # /__/chunked/N : N pattern bytes without Content-Length
                self._chunked(int(args[0]))
            elif name == "redirect":  # /__/redirect/N/REST... : N hops of 302, then /REST
                hops = int(args[0])
                rest = "/".join(args[1:])
                target = f"/__/redirect/{hops - 1}/{rest}" if hops > 1 else "/" + rest
                self._send(302, b"moved\n", headers={"Location": target}, content_type="text/plain")
            elif name == "echo":  # /__/echo : the request line, headers and body as text
                lines = [f"{self.command} {self.path}"]
                lines += [f"{k}: {v}" for k, v in self.headers.items()]
                self._send(200, ("\n".join(lines) + "\n\n").encode() + request_body,
                           content_type="text/plain")
            else:
                self._send(404, b"unknown script\n", content_type="text/plain")
        except (IndexError, ValueError):
            self._send(400, b"bad script arguments\n", content_type="text/plain")

    def _chunked(self, total):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        sent = 0
        while sent < total:
            n = min(1 << 14, total - sent)
            self.wfile.write(b"%x\r\n" % n + pattern(sent, n) + b"\r\n")
            sent += n
        self.wfile.write(b"0\r\n\r\n")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64


def make_certificate(state):
    cert = os.path.join(state, "cert.pem")
    key = os.path.join(state, "key.pem")
    if not (os.path.exists(cert) and os.path.exists(key)):
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                        "-keyout", key, "-out", cert],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def serve(args):
    state = os.path.abspath(args.state)
    os.makedirs(state, exist_ok=True)
    cert, key = make_certificate(state)
    server = Server(("127.0.0.1", 0), Handler)
    server.root = os.path.abspath(args.root or os.path.join(state, "www"))
    os.makedirs(server.root, exist_ok=True)
    server.request_log = os.path.join(state, "requests.log")
    server.log_lock = threading.Lock()
    server.fixture_counts = {}
    open(server.request_log, "w").close()
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    # The handshake happens on the handler's thread, so a slow client never
    # holds up accept().
    server.socket = context.wrap_socket(server.socket, server_side=True,
                                        do_handshake_on_connect=False)
    port = server.server_address[1]
    server.base_url = f"https://127.0.0.1:{port}"

    def stop(*_):
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    # The server ends by itself when nobody stops it.
    timer = threading.Timer(args.lifetime, stop)
    timer.daemon = True
    timer.start()
    with open(os.path.join(state, "pid"), "w") as f:
        f.write(f"{os.getpid()}\n")
    with open(os.path.join(state, "url.tmp"), "w") as f:
        f.write(f"https://127.0.0.1:{port}\n")
    with open(os.path.join(state, "port.tmp"), "w") as f:
        f.write(f"{port}\n")
    os.replace(os.path.join(state, "url.tmp"), os.path.join(state, "url"))
    os.replace(os.path.join(state, "port.tmp"), os.path.join(state, "port"))
    try:
        server.serve_forever(poll_interval=0.2)
    finally:
        server.server_close()
        for name in ("pid", "port", "url"):
            try:
                os.remove(os.path.join(state, name))
            except FileNotFoundError:
                pass
    return 0


def running_pid(state):
    try:
        with open(os.path.join(state, "pid")) as f:
            pid = int(f.read().strip())
        os.kill(pid, 0)
        return pid
    except (FileNotFoundError, ValueError, ProcessLookupError, PermissionError):
        return None


def start(args):
    state = os.path.abspath(args.state)
    os.makedirs(state, exist_ok=True)
    if running_pid(state):
        stop(args)
    for name in ("port", "url", "pid"):
        try:
            os.remove(os.path.join(state, name))
        except FileNotFoundError:
            pass
    cmd = [sys.executable, os.path.abspath(__file__), "serve", "--state", state,
           "--lifetime", str(args.lifetime)]
    if args.root:
        cmd += ["--root", os.path.abspath(args.root)]
    with open(os.path.join(state, "server.log"), "w") as out:
        proc = subprocess.Popen(cmd, stdin=subprocess.DEVNULL, stdout=out, stderr=out,
                                start_new_session=True)
    deadline = time.monotonic() + 30
    port_file = os.path.join(state, "port")
    while time.monotonic() < deadline:
        if os.path.exists(port_file):
            with open(port_file) as f:
                print(f"https_server: listening on https://127.0.0.1:{f.read().strip()} "
                      f"(state {state})")
            return 0
        if proc.poll() is not None:
            break
        time.sleep(0.05)
    sys.stderr.write(f"https_server: did not start; see {state}/server.log\n")
    if proc.poll() is None:
        proc.terminate()
    return 1


def stop(args):
    state = os.path.abspath(args.state)
    pid = running_pid(state)
    if not pid:
        return 0
    os.kill(pid, signal.SIGTERM)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        try:
            os.kill(pid, 0)
        except ProcessLookupError:
            return 0
        time.sleep(0.05)
    os.kill(pid, signal.SIGKILL)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("command", choices=["start", "stop", "serve"])
    parser.add_argument("--state", required=True, help="folder for the certificate, port and logs")
    parser.add_argument("--root", help="folder whose files are served (default STATE/www)")
    parser.add_argument("--lifetime", type=float, default=3600,
                        help="seconds after which the server stops by itself")
    args = parser.parse_args()
    return {"start": start, "stop": stop, "serve": serve}[args.command](args)


if __name__ == "__main__":
    sys.exit(main())
