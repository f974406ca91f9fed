#!/usr/bin/env python3
"""The Windows zip as a user unpacks it: exactly the files the build lists, names Windows shows
as written (UTF-8 flagged), the licence of the repository, and a read-me that Notepad opens as
UTF-8 (byte-order mark, CRLF lines) and that says how to start, where settings live, how to
upgrade and how to uninstall. A newer zip unpacked over a folder in use leaves the user's
settings and log alone.
    check_zip.py ZIP LICENSE FILE..."""
import os
import sys
import tempfile
import zipfile

README = "はじめにお読みください.txt"


def main():
    zip_path, licence, expected = sys.argv[1], sys.argv[2], sys.argv[3:]
    failures = []

    def check(name, ok):
        print(("ok   " if ok else "FAIL ") + name)
        if not ok:
            failures.append(name)

    with zipfile.ZipFile(zip_path) as z:
        infos = z.infolist()
        names = [i.filename for i in infos]
        check(f"zip holds {', '.join(sorted(expected))}", sorted(names) == sorted(expected))
        check("non-ASCII names are marked UTF-8",
              all(i.flag_bits & 0x800 for i in infos if not i.filename.isascii()))
        check("no folders or paths inside", all("/" not in n for n in names))
        with open(licence, "rb") as f:
            check("LICENSE is the repository's", "LICENSE" in names and z.read("LICENSE") == f.read())
        readme = z.read(README) if README in names else b""
        with tempfile.TemporaryDirectory() as folder:
            mine = {"velto.ini": b"[History]\r\nSearchHistory(0)=mine\r\n", "log.txt": b"mine\r\n"}
            for name, data in mine.items():
                with open(os.path.join(folder, name), "wb") as f:
                    f.write(data)
            z.extractall(folder)
            kept = {}
            for name in mine:
                with open(os.path.join(folder, name), "rb") as f:
                    kept[name] = f.read()
            check("unpacked over a folder in use, velto.ini and log.txt stay as they were",
                  kept == mine)
    check("read-me begins with a UTF-8 byte-order mark", readme.startswith(b"\xef\xbb\xbf"))
    lines = readme.split(b"\n")
    check("read-me lines end in CRLF", len(lines) > 3 and all(l.endswith(b"\r") for l in lines[:-1])
          and lines[-1] == b"")
    text = readme.decode("utf-8-sig", "replace")
    for word in ("velto.exe", "velto.ini", "velto.starter.ini", "上書き", "削除"):
        check(f"read-me mentions {word}", word in text)
    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
