"""Per-path answers of the fixture server (imported by https_server.py).

A served file can be given a rule in a sidecar file next to it: for the path
/config/6.0.json the rule is read from ROOT/config/6.0.json.rule (the file
itself need not exist). A rule is one line:

    [first N] ACTION [ARGS...]

  status CODE        answer CODE with a short text body (404, 500, ...)
  fail               close the connection without an answer
  stall SENT         announce the file's size, send SENT bytes, then stay silent
                     until the client hangs up (at most MAX_STALL_SECONDS)
  corrupt            the file with its first and last byte inverted (same size)
  slow CHUNK MS      the file in CHUNK-byte pieces, MS milliseconds apart
  template           the file with every "@BASE@" replaced by the server's
                     base URL ("https://127.0.0.1:PORT")

With "first N" the rule applies to the first N requests of the path after the
rule file was written, and later requests get the plain file. Rule files
themselves are never served. Requests are counted in requests.log as for
every path.
"""

import os
import time

RULE_SUFFIX = ".rule"


def _rule_file(handler, path):
    root = os.path.realpath(handler.server.root)
    full = os.path.realpath(os.path.join(root, path.lstrip("/")))
    if not full.startswith(root + os.sep):
        return None, None
    return full, full + RULE_SUFFIX


def _read_rule(rule_path):
    try:
        with open(rule_path, encoding="utf-8") as f:
            words = f.read().split()
        info = os.stat(rule_path)
        stamp = (info.st_ino, info.st_mtime_ns, info.st_ctime_ns)
    except (FileNotFoundError, NotADirectoryError):
        return None, None
    return words, stamp


def _applies(handler, path, stamp, words):
    """Strips a "first N" prefix; counts the requests it covered."""
    if len(words) >= 2 and words[0] == "first":
        limit = int(words[1])
        key = (path, stamp)
        with handler.server.log_lock:
            counts = handler.server.fixture_counts
            seen = counts.get(key, 0)
            counts[key] = seen + 1
        return words[2:] if seen < limit else None
    return words


def _file_bytes(full):
    try:
        with open(full, "rb") as f:
            return f.read()
    except (FileNotFoundError, IsADirectoryError, NotADirectoryError):
        return None


def handle(handler, path):
    """Answers `path` when a rule covers it (or it names a rule file); False
    leaves the request to the plain file handler."""
    if path.endswith(RULE_SUFFIX):
        handler._send(404, b"not found\n", content_type="text/plain")
        return True
    full, rule_path = _rule_file(handler, path)
    if not rule_path:
        return False
    words, stamp = _read_rule(rule_path)
    if not words:
        return False
    try:
        action = _applies(handler, path, stamp, words)
        if not action:
            return False
        _answer(handler, full, action[0], action[1:])
    except (IndexError, ValueError):
        handler._send(400, b"bad rule\n", content_type="text/plain")
    return True


def _answer(handler, full, action, args):
    if action == "status":
        code = int(args[0])
        handler._send(code, f"status {code}\n".encode(), content_type="text/plain")
        return
    if action == "fail":
        handler.close_connection = True
        try:
            handler.connection.shutdown(2)
        except OSError:
            pass
        return
    body = _file_bytes(full)
    if body is None:
        handler._send(404, b"not found\n", content_type="text/plain")
        return
    if action == "template":
        handler._send(200, body.replace(b"@BASE@", handler.server.base_url.encode()))
    elif action == "corrupt":
        changed = bytearray(body)
        if changed:
            changed[0] ^= 0xFF
            changed[-1] ^= 0xFF
        handler._send(200, bytes(changed))
    elif action == "stall":
        _send_slowly(handler, body, len(body), 0, stall_after=int(args[0]))
    elif action == "slow":
        _send_slowly(handler, body, max(int(args[0]), 1), int(args[1]) / 1000.0)
    else:
        handler._send(400, b"unknown rule\n", content_type="text/plain")


def _send_slowly(handler, body, chunk, delay, stall_after=None):
    handler.send_response(200)
    handler.send_header("Content-Type", "application/octet-stream")
    handler.send_header("Content-Length", str(len(body)))
    handler.end_headers()
    sent = 0
    try:
        while sent < len(body):
            if stall_after is not None and sent >= stall_after:
                handler.wfile.flush()
                handler._wait_for_hangup()
                return
            end = min(sent + chunk, len(body))
            if stall_after is not None:
                end = min(end, stall_after)
            handler.wfile.write(body[sent:end])
            handler.wfile.flush()
            sent = end
            if delay and sent < len(body):
                time.sleep(delay)
    except OSError:
        pass
    handler.close_connection = True
