"""Local stand-in for the court register service.

    python3 tools/register_sim/server.py [--port N] [--fixed-code CODE] [--expire SECONDS]
        [--strict-cookie] [--captcha-format png|jpeg] [--log FILE] [--seed N] [--verbose]

Prints "listening on 127.0.0.1:PORT" as its first line, then serves until killed.
"""

from __future__ import annotations

import argparse
import json
import os
import sys
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from typing import Dict, List, Optional, Tuple
from urllib.parse import unquote_to_bytes, urlsplit

if __package__ in (None, ""):
    # Run as a script: make the package importable from its parent folder.
    sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

from register_sim import captcha, control, faults, pages, search  # noqa: E402
from register_sim.register_data import Register  # noqa: E402
from register_sim.sim_state import Config, Fault, SimState  # noqa: E402

MAX_BODY = 1 << 20


def decode_pairs(data: bytes) -> List[Tuple[str, str]]:
    """Form or query pairs, percent-decoded as UTF-8 ('+' is a space). Undecodable bytes
    become U+FFFD, so a wrongly encoded name simply finds nothing."""
    out: List[Tuple[str, str]] = []
    for part in data.split(b"&"):
        if not part:
            continue
        key, _, value = part.partition(b"=")
        out.append((unquote_to_bytes(key.replace(b"+", b" ")).decode("utf-8", "replace"),
                    unquote_to_bytes(value.replace(b"+", b" ")).decode("utf-8", "replace")))
    return out


def first_values(pairs: List[Tuple[str, str]]) -> Dict[str, str]:
    out: Dict[str, str] = {}
    for k, v in pairs:
        out.setdefault(k, v)
    return out


def cookie_value(cookie_header: str, name: str) -> str:
    for part in cookie_header.split(";"):
        k, _, v = part.strip().partition("=")
        if k.strip() == name:
            return v.strip()
    return ""


class _LineRecorder:
    """Wraps the request stream while the header block is parsed, keeping its raw lines."""

    def __init__(self, inner) -> None:
        self.inner = inner
        self.lines: List[bytes] = []

    def readline(self, *args) -> bytes:
        line = self.inner.readline(*args)
        self.lines.append(line)
        return line

    def __getattr__(self, name):
        return getattr(self.inner, name)


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "Apache-Coyote/1.1"
    sys_version = ""
    timeout = 120  # idle keep-alive connections end after this

    @property
    def state(self) -> SimState:
        return self.server.state  # type: ignore[attr-defined]

    # ------------------------------------------------------------ reading

    def parse_request(self) -> bool:
        recorder = _LineRecorder(self.rfile)
        self.rfile = recorder
        try:
            return super().parse_request()
        finally:
            self.rfile = recorder.inner
            self.raw_header_lines = [l for l in recorder.lines if l not in (b"\r\n", b"\n", b"")]

    def header_pairs(self) -> List[List[str]]:
        out = []
        for raw in getattr(self, "raw_header_lines", []):
            text = raw.decode("latin-1").rstrip("\r\n")
            name, _, value = text.partition(":")
            out.append([name, value.strip(" \t")])
        return out

    def read_body(self) -> bytes:
        if "chunked" in self.headers.get("Transfer-Encoding", "").lower():
            body = bytearray()
            while True:
                size = int(self.rfile.readline().split(b";")[0].strip() or b"0", 16)
                if size == 0:
                    while self.rfile.readline() not in (b"\r\n", b"\n", b""):
                        pass
                    return bytes(body)
                body += self.rfile.read(size)
                self.rfile.readline()
                if len(body) > MAX_BODY:
                    raise ValueError("body too large")
        length = int(self.headers.get("Content-Length", "0") or 0)
        if length < 0 or length > MAX_BODY:
            raise ValueError("bad Content-Length")
        return self.rfile.read(length) if length else b""

    # ------------------------------------------------------------ writing

    def send_response(self, code: int, message: Optional[str] = None) -> None:
        # The log line is complete before the reply leaves, so whoever saw a reply sees its entry.
        pending = getattr(self, "pending_entry", None)
        if pending is not None:
            self.pending_entry = None
            self.state.finish(pending[0], code, pending[1])
        super().send_response(code, message)

    def finish_unanswered(self) -> None:
        entry, kind = self.pending_entry
        self.pending_entry = None
        self.state.finish(entry, 0, kind)

    def send_body(self, status: int, body: bytes, content_type: str,
                  extra: Optional[List[Tuple[str, str]]] = None, truncate: bool = False) -> None:
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in extra or []:
            self.send_header(name, value)
        if truncate:
            self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body[:len(body) // 2] if truncate else body)

    def version_string(self) -> str:
        return self.server_version

    def log_message(self, fmt: str, *args) -> None:
        if self.server.verbose:  # type: ignore[attr-defined]
            super().log_message(fmt, *args)

    # ------------------------------------------------------------ dispatch

    def do_GET(self) -> None:
        self.dispatch()

    def do_POST(self) -> None:
        self.dispatch()

    def dispatch(self) -> None:
        split = urlsplit(self.path)
        path = split.path
        try:
            body = self.read_body()
        except ValueError:
            self.send_body(400, pages.error_page(400, "Bad Request").encode(), "text/html;charset=UTF-8")
            self.close_connection = True
            return
        query = decode_pairs(split.query.encode("latin-1"))
        form = decode_pairs(body) if self.command == "POST" else []
        if path.startswith(control.PREFIX):
            params = first_values(query + form)
            status, payload = control.handle(self.state, path, params)
            self.send_body(status, json.dumps(payload, ensure_ascii=False, separators=(",", ":")).encode("utf-8"),
                           "application/json;charset=UTF-8")
            return

        cookie = "; ".join(v for k, v in self.headers.items() if k.lower() == "cookie")
        entry = self.state.record(dict(
            method=self.command, path=self.path, version=self.request_version,
            headers=self.header_pairs(), body=body.decode("utf-8", "replace"), body_hex=body.hex(),
            form=[list(p) for p in (form or query)], cookie=cookie,
            jsessionid=cookie_value(cookie, "JSESSIONID")))
        # A search asks for a result page (1 when it names none); other requests for none.
        page = search.parse_page(first_values(form + query).get("currentPage", "")) if path == "/findDisNew" else 0
        fault = self.state.take_fault(path, page)
        self.pending_entry = (entry, fault.kind if fault else "")
        try:
            if fault is not None:
                faults.before_reply(fault)
                if fault.kind in faults.REPLACING:
                    if fault.kind in faults.UNANSWERED:
                        self.finish_unanswered()
                    reusable = faults.replace_reply(self, fault)
                    self.close_connection = self.close_connection or not reusable
                    return
            # Like a servlet's parameters: the form first, then the query string.
            self.serve(path, first_values(form + query), entry.jsessionid, fault)
        finally:
            if self.pending_entry is not None:  # nothing was sent (reset, garbage)
                self.finish_unanswered()

    def serve(self, path: str, params: Dict[str, str], jsessionid: str, fault: Optional[Fault]) -> None:
        extra: List[Tuple[str, str]] = []
        if fault is not None and fault.kind == "oversized-headers":
            extra = faults.oversized_headers(fault.size)
        truncate = fault is not None and fault.kind == "truncate"
        html = "text/html;charset=UTF-8"

        if path == "/captchaNew.do" and self.command == "GET":
            captcha_id = params.get("captchaId", "")
            code = self.state.issue_captcha(captcha_id)
            with self.state.lock:
                fmt = self.state.config.captcha_format
            image, content_type = captcha.picture(code, self.state.picture_rng(), fmt)
            sid = self.state.session_for(jsessionid)
            extra = [("Set-Cookie", f"JSESSIONID={sid}; Path=/; HttpOnly"),
                     ("Cache-Control", "no-cache, no-store"), ("Pragma", "no-cache"),
                     ("Expires", "Thu, 01 Jan 1970 00:00:00 GMT")] + extra
            self.send_body(200, image, content_type, extra, truncate)
        elif path == "/findDisNew" and self.command == "POST":
            page = self.search_reply(params, jsessionid)
            self.send_body(200, page.encode("utf-8"), html, extra, truncate)
        elif path == "/disDetailNew" and self.command == "GET":
            doc = self.detail_reply(params, jsessionid)
            self.send_body(200, doc.encode("utf-8"), "application/json;charset=UTF-8", extra, truncate)
        elif path in ("/captchaNew.do", "/findDisNew", "/disDetailNew"):
            self.send_body(405, pages.error_page(405, "Method Not Allowed").encode(), html, extra, truncate)
        else:
            self.send_body(404, pages.error_page(404, "Not Found").encode(), html, extra, truncate)
        if truncate:
            self.close_connection = True

    def search_reply(self, form: Dict[str, str], jsessionid: str) -> str:
        if not (self.state.cookie_accepted(jsessionid)
                and self.state.code_accepted(form.get("captchaId", ""), form.get("pCode", ""))):
            return pages.refused_page()
        query = search.Query.from_form(form)
        with self.state.lock:
            bench_rows = self.state.config.bench_rows
        if bench_rows and query.name:
            return pages.result_page(search.bench(self.state.register, query, bench_rows))
        return pages.result_page(search.run(self.state.register, query))

    def detail_reply(self, query: Dict[str, str], jsessionid: str) -> str:
        if not (self.state.cookie_accepted(jsessionid)
                and self.state.code_accepted(query.get("captchaId", ""), query.get("pCode", ""))):
            return pages.REFUSED_DETAIL
        rid = query.get("id", "").strip()
        record = self.state.register.find(int(rid)) if rid.isdigit() and len(rid) < 12 else None
        return pages.detail_json(record) if record else pages.REFUSED_DETAIL


class SimServer(ThreadingHTTPServer):
    daemon_threads = True

    def __init__(self, port: int, state: SimState, verbose: bool = False) -> None:
        self.state = state
        self.verbose = verbose
        super().__init__(("127.0.0.1", port), Handler)

    def handle_error(self, request, client_address) -> None:
        # A client that hangs up early is ordinary here (faults, timeouts in tests).
        if isinstance(sys.exc_info()[1], OSError) and not self.verbose:
            return
        super().handle_error(request, client_address)


def build_parser() -> argparse.ArgumentParser:
    p = argparse.ArgumentParser(description="Local stand-in for the court register service.")
    p.add_argument("--port", type=int, default=0, help="port on 127.0.0.1; 0 picks a free one")
    p.add_argument("--fixed-code", default="", help="every captcha shows this code")
    p.add_argument("--expire", type=float, default=300.0, help="seconds a captcha code stays valid")
    p.add_argument("--strict-cookie", action="store_true",
                   help="refuse searches and details without the JSESSIONID that was issued")
    p.add_argument("--captcha-format", choices=("png", "jpeg"), default="png")
    p.add_argument("--log", default="", help="append every service request to this file as JSON lines")
    p.add_argument("--seed", type=int, default=1, help="seed of the synthetic register")
    p.add_argument("--verbose", action="store_true", help="log requests and errors to stderr")
    return p


def make_server(args: argparse.Namespace) -> SimServer:
    if args.fixed_code and not captcha.valid_fixed_code(args.fixed_code):
        raise SystemExit("--fixed-code must be 1 to 8 letters or digits")
    log_file = open(args.log, "a", encoding="utf-8") if args.log else None
    config = Config(fixed_code=args.fixed_code, expire=args.expire, strict_cookie=args.strict_cookie,
                    captcha_format=args.captcha_format)
    state = SimState(Register(args.seed), config, seed=args.seed, log_file=log_file)
    return SimServer(args.port, state, args.verbose)


def main(argv: Optional[List[str]] = None) -> None:
    server = make_server(build_parser().parse_args(argv))
    print(f"listening on 127.0.0.1:{server.server_address[1]}", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
