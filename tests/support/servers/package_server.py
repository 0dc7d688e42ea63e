#!/usr/bin/env python3
"""The package server of the download tests: serves package files with HEAD, GET and
Range, and misbehaves on request in the ways real package hosts do (error statuses,
cut connections, stalls, wrong lengths, ignored ranges, slow connections, redirects).

Files live under <root>/<namespace>/...; a request path "/<namespace>/<rest>" maps to
that file. Every test uses its own namespace, because tests run concurrently against
one server. Control requests (never logged as package requests):

  POST /_ctl/<ns>/script   body: JSON {"rules": [rule, ...]} replaces the namespace's rules
  GET  /_ctl/<ns>/log      one line per package request of the namespace:
                           METHOD \t PATH \t RANGE \t ACCEPT-ENCODING \t USER-AGENT \t STATUS
  POST /_ctl/<ns>/reset    forgets the rules and the log of the namespace

A rule applies to the first `count` requests it matches (-1: every one); the first rule
that matches and still has count left decides. Match keys: "method" ("GET", "HEAD"),
"path" (exact raw path), "range_start" (first byte asked for; -1 = no Range header).
Actions: "drop" (close the connection without answering), "status" (answer with that
status and a short body), "redirect" (302 to it),
"serve" (file name relative to the namespace, in place of the path), "cut_after" (close
the connection after that many body bytes), "stall_after" + "stall_seconds" (send that
many body bytes, then send nothing), "length" (announce this Content-Length whatever is
sent), "no_length" (no Content-Length; the body ends when the connection closes),
"ignore_range" (answer 200 with the whole file), "bad_range_start" (answer 206 with a
Content-Range that starts elsewhere), "rate" (bytes per second for this connection),
"corrupt" (flip the first body byte), "gzip" (compress the body when the client accepts gzip).
The server-wide option --rate caps every connection (benchmarks).
"""
import argparse
import gzip as gzip_module
import json
import os
import signal
import socket
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

CHUNK = 256 * 1024
MAX_CONTROL_BODY = 1 << 20
MAX_LOG_LINES = 10000


class State:
    def __init__(self, root, rate, log_file):
        self.root = root
        self.rate = rate
        self.log_file = log_file
        self.lock = threading.Lock()
        self.rules = {}   # namespace -> list of [rule, remaining count]
        self.logs = {}    # namespace -> list of log lines
        self.stop = threading.Event()

    def take_rule(self, ns, method, path, range_start):
        with self.lock:
            for entry in self.rules.get(ns, []):
                rule, left = entry
                if left == 0:
                    continue
                if "method" in rule and rule["method"] != method:
                    continue
                if "path" in rule and rule["path"] != path:
                    continue
                if "range_start" in rule and rule["range_start"] != range_start:
                    continue
                if left > 0:
                    entry[1] = left - 1
                return rule
        return {}

    def log_arrival(self, ns, fields):
        """Logs a request as it arrives (a stalled one is visible at once); the status
        field reads "0" until the answer is complete."""
        entry = fields + ["0"]
        with self.lock:
            lines = self.logs.setdefault(ns, [])
            if len(lines) < MAX_LOG_LINES:
                lines.append(entry)
        return entry

    def log_status(self, ns, entry, status):
        with self.lock:
            entry[-1] = str(status)
            if self.log_file:
                self.log_file.write(ns + "\t" + "\t".join(entry) + "\n")
                self.log_file.flush()


def parse_range(header, size):
    """(start, end) inclusive for "bytes=a-b" / "bytes=a-", None when absent or unusable."""
    if not header or not header.startswith("bytes="):
        return None
    range_set = header[len("bytes="):].split(",")[0].strip()
    first, _, last = range_set.partition("-")
    try:
        start = int(first)
        end = int(last) if last else size - 1
    except ValueError:
        return None
    return (start, min(end, size - 1))


def range_start_of(header):
    parsed = parse_range(header, 1 << 62)
    return parsed[0] if parsed else -1


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "PackageServer"
    sys_version = ""

    def log_message(self, fmt, *args):
        pass

    # ---- control -------------------------------------------------------
    def control(self, method):
        parts = self.path.split("?")[0].split("/")
        if len(parts) != 4 or not parts[2]:
            return self.reply(400, b"bad control path")
        ns, op = parts[2], parts[3]
        state = self.server.state
        length = int(self.headers.get("Content-Length") or 0)
        if length > MAX_CONTROL_BODY:
            return self.reply(413, b"too large")
        body = self.rfile.read(length) if length else b""
        if method == "POST" and op == "script":
            try:
                rules = json.loads(body.decode("utf-8"))["rules"]
            except (ValueError, KeyError) as e:
                return self.reply(400, str(e).encode())
            with state.lock:
                state.rules[ns] = [[r, int(r.get("count", -1))] for r in rules]
            return self.reply(200, b"ok")
        if method == "POST" and op == "reset":
            with state.lock:
                state.rules.pop(ns, None)
                state.logs.pop(ns, None)
            return self.reply(200, b"ok")
        if method == "GET" and op == "log":
            with state.lock:
                text = "".join("\t".join(entry) + "\n" for entry in state.logs.get(ns, []))
            return self.reply(200, text.encode("utf-8"), "text/plain; charset=utf-8")
        return self.reply(404, b"no such control")

    def reply(self, status, body, ctype="text/plain"):
        self.send_response(status)
        self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    # ---- package requests ----------------------------------------------
    def do_POST(self):
        if self.path.startswith("/_ctl/"):
            return self.control("POST")
        self.reply(405, b"no")

    def do_GET(self):
        if self.path.startswith("/_ctl/"):
            return self.control("GET")
        self.package("GET")

    def do_HEAD(self):
        self.package("HEAD")

    def package(self, method):
        state = self.server.state
        raw_path = self.path.split("?")[0]
        segments = raw_path.split("/")
        ns = segments[1] if len(segments) > 1 else ""
        range_header = self.headers.get("Range")
        rule = state.take_rule(ns, method, raw_path, range_start_of(range_header))
        entry = state.log_arrival(ns, [method, raw_path, range_header or "-",
                                       self.headers.get("Accept-Encoding") or "-",
                                       self.headers.get("User-Agent") or "-"])
        self.log_entry = (ns, entry)
        try:
            self.respond(method, ns, raw_path, range_header, rule)
        finally:
            self.log_entry = None

    def send_response(self, code, message=None):
        # The status is logged before any byte of the answer leaves, so a client that
        # has its answer finds it in the log.
        if getattr(self, "log_entry", None):
            self.server.state.log_status(self.log_entry[0], self.log_entry[1], code)
        super().send_response(code, message)

    def file_path(self, ns, raw_path, rule):
        if "serve" in rule:
            rel = rule["serve"]
        else:
            rel = urllib.parse.unquote(raw_path[len(ns) + 2:])
        full = os.path.normpath(os.path.join(self.server.state.root, ns, rel))
        ns_root = os.path.normpath(os.path.join(self.server.state.root, ns))
        if not ns or not full.startswith(ns_root + os.sep):
            return None
        return full

    def respond(self, method, ns, raw_path, range_header, rule):
        if rule.get("drop"):
            self.close_connection = True
            self.connection.shutdown(socket.SHUT_RDWR)
            return 0
        if "status" in rule:
            self.reply(int(rule["status"]), b"scripted status")
            return int(rule["status"])
        if "redirect" in rule:
            self.send_response(302)
            self.send_header("Location", rule["redirect"])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return 302
        path = self.file_path(ns, raw_path, rule)
        if not path or not os.path.isfile(path):
            self.reply(404, b"not found")
            return 404
        size = os.path.getsize(path)
        wanted = None if rule.get("ignore_range") else parse_range(range_header, size)
        if wanted and wanted[0] >= size:
            self.send_response(416)
            self.send_header("Content-Range", "bytes */%d" % size)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return 416
        start, end = wanted if wanted else (0, size - 1)
        body_len = end - start + 1
        status = 206 if wanted else 200
        gz = rule.get("gzip") and "gzip" in (self.headers.get("Accept-Encoding") or "")
        payload = None
        if gz:
            with open(path, "rb") as f:
                f.seek(start)
                payload = gzip_module.compress(f.read(body_len))
            body_len = len(payload)
        self.send_response(status)
        self.send_header("Accept-Ranges", "bytes")
        if status == 206:
            shown = start + 1 if rule.get("bad_range_start") else start
            self.send_header("Content-Range", "bytes %d-%d/%d" % (shown, end, size))
        if gz:
            self.send_header("Content-Encoding", "gzip")
        if rule.get("no_length"):
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(rule.get("length", body_len)))
        self.end_headers()
        if method == "HEAD":
            return status
        self.send_body(path, start, body_len, payload, rule)
        return status

    def send_body(self, path, start, body_len, payload, rule):
        limit = body_len
        if "length" in rule:
            limit = min(limit, int(rule["length"]))
        cut = rule.get("cut_after")
        stall = rule.get("stall_after")
        for mark in (cut, stall):
            if mark is not None:
                limit = min(limit, int(mark))
        rate = rule.get("rate") or self.server.state.rate
        sent = 0
        began = time.monotonic()
        try:
            with open(path, "rb") as f:
                f.seek(start)
                while sent < limit:
                    n = min(CHUNK, limit - sent)
                    if rate:
                        n = min(n, max(1024, int(rate) // 20))
                    if payload is not None:
                        block = payload[sent:sent + n]
                    else:
                        block = f.read(n)
                    if not block:
                        break
                    if rule.get("corrupt") and sent == 0:
                        block = bytes([block[0] ^ 0xFF]) + block[1:]
                    self.wfile.write(block)
                    sent += len(block)
                    if rate:
                        ahead = sent / float(rate) - (time.monotonic() - began)
                        if ahead > 0:
                            time.sleep(ahead)
            self.wfile.flush()
            if stall is not None:
                self.server.state.stop.wait(float(rule.get("stall_seconds", 30)))
            if cut is not None or stall is not None or sent < int(rule.get("length", body_len)):
                self.close_connection = True
                self.connection.shutdown(socket.SHUT_RDWR)
        except (BrokenPipeError, ConnectionResetError, OSError):
            self.close_connection = True


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64


def make_certificate(folder):
    """A self-signed certificate for 127.0.0.1, made with Debian's openssl command."""
    import subprocess
    key = os.path.join(folder, "key.pem")
    cert = os.path.join(folder, "cert.pem")
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                    "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                    "-keyout", key, "-out", cert], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port-file", required=True)
    ap.add_argument("--log")
    ap.add_argument("--root", help="folder of the namespaces (default: <port-file folder>/package-root)")
    ap.add_argument("--rate", type=int, default=0, help="bytes per second per connection (0: no cap)")
    ap.add_argument("--tls", action="store_true", help="serve HTTPS with a fresh self-signed certificate")
    args = ap.parse_args()

    root = args.root or os.path.join(os.path.dirname(os.path.abspath(args.port_file)), "package-root")
    os.makedirs(root, exist_ok=True)
    log_file = open(args.log, "a", encoding="utf-8") if args.log else None
    server = Server(("127.0.0.1", 0), Handler)
    server.state = State(root, args.rate, log_file)
    if args.tls:
        import ssl
        import tempfile
        folder = tempfile.mkdtemp(prefix="package-tls-")
        cert, key = make_certificate(folder)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
        with open(os.path.join(root, "tls-cert.pem"), "w") as out, open(cert) as src:
            out.write(src.read())

    def stop(*_):
        server.state.stop.set()
        threading.Thread(target=server.shutdown, daemon=True).start()
    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)

    tmp = args.port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(tmp, args.port_file)
    server.serve_forever(poll_interval=0.2)
    server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
