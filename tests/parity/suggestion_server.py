#!/usr/bin/env python3
"""A suggestion server on 127.0.0.1 for the parity runners: answers each request path as its
table says (status, body, delay, padding), writes every requested path to a log, and ends when
its standard input closes.

An answer's "framing" says how its body is sent: "length" (the default: a Content-Length
header), "chunked" (chunked transfer coding, no declared size) or "close" (no declared size,
the body runs until the connection closes); "gzip": true sends it compressed; "keep_alive":
true keeps the connection open for the next request (else every answer closes it);
"version": "1.0" answers with an HTTP/1.0 status line. The padding is
sent in pieces as it is written, so a body of hundreds of megabytes never sits in memory."""
import argparse
import json
import os
import sys
import threading
import time
import zlib

PIECE = 64 * 1024


def body_pieces(answer):
    """The answer's body in pieces: its text, then its padding of blanks."""
    yield answer.get("body", "").encode("utf-8")
    pad = answer.get("pad", 0)
    blanks = b" " * PIECE
    while pad > 0:
        yield blanks[:min(pad, PIECE)]
        pad -= PIECE


def gzipped(pieces):
    packer = zlib.compressobj(9, zlib.DEFLATED, 31)
    for piece in pieces:
        packed = packer.compress(piece)
        if packed:
            yield packed
    yield packer.flush()
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--answers", required=True, help="JSON file: {path: answer}")
    parser.add_argument("--log", required=True, help="one requested path per line")
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--sent", help="one line per answer: its path and the body bytes sent")
    args = parser.parse_args()
    with open(args.answers, encoding="utf-8") as f:
        answers = json.load(f)
    lock = threading.Lock()

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def do_GET(self):
            with lock, open(args.log, "a", encoding="utf-8") as log:
                log.write(self.path + "\n")
            answer = answers.get(self.path, {"status": 404})
            time.sleep(answer.get("delay_ms", 0) / 1000)
            framing = answer.get("framing", "length")
            pieces = body_pieces(answer)
            if answer.get("gzip"):
                pieces = gzipped(pieces)
            if framing == "length":
                pieces = [b"".join(pieces)]
            sent = 0
            # "version": "1.0" answers as an HTTP/1.0 server does (as Python's own does).
            self.protocol_version = "HTTP/" + answer.get("version", "1.1")
            try:
                self.send_response(answer.get("status", 200))
                if "location" in answer:
                    self.send_header("Location", answer["location"])
                self.send_header("Content-Type", "application/x-suggestions+json; charset=utf-8")
                if answer.get("gzip"):
                    self.send_header("Content-Encoding", "gzip")
                if framing == "length":
                    self.send_header("Content-Length", str(len(pieces[0])))
                elif framing == "chunked":
                    self.send_header("Transfer-Encoding", "chunked")
                keep = answer.get("keep_alive") and framing != "close"
                if not keep:
                    self.send_header("Connection", "close")
                self.end_headers()
                for piece in pieces:
                    if not piece:
                        continue
                    sent += len(piece)
                    if framing == "chunked":
                        self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
                    else:
                        self.wfile.write(piece)
                if framing == "chunked":
                    self.wfile.write(b"0\r\n\r\n")
                self.wfile.flush()
            except OSError:
                pass  # the client gave up: a cancelled request or one too long for it
            if args.sent:
                with lock, open(args.sent, "a", encoding="utf-8") as log:
                    log.write(f"{self.path} {sent}\n")
            # Until-close bodies end only when the connection does; others close after the
            # answer too, unless the table keeps the connection for the client's next request.
            self.close_connection = not answer.get("keep_alive") or framing == "close"

        def log_message(self, *_):
            pass

    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    temporary = args.port_file + ".part"
    with open(temporary, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(temporary, args.port_file)
    sys.stdin.read()
    server.shutdown()


if __name__ == "__main__":
    main()
