"""Test control under /__sim/, a prefix the real service never uses.

Every endpoint takes its parameters from the query string or a form body and
answers JSON (UTF-8). See README.md for the list.
"""

from __future__ import annotations

from dataclasses import asdict
from typing import Dict, Tuple

from register_sim import register_data, search
from register_sim.captcha import valid_fixed_code
from register_sim.sim_state import FAULT_KINDS, Fault, SimState

PREFIX = "/__sim/"

FIXTURES = {
    register_data.FIXTURE_TWO_CHAR: "2 persons with a two-character name (their name cell is under 26 GBK bytes)",
    register_data.FIXTURE_MANY: "23 persons with three-character names: pages of 10, 10 and 3",
    register_data.FIXTURE_DUPLICATE_CASE: "3 rows; rows 1 and 3 share one case number, with different ids",
    register_data.FIXTURE_EMPTY_DATE: "4 rows; the last row's date cell is empty",
    register_data.FIXTURE_ORGANISATION: "2 organisations; the first one's duty holds an ASCII double quote",
    register_data.FIXTURE_NO_RESULT: "no result (共0条)",
}


class BadRequest(Exception):
    pass


def _flag(text: str) -> bool:
    if text.lower() in ("1", "true", "yes", "on"):
        return True
    if text.lower() in ("0", "false", "no", "off", ""):
        return False
    raise BadRequest(f"not a switch value: {text!r}")


def _number(text: str, kind=float):
    try:
        return kind(text)
    except ValueError:
        raise BadRequest(f"not a number: {text!r}") from None


def _config(state: SimState, p: Dict[str, str]) -> dict:
    with state.lock:
        c = state.config
        if "fixed_code" in p:
            if p["fixed_code"] and not valid_fixed_code(p["fixed_code"]):
                raise BadRequest("fixed_code must be 1 to 8 letters or digits")
            c.fixed_code = p["fixed_code"]
        if "expire" in p:
            c.expire = _number(p["expire"])
        if "strict_cookie" in p:
            c.strict_cookie = _flag(p["strict_cookie"])
        if "captcha_format" in p:
            if p["captcha_format"] not in ("png", "jpeg"):
                raise BadRequest("captcha_format is png or jpeg")
            c.captcha_format = p["captcha_format"]
        if "bench_rows" in p:
            rows = _number(p["bench_rows"], int)
            if not 0 <= rows <= 100_000:
                raise BadRequest("bench_rows is 0 to 100000")
            c.bench_rows = rows
        return asdict(c)


def _fault(state: SimState, p: Dict[str, str]) -> dict:
    kind = p.get("kind", "")
    if kind == "none":
        state.clear_faults()
    elif kind:
        if kind not in FAULT_KINDS:
            raise BadRequest(f"unknown fault kind; one of {', '.join(FAULT_KINDS)} or none")
        count = _number(p.get("count", "1"), int)
        if count == 0 or count < -1:
            raise BadRequest("count is a positive number, or -1 for every request")
        page = _number(p.get("page", "0"), int)
        if page < 0:
            raise BadRequest("page is a result page number, or 0 for any request")
        state.add_fault(Fault(kind=kind, count=count, path=p.get("path", ""),
                              seconds=_number(p.get("seconds", "1")), size=_number(p.get("size", "8192"), int),
                              page=page))
    with state.lock:
        return {"faults": [asdict(f) for f in state.faults]}


def _expect(state: SimState, p: Dict[str, str]) -> dict:
    query = search.Query.from_form(p)
    with state.lock:
        bench_rows = state.config.bench_rows
    if bench_rows and query.name:
        return search.bench(state.register, query, bench_rows).as_json()
    return search.run(state.register, query).as_json()


def handle(state: SimState, path: str, p: Dict[str, str]) -> Tuple[int, object]:
    """Status and JSON body for one control request."""
    name = path[len(PREFIX):].strip("/")
    try:
        if name == "status":
            with state.lock:
                return 200, {"seed": state.register.seed, "records": len(state.register.records),
                             "config": asdict(state.config), "faults": [asdict(f) for f in state.faults],
                             "captchas": len(state.captchas), "sessions": len(state.sessions),
                             "logSize": len(state.log)}
        if name == "config":
            return 200, _config(state, p)
        if name == "fault":
            return 200, _fault(state, p)
        if name == "log":
            return 200, state.log_json(_number(p.get("since", "0"), int))
        if name == "log/clear":
            state.clear_log()
            return 200, {"cleared": True}
        if name == "captcha":
            found = state.lookup_captcha(p.get("captchaId", ""))
            return (200, found) if found else (404, {"error": "no captcha for this identifier"})
        if name == "clock":
            state.advance(_number(p.get("advance", "0")))
            return 200, {"offset": state.clock_offset}
        if name == "expect":
            return 200, _expect(state, p)
        if name == "record":
            rid = p.get("id", "")
            record = state.register.find(int(rid)) if rid.isdigit() else None
            return (200, record.detail()) if record else (404, {"error": "no such record"})
        if name == "fixtures":
            return 200, FIXTURES
        if name == "reset":
            state.reset()
            return 200, {"reset": True}
    except BadRequest as e:
        return 400, {"error": str(e)}
    return 404, {"error": "unknown control endpoint"}
