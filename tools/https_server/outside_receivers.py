"""Receivers of the product's outside programs, served by https_server.py.

  POST /UploadFiles.php   the crash uploader's multipart form: fields
                          "current_version" and "latest_version" and one file
                          part "file". A part whose bytes start with the
                          minidump signature "MDMP" and whose name ends in
                          ".dmp" is stored as STATE/uploads/<n>_<name> and
                          answered 200; anything else is answered 400 and not
                          stored. Each accepted upload adds a line to
                          STATE/uploads.log: NAME TAB SIZE TAB CURRENT TAB LATEST.
  GET  /VCamCount.php     the counter: query "event" and "time" (seconds since
                          1970, UTC). Each valid request adds EVENT TAB TIME to
                          STATE/counts.log and is answered 200; others 400.
"""

import email.parser
import email.policy
import os
import re
import urllib.parse

UPLOAD_PATH = "/UploadFiles.php"
COUNT_PATH = "/VCamCount.php"
_SAFE_NAME = re.compile(r"[^A-Za-z0-9._-]")


def _state(handler):
    return os.path.dirname(handler.server.request_log)


def _multipart_parts(handler, body):
    content_type = handler.headers.get("Content-Type", "")
    if not content_type.startswith("multipart/form-data"):
        return None
    message = email.parser.BytesParser(policy=email.policy.HTTP).parsebytes(
        b"Content-Type: " + content_type.encode("latin-1") + b"\r\n\r\n" + body)
    if not message.is_multipart():
        return None
    parts = {}
    for part in message.iter_parts():
        name = part.get_param("name", header="content-disposition")
        if name:
            parts[name] = (part.get_filename(), part.get_payload(decode=True) or b"")
    return parts


def _upload(handler, body):
    parts = _multipart_parts(handler, body)
    current = parts and parts.get("current_version", (None, b""))[1].decode("utf-8", "replace")
    latest = parts and parts.get("latest_version", (None, b""))[1].decode("utf-8", "replace")
    filename, data = (parts or {}).get("file", (None, b""))
    if (not parts or not current or not latest or not filename
            or not filename.lower().endswith(".dmp") or not data.startswith(b"MDMP")):
        handler._send(400, b"refused\n", content_type="text/plain")
        return
    folder = os.path.join(_state(handler), "uploads")
    with handler.server.log_lock:
        os.makedirs(folder, exist_ok=True)
        stored = f"{len(os.listdir(folder)) + 1}_{_SAFE_NAME.sub('_', os.path.basename(filename))}"
        with open(os.path.join(folder, stored), "wb") as f:
            f.write(data)
        with open(os.path.join(_state(handler), "uploads.log"), "a", encoding="utf-8") as f:
            f.write(f"{filename}\t{len(data)}\t{current}\t{latest}\n")
    handler._send(200, b"OK\n", content_type="text/plain")


def _count(handler, query):
    fields = urllib.parse.parse_qs(query)
    event = fields.get("event", [""])[0]
    stamp = fields.get("time", [""])[0]
    if not re.fullmatch(r"[a-z]{1,32}", event) or not stamp.isdigit():
        handler._send(400, b"refused\n", content_type="text/plain")
        return
    with handler.server.log_lock:
        with open(os.path.join(_state(handler), "counts.log"), "a", encoding="utf-8") as f:
            f.write(f"{event}\t{stamp}\n")
    handler._send(200, b"OK\n", content_type="text/plain")


def handle(handler, path, query, body):
    """Answers the request and returns True when `path` is one of ours."""
    if path == UPLOAD_PATH and handler.command == "POST":
        _upload(handler, body)
        return True
    if path == COUNT_PATH and handler.command == "GET":
        _count(handler, query)
        return True
    return False
