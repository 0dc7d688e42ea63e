#!/usr/bin/env python3
"""Analytics collector for tests: decodes the batches the SDK posts and keeps them.

Every request path starts with /ns/<name>/ so that tests running at the same time
keep apart. Per namespace:
  POST /ns/<name>/<anything>      a batch: form body "data_list=<pct(base64(gzip(json)))>&gzip=1";
                                  answered according to the namespace's mode
  GET  /ns/<name>/_batches        JSON {"batches": [...], "errors": [...], "redirected": n,
                                  "attempts": batch posts seen in any mode}
  GET  /ns/<name>/_mode/<mode>    mode is 200 (default), 500, 201, 302 or hang
A 302 points at /ns/<name>/_redirected, which counts requests that follow it.
"hang" keeps the request open for HANG_SECONDS without an answer (past the
client's 3 s time-out) and does not keep the batch.
"""
import argparse
import base64
import binascii
import gzip
import json
import os
import signal
import sys
import threading
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

MAX_BODY = 16 * 1024 * 1024
HANG_SECONDS = 6.0
MODES = {"200", "500", "201", "302", "hang"}

lock = threading.Lock()
spaces = {}
stopping = threading.Event()
log_file = None


def space(name):
    with lock:
        return spaces.setdefault(name, {"mode": "200", "batches": [], "errors": [], "redirected": 0, "attempts": 0})


def log(line):
    if log_file:
        with lock:
            log_file.write(line + "\n")
            log_file.flush()


def decode_batch(body):
    """Returns (records, json_bytes) or raises ValueError with the reason."""
    text = body.decode("ascii")
    if not text.startswith("data_list=") or not text.endswith("&gzip=1"):
        raise ValueError("body is not data_list=...&gzip=1")
    encoded = text[len("data_list="):-len("&gzip=1")]
    for ch in encoded:
        if not (ch.isalnum() or ch in "-._~%"):
            raise ValueError("unencoded byte %r in data_list" % ch)
    raw_b64 = urllib.parse.unquote_to_bytes(encoded)
    try:
        compressed = base64.b64decode(raw_b64, validate=True)
    except binascii.Error as e:
        raise ValueError("bad base64: %s" % e)
    if compressed[:2] != b"\x1f\x8b":
        raise ValueError("not a gzip stream")
    raw = gzip.decompress(compressed)
    records = json.loads(raw.decode("utf-8"))
    if not isinstance(records, list) or not all(isinstance(r, dict) for r in records):
        raise ValueError("batch is not an array of objects")
    return records, len(raw)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, fmt, *args):
        log("%s %s" % (self.address_string(), fmt % args))

    def split_path(self):
        parts = self.path.split("?")[0].split("/")
        if len(parts) < 4 or parts[1] != "ns" or not parts[2]:
            return None, None
        return parts[2], parts[3:]

    def answer(self, code, body=b"", headers=()):
        self.send_response(code)
        for k, v in headers:
            self.send_header(k, v)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        name, rest = self.split_path()
        if name is None:
            return self.answer(404, b"no namespace")
        ns = space(name)
        if rest[0] == "_batches":
            with lock:
                doc = {key: ns[key] for key in ("batches", "errors", "redirected", "attempts")}
                body = json.dumps(doc, ensure_ascii=False, separators=(",", ":")).encode("utf-8")
            return self.answer(200, body, [("Content-Type", "application/json")])
        if rest[0] == "_mode" and len(rest) > 1 and rest[1] in MODES:
            with lock:
                ns["mode"] = rest[1]
            return self.answer(200, b"mode " + rest[1].encode())
        if rest[0] == "_redirected":
            with lock:
                ns["redirected"] += 1
            return self.answer(200, b"redirected")
        return self.answer(404, b"unknown control")

    def do_POST(self):
        name, rest = self.split_path()
        length = int(self.headers.get("Content-Length", "0") or 0)
        if length < 0 or length > MAX_BODY:
            self.close_connection = True
            return self.answer(413, b"too large")
        body = self.rfile.read(length)
        if name is None:
            return self.answer(404, b"no namespace")
        ns = space(name)
        if rest and rest[0] == "_redirected":
            with lock:
                ns["redirected"] += 1
            return self.answer(200, b"redirected")
        with lock:
            mode = ns["mode"]
            ns["attempts"] += 1
        if mode == "hang":
            self.close_connection = True
            stopping.wait(HANG_SECONDS)
            return
        try:
            records, json_bytes = decode_batch(body)
        except (ValueError, UnicodeDecodeError, OSError, EOFError) as e:
            with lock:
                ns["errors"].append(str(e))
            return self.answer(400, ("bad batch: %s" % e).encode())
        batch = {
            "records": records,
            "body_bytes": len(body),
            "json_bytes": json_bytes,
            "content_type": self.headers.get("Content-Type", ""),
            "user_agent": self.headers.get("User-Agent", ""),
            "answered": int(mode),
        }
        if mode == "200":
            with lock:
                ns["batches"].append(batch)
            return self.answer(200, b"ok")
        if mode == "302":
            return self.answer(302, b"moved", [("Location", "/ns/%s/_redirected" % name)])
        return self.answer(int(mode), ("answered %s" % mode).encode())


def main():
    global log_file
    ap = argparse.ArgumentParser()
    ap.add_argument("--port-file", required=True)
    ap.add_argument("--log")
    args = ap.parse_args()
    if args.log:
        log_file = open(args.log, "a", encoding="utf-8")
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True

    def stop(*_):
        stopping.set()
        threading.Thread(target=server.shutdown, daemon=True).start()

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    with open(args.port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(args.port_file + ".tmp", args.port_file)
    server.serve_forever()
    return 0


if __name__ == "__main__":
    sys.exit(main())
