#!/usr/bin/env python3
"""The Windows zip, unpacked into a fresh folder and run under Wine with the end-to-end harness
of velto.exe: what the zip holds, the starter settings it brings, and a first search."""
import argparse
import os
import subprocess
import sys
import urllib.parse
import zipfile

sys.dont_write_bytecode = True  # nothing left in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "win32_frontend"))
from velto_end_to_end import Failure, Harness  # noqa: E402


def unpack(h, zip_path, contents):
    with zipfile.ZipFile(zip_path) as z:
        h.check("zip holds the programs, the help page, the settings, licence and read-me",
                sorted(z.namelist()), sorted(contents))
        folder = os.path.join(h.root, "unpacked here")  # a blank in the path, as in "Program Files"
        z.extractall(folder)
    return folder


def run(h, folder, help_page):
    with open(help_page, "rb") as f:
        h.check("help page as written", h.read(folder, "Help.html"), f.read())

    # The bundled tool reads the bundled settings.
    tool = h.wine(os.path.join(folder, "velto-config.exe"), "get", "SearchData", "SearchName(1)")
    h.check("velto-config.exe reads the starter settings",
            (tool.returncode, tool.stdout.decode("utf-8", "replace").strip()), (0, "Yahoo! JAPAN"))

    query = "東京 タワー"
    seen = h.drive(folder, "start:", "dump", "type:" + query, "key:13", "dump", "close", "wait-exit")
    h.check("four labelled buttons", [line for line in seen if line.startswith("buttons=")][:1],
            ["buttons=Google|Yahoo! JAPAN|Wikipedia|YouTube|クリア|その他"])
    h.check("query kept in the history", [line for line in seen if line.startswith("history=")][-1:],
            [f"history=1|{query}"])
    h.check("closed", seen[-1], "exit=0")
    h.check("search reached the browser", h.addresses(1),
            ["https://www.google.com/search?q=" + urllib.parse.quote(query, safe="")])
    ini = h.read(folder, "velto.ini") or b""
    h.check("history stored beside the program",
            ("SearchHistory(0)=" + query).encode("cp932") in ini, True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zip", required=True)
    parser.add_argument("--contents", nargs="+", required=True)
    parser.add_argument("--help-page", required=True)
    parser.add_argument("--driver", required=True)
    parser.add_argument("--wine", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--keep", action="store_true")
    args = parser.parse_args()
    args.velto = None  # the harness's own copies are not used: the zip brings velto.exe
    h = Harness(args)
    try:
        run(h, unpack(h, args.zip, args.contents), args.help_page)
    except (Failure, subprocess.TimeoutExpired, IndexError, ValueError, OSError) as e:
        h.failures.append("zip run")
        print(f"FAIL zip run: {e}")
    finally:
        status = h.finish()
    return status


if __name__ == "__main__":
    sys.exit(main())
