#!/usr/bin/env python3
"""Download benchmark: curl's command-line tool, CCurlDownloader, CMTCurlDownloader and
aria2c with two connections fetch one package from the loopback package server, each
without a limit and with the server capping every connection. Runs alternate (every
tool once per round). Prints wall time, throughput and peak resident memory of every
run, the medians, the ratios to curl and to aria2c, and the ratios the download targets
name (single stream to curl; multi-part to single stream and to aria2c under the cap;
peak memory). Asserts nothing.

  run_bench.py --bench <download_bench> [--wine <wine64> --wine-prefix <dir>]
               [--size-mib 256] [--cap-mib 20] [--rounds 2] [--tools curl,single,multi,aria2c]
"""
import argparse
import hashlib
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SERVER = os.path.join(HERE, "..", "..", "tests", "support", "servers", "package_server.py")


def start_server(state, name, root, rate):
    port_file = os.path.join(state, name + ".port")
    proc = subprocess.Popen([sys.executable, SERVER, "--port-file", port_file, "--root", root,
                             "--rate", str(rate)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if os.path.exists(port_file):
            with open(port_file) as f:
                return proc, int(f.read())
        time.sleep(0.1)
    proc.kill()
    raise SystemExit("package server did not start")


def make_package(root, size):
    """Writes <root>/bench/<md5>/setup.exe of `size` pseudo-random bytes."""
    chunk = os.urandom(1 << 20)
    digest = hashlib.md5()
    tmp = os.path.join(root, "bench-package.tmp")
    with open(tmp, "wb") as f:
        for i in range(size >> 20):
            block = bytes([i & 0xFF]) + chunk[1:]
            digest.update(block)
            f.write(block)
    folder = os.path.join(root, "bench", digest.hexdigest())
    os.makedirs(folder, exist_ok=True)
    os.replace(tmp, os.path.join(folder, "setup.exe"))
    return "/bench/%s/setup.exe" % digest.hexdigest(), digest.hexdigest()


def timed(cmd, env=None):
    """(wall seconds, peak RSS KiB of the program, exit code, stdout). The peak comes from
    GNU time, whose own small footprint is what Linux carries over into the program's
    maximum across exec (this script's would be much larger)."""
    fd, rss_file = tempfile.mkstemp(prefix="rss-")
    os.close(fd)
    began = time.monotonic()
    proc = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", rss_file] + cmd, stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, env=env)
    wall = time.monotonic() - began
    with open(rss_file) as f:
        lines = [l for l in f.read().split() if l.isdigit()]
    os.remove(rss_file)
    return wall, int(lines[-1]) if lines else 0, proc.returncode, proc.stdout.decode("utf-8", "replace")


def file_md5(path):
    h = hashlib.md5()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


def run_tool(tool, url, work, args):
    dest = os.path.join(work, tool + ".exe")
    fields = {}
    for leftover in (dest, dest + ".part", dest + "_0", dest + "_1"):
        if os.path.exists(leftover):
            os.remove(leftover)
    if tool == "curl":
        wall, rss, rc, _ = timed(["curl", "-s", "-o", dest, url])
    elif tool == "aria2c":
        wall, rss, rc, _ = timed(["aria2c", "-q", "-x2", "-s2", "--min-split-size=1M", "--file-allocation=none",
                                  "--allow-overwrite=true", "-d", work, "-o", os.path.basename(dest), url])
    else:
        kind = "single" if tool == "single" else "multi"
        if args.wine:
            env = dict(os.environ, WINEPREFIX=args.wine_prefix, WINEDEBUG="-all")
            target = "Z:" + dest.replace("/", "\\")
            wall, rss, rc, out = timed([args.wine, args.bench, kind, url, target], env)
        else:
            wall, rss, rc, out = timed([args.bench, kind, url, dest])
        # The downloader's own figures: its clock starts at Start, its peak is its process's.
        fields = dict(item.split("=", 1) for item in out.split() if "=" in item)
        if "wall_s" in fields:
            wall = float(fields["wall_s"])
            rss = int(fields["peak_rss_kib"]) or rss
    ok = rc == 0 and os.path.exists(dest) and file_md5(dest) == args.digest
    if os.path.exists(dest):
        os.remove(dest)
    digest_s = float(fields["md5_s"]) if tool in ("single", "multi") and "md5_s" in fields else 0.0
    return wall, rss, ok, digest_s


def ratio_line(text, results, num, den, bound):
    """One ratio the targets name, from the medians and from the best runs."""
    if num not in results or den not in results:
        return
    med = statistics.median(w for w, _, _ in results[num]) / statistics.median(w for w, _, _ in results[den])
    best = min(w for w, _, _ in results[num]) / min(w for w, _, _ in results[den])
    print("  %-44s x%.2f (best runs x%.2f)   target at most x%.2f" % (text, med, best, bound))


def print_targets(results, setups, tools):
    (free, _), (capped, _) = setups
    print()
    print("ratios the targets name (medians; figures only, nothing is asserted)")
    ratio_line("single stream / curl, no limit", results, (free, "single"), (free, "curl"), 1.10)
    ratio_line("single stream / curl, capped", results, (capped, "single"), (capped, "curl"), 1.10)
    ratio_line("multi-part / single stream, capped", results, (capped, "multi"), (capped, "single"), 0.60)
    ratio_line("multi-part / aria2c, capped", results, (capped, "multi"), (capped, "aria2c"), 1.10)
    for t in ("single", "multi"):
        if t in tools:
            peak = max(r for label, _ in setups for _, r, _ in results[(label, t)])
            print("  %-44s %.1f MiB   target under 32 MiB" % ("peak resident memory, " + t, peak / 1024.0))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--bench", required=True)
    ap.add_argument("--wine")
    ap.add_argument("--wine-prefix")
    ap.add_argument("--size-mib", type=int, default=256)
    ap.add_argument("--cap-mib", type=int, default=20)
    ap.add_argument("--rounds", type=int, default=2)
    ap.add_argument("--tools", default="curl,single,multi,aria2c")
    args = ap.parse_args()
    tools = args.tools.split(",")

    work = tempfile.mkdtemp(prefix="download-bench-")
    root = os.path.join(work, "root")
    os.makedirs(root)
    servers = []
    try:
        path, args.digest = make_package(root, args.size_mib << 20)
        free, free_port = start_server(work, "free", root, 0)
        capped, capped_port = start_server(work, "capped", root, args.cap_mib << 20)
        servers = [free, capped]
        setups = [("no limit", free_port), ("%d MiB/s per connection" % args.cap_mib, capped_port)]
        results = {}
        for _ in range(args.rounds):
            for label, port in setups:
                for tool in tools:
                    url = "http://127.0.0.1:%d%s" % (port, path)
                    wall, rss, ok, digest_s = run_tool(tool, url, work, args)
                    results.setdefault((label, tool), []).append((wall, rss, ok))
                    extra = "  (one digest of the file: %.2f s)" % digest_s if digest_s else ""
                    print("%-26s %-7s wall %7.2f s  %8.1f MiB/s  peak %7.1f MiB  %s%s" % (
                        label, tool, wall, args.size_mib / wall, rss / 1024.0, "ok" if ok else "FAILED", extra),
                        flush=True)
        print()
        print("medians over %d rounds, %d MiB package%s" % (args.rounds, args.size_mib,
                                                           ", downloaders under wine" if args.wine else ""))
        for label, _ in setups:
            med = {t: statistics.median(w for w, _, _ in results[(label, t)]) for t in tools}
            rss = {t: max(r for _, r, _ in results[(label, t)]) for t in tools}
            for t in tools:
                line = "%-26s %-7s wall %7.2f s  %8.1f MiB/s  peak %7.1f MiB" % (
                    label, t, med[t], args.size_mib / med[t], rss[t] / 1024.0)
                if "curl" in med:
                    line += "  x%.2f of curl" % (med[t] / med["curl"])
                if "aria2c" in med:
                    line += "  x%.2f of aria2c" % (med[t] / med["aria2c"])
                if t == "multi" and "single" in med:
                    line += "  x%.2f of single" % (med[t] / med["single"])
                print(line)
        print_targets(results, setups, tools)
    finally:
        for proc in servers:
            proc.send_signal(signal.SIGTERM)
            proc.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
