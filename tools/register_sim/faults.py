"""Misbehaviour on the wire, as the service shows it under load."""

from __future__ import annotations

import random
import socket
import struct
import time
from typing import List, Tuple

from register_sim import pages
from register_sim.sim_state import Fault

# Faults that answer instead of the service; the others change a normal reply.
REPLACING = {"reset", "http500", "http403", "garbage", "busy", "challenge", "html-captcha"}
UNANSWERED = {"reset", "garbage"}  # no HTTP status ever goes out


def before_reply(fault: Fault) -> None:
    if fault.kind == "delay":
        time.sleep(max(0.0, min(fault.seconds, 600.0)))


def oversized_headers(size: int) -> List[Tuple[str, str]]:
    """Load-balancer and tracking cookies plus debug lines, `size` bytes or a little more."""
    out: List[Tuple[str, str]] = []
    total, i = 0, 0
    while total < size:
        if i % 2 == 0:
            name, value = "Set-Cookie", f"BIGipServerpool_zxgk_{i}={'7' * 150}; Path=/; HttpOnly"
        else:
            name, value = "X-Cache-Debug", f"node-{i};" + "x" * 170
        out.append((name, value))
        total += len(name) + len(value) + 4
        i += 1
    return out


def replace_reply(handler, fault: Fault) -> bool:
    """Answers (or fails to answer) in place of the service. Returns whether the
    connection may be reused."""
    kind = fault.kind
    if kind == "reset":
        # Linger 0 makes close() send RST instead of FIN.
        handler.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        handler.connection.close()
        return False
    if kind == "garbage":
        noise = bytes(random.Random(len(fault.path) + fault.count).getrandbits(8) for _ in range(512))
        handler.wfile.write(b"\x17\x03\x03\x01\xff" + noise)
        return False
    if kind in ("http500", "http403"):
        status = 500 if kind == "http500" else 403
        reason = "Internal Server Error" if status == 500 else "Forbidden"
        handler.send_body(status, pages.error_page(status, reason).encode("utf-8"), "text/html;charset=UTF-8")
        return True
    page = {"busy": pages.busy_page, "challenge": pages.challenge_page,
            "html-captcha": pages.picture_placeholder_page}[kind]()
    handler.send_body(200, page.encode("utf-8"), "text/html;charset=UTF-8")
    return True
