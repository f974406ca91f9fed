#!/usr/bin/env python3
"""A suggestion server on 127.0.0.1 for the parity runners: answers each request path as its
table says (status, body, delay, padding), writes every requested path to a log, and ends when
its standard input closes."""
import argparse
import json
import os
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--answers", required=True, help="JSON file: {path: answer}")
    parser.add_argument("--log", required=True, help="one requested path per line")
    parser.add_argument("--port-file", required=True)
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
            body = (answer.get("body", "") + " " * answer.get("pad", 0)).encode("utf-8")
            try:
                self.send_response(answer.get("status", 200))
                if "location" in answer:
                    self.send_header("Location", answer["location"])
                self.send_header("Content-Type", "application/x-suggestions+json; charset=utf-8")
                self.send_header("Content-Length", str(len(body)))
                self.send_header("Connection", "close")
                self.end_headers()
                self.wfile.write(body)
            except OSError:
                pass  # the client gave up: a cancelled request

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
