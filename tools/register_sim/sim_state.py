"""Everything the simulator remembers between requests, behind one lock."""

from __future__ import annotations

import json
import random
import secrets
import threading
import time
from dataclasses import asdict, dataclass, field
from typing import Dict, List, Optional, TextIO

from register_sim.captcha import new_code
from register_sim.register_data import Register

FAULT_KINDS = ("delay", "reset", "http500", "http403", "garbage", "oversized-headers",
               "busy", "challenge", "html-captcha", "truncate")


@dataclass
class Config:
    fixed_code: str = ""
    expire: float = 300.0
    strict_cookie: bool = False
    captcha_format: str = "png"
    bench_rows: int = 0


@dataclass
class Fault:
    kind: str
    count: int = 1          # requests left to hit; -1 hits every request until cleared
    path: str = ""          # only requests to this path; empty = every service request
    seconds: float = 1.0    # for delay
    size: int = 8192        # bytes of extra header lines, for oversized-headers
    page: int = 0           # only searches for this result page (currentPage); 0 = any request


@dataclass
class Captcha:
    code: str
    issued: float


@dataclass
class LogEntry:
    seq: int
    method: str
    path: str
    version: str
    headers: List[List[str]]
    body: str
    body_hex: str
    form: List[List[str]]
    cookie: str
    jsessionid: str
    status: int = 0
    fault: str = ""
    time: float = field(default_factory=time.time)


class SimState:
    def __init__(self, register: Register, config: Config, seed: int = 1,
                 log_file: Optional[TextIO] = None) -> None:
        self.register = register
        self.defaults = Config(**asdict(config))
        self.config = config
        self.lock = threading.Lock()
        self.captchas: Dict[str, Captcha] = {}
        self.sessions: set = set()
        self.faults: List[Fault] = []
        self.log: List[LogEntry] = []
        self.clock_offset = 0.0
        self.log_file = log_file
        self._rng = random.Random(seed)
        self._seq = 0

    # ------------------------------------------------------------ time

    def now(self) -> float:
        """Monotonic time that tests can move forward, so expiry needs no sleeping."""
        return time.monotonic() + self.clock_offset

    def advance(self, seconds: float) -> None:
        with self.lock:
            self.clock_offset += seconds

    # ------------------------------------------------------------ captcha

    def issue_captcha(self, captcha_id: str) -> str:
        """A new picture for an identifier replaces its previous code."""
        with self.lock:
            code = self.config.fixed_code or new_code(self._rng)
            self.captchas[captcha_id] = Captcha(code, self.now())
            return code

    def picture_rng(self) -> random.Random:
        with self.lock:
            return random.Random(self._rng.getrandbits(64))

    def code_accepted(self, captcha_id: str, code: str) -> bool:
        with self.lock:
            c = self.captchas.get(captcha_id)
            if c is None or not code:
                return False
            if self.now() - c.issued > self.config.expire:
                return False
            return c.code.lower() == code.strip().lower()

    def lookup_captcha(self, captcha_id: str) -> Optional[dict]:
        with self.lock:
            c = self.captchas.get(captcha_id)
            if c is None:
                return None
            left = self.config.expire - (self.now() - c.issued)
            return {"captchaId": captcha_id, "code": c.code, "expiresIn": round(left, 3), "expired": left < 0}

    # ------------------------------------------------------------ sessions

    def session_for(self, presented: str) -> str:
        """Keeps a session the client already holds; otherwise opens a new one."""
        with self.lock:
            if presented in self.sessions:
                return presented
            sid = secrets.token_hex(16).upper()
            self.sessions.add(sid)
            return sid

    def cookie_accepted(self, presented: str) -> bool:
        with self.lock:
            return not self.config.strict_cookie or presented in self.sessions

    # ------------------------------------------------------------ faults

    def add_fault(self, fault: Fault) -> None:
        with self.lock:
            self.faults.append(fault)

    def clear_faults(self) -> None:
        with self.lock:
            self.faults.clear()

    def take_fault(self, path: str, page: int = 0) -> Optional[Fault]:
        """The first queued fault that applies to this path (and result page, for a search
        asking for one), counted down by one request."""
        with self.lock:
            for f in self.faults:
                if f.path and f.path != path:
                    continue
                if f.page and f.page != page:
                    continue
                if f.kind == "html-captcha" and not f.path and path != "/captchaNew.do":
                    continue
                if f.count > 0:
                    f.count -= 1
                    if f.count == 0:
                        self.faults.remove(f)
                return f
            return None

    # ------------------------------------------------------------ request log

    def record(self, entry_fields: dict) -> LogEntry:
        with self.lock:
            self._seq += 1
            entry = LogEntry(seq=self._seq, **entry_fields)
            self.log.append(entry)
            return entry

    def finish(self, entry: LogEntry, status: int, fault: str = "") -> None:
        with self.lock:
            entry.status, entry.fault = status, fault
            if self.log_file is not None:
                self.log_file.write(json.dumps(asdict(entry), ensure_ascii=False) + "\n")
                self.log_file.flush()

    def log_json(self, since: int = 0) -> List[dict]:
        with self.lock:
            return [asdict(e) for e in self.log if e.seq > since]

    def clear_log(self) -> None:
        with self.lock:
            self.log.clear()

    # ------------------------------------------------------------ reset

    def reset(self) -> None:
        """Back to the start-up switches: no faults, no codes, no sessions, empty log."""
        with self.lock:
            self.config = Config(**asdict(self.defaults))
            self.captchas.clear()
            self.sessions.clear()
            self.faults.clear()
            self.log.clear()
            self.clock_offset = 0.0
