#!/usr/bin/env python3
"""Fills a fixture server folder with what one launcher version fetches.

  make_fixture.py --root DIR --version V [--decoders N] [--decoder-bytes B]
                  [--published P --patcher FILE [--flag F] [--notes TEXT]]

Writes, below DIR (the folder https_server.py serves):
  config/V.json        the configuration; its URLs name the server it is served
                       from (rule "template", see fixture_routes.py):
                       url_codecs = BASE/codecs/V/, url_update = BASE/update/V/latest
  config/V.manifest    N decoder files "codecs\\decNN.dll" with their MD5 and size
  codecs/V/decNN.bin   the decoder files: B bytes each, generated (the same
                       bytes for the same name on every run)
and with --published:
  update/V/latest      the update description (flag, size, version P, md5)
  update/V/latestP.exe the patcher (a copy of FILE, e.g. tools/outside patch.exe)
  config/P.log         the update notes (--notes, lines separated by "|")

Point the launcher at it with VCAM_CONFIG_SERVER=https://127.0.0.1:PORT/config/.
"""

import argparse
import hashlib
import json
import os
import random
import shutil


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def decoder_bytes(name, size):
    rng = random.Random(f"{name}:{size}")
    return rng.randbytes(size)


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--root", required=True)
    p.add_argument("--version", required=True)
    p.add_argument("--decoders", type=int, default=3)
    p.add_argument("--decoder-bytes", type=int, default=100_000)
    p.add_argument("--published")
    p.add_argument("--patcher")
    p.add_argument("--flag", type=int, default=0)
    p.add_argument("--notes", default="")
    a = p.parse_args()
    root, v = os.path.abspath(a.root), a.version

    config = {"url_news": "https://news.test/", "url_effect": "https://effect.test/",
              "url_effect_download": "https://effect.test/download/", "exclude": "",
              "url_codecs": f"@BASE@/codecs/{v}/", "url_update": f"@BASE@/update/{v}/latest"}
    write(os.path.join(root, "config", v + ".json"), json.dumps(config, indent=1).encode())
    write(os.path.join(root, "config", v + ".json.rule"), b"template\n")

    manifest = []
    for i in range(a.decoders):
        name = f"dec{i:02d}"
        path = os.path.join(root, "codecs", v, name + ".bin")
        if os.path.exists(path) and os.path.getsize(path) == a.decoder_bytes:
            with open(path, "rb") as f:
                body = f.read()
        else:
            body = decoder_bytes(name, a.decoder_bytes)
            write(path, body)
        manifest.append({"name": f"codecs\\{name}.dll", "file": name + ".bin",
                         "md5": hashlib.md5(body).hexdigest(), "size": len(body)})
    write(os.path.join(root, "config", v + ".manifest"), json.dumps(manifest, indent=1).encode())

    if a.published:
        if not a.patcher:
            p.error("--published needs --patcher")
        with open(a.patcher, "rb") as f:
            patcher = f.read()
        os.makedirs(os.path.join(root, "update", v), exist_ok=True)
        shutil.copyfile(a.patcher, os.path.join(root, "update", v, f"latest{a.published}.exe"))
        description = {"flag": a.flag, "size": len(patcher), "version": a.published,
                       "md5": hashlib.md5(patcher).hexdigest()}
        write(os.path.join(root, "update", v, "latest"), json.dumps(description).encode())
        notes = "\r\n".join(a.notes.split("|")) if a.notes else ""
        if notes:
            write(os.path.join(root, "config", a.published + ".log"), notes.encode("utf-8"))
    print(f"make_fixture: version {v} with {a.decoders} decoder files of {a.decoder_bytes} bytes in {root}")
    return 0


if __name__ == "__main__":
    raise SystemExit(main())
