"""Tests of the register-service simulator, over HTTP against a server in a subprocess."""

from __future__ import annotations

import http.client
import json
import os
import re
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib
from urllib.parse import quote, urlencode

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
SERVER = os.path.join(REPO, "tools", "register_sim", "server.py")
sys.path.insert(0, os.path.join(REPO, "tools"))

from register_sim import register_data  # noqa: E402
from register_sim.pages import BUSY_TEXT, CHALLENGE_TEXT, REFUSED_TEXT  # noqa: E402

CID = "0123456789abcdef0123456789abcdef"
ROW = '<tr style="height:28px;">'


class Sim:
    """One simulator process on a free port."""

    def __init__(self, *args: str) -> None:
        self.proc = subprocess.Popen([sys.executable, SERVER, "--port", "0", *args],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.first_line = self.proc.stdout.readline().decode()
        m = re.fullmatch(r"listening on 127\.0\.0\.1:(\d+)\n", self.first_line)
        if not m:
            self.stop()
            raise RuntimeError(f"simulator did not start: {self.first_line!r}")
        self.port = int(m.group(1))

    def stop(self) -> None:
        self.proc.kill()
        self.proc.wait()
        self.proc.stdout.close()

    def request(self, method, path, body=None, headers=None, conn=None):
        own = conn is None
        conn = conn or http.client.HTTPConnection("127.0.0.1", self.port, timeout=20)
        try:
            conn.request(method, path, body=body, headers=headers or {})
            resp = conn.getresponse()
            return resp.status, resp.getheaders(), resp.read()
        finally:
            if own:
                conn.close()

    def control(self, name, **params):
        status, _, body = self.request("GET", f"/__sim/{name}?{urlencode(params)}")
        return status, json.loads(body.decode("utf-8"))

    def captcha(self, cid=CID, cookie=""):
        status, headers, body = self.request("GET", f"/captchaNew.do?captchaId={cid}&random=0.42",
                                             headers={"Cookie": cookie} if cookie else {})
        return status, dict(headers), body

    def code(self, cid=CID):
        return self.control("captcha", captchaId=cid)[1]["code"]

    def search(self, name, code, cid=CID, page=None, card="", cookie=""):
        # The form as the client sends it: the name fully %XX-encoded as UTF-8.
        encoded = "".join(f"%{b:02X}" for b in name.encode("utf-8"))
        body = (f"currentPage={page}&" if page else "") + \
            f"pName={encoded}&pCardNum={quote(card)}&pProvince=0&pCode={code}&captchaId={cid}"
        headers = {"Content-Type": "application/x-www-form-urlencoded"}
        if cookie:
            headers["Cookie"] = cookie
        status, _, reply = self.request("POST", "/findDisNew", body.encode(), headers)
        if status != 200:
            raise AssertionError(f"search answered {status}")
        return reply.decode("utf-8")

    def detail(self, rid, code, cid=CID, cookie=""):
        status, _, body = self.request("GET", f"/disDetailNew?id={rid}&pCode={code}&captchaId={cid}",
                                       headers={"Cookie": cookie} if cookie else {})
        return body


# ---------------------------------------------------------------- the client's reading of a page

def trim(value: bytes) -> bytes:
    """Removes ASCII and full-width (A1 A1) spaces at both ends, stepping over GBK pairs."""
    units, i = [], 0
    while i < len(value):
        size = 2 if value[i] >= 0x81 and i + 1 < len(value) else 1
        units.append(value[i:i + size])
        i += size
    while units and units[0] in (b" ", b"\xa1\xa1"):
        units.pop(0)
    while units and units[-1] in (b" ", b"\xa1\xa1"):
        units.pop()
    return b"".join(units)


def between_all(text: bytes, left: bytes, right: bytes, limit=None, prefix=b""):
    """The client's list cutting: markers without regard to case, spaces trimmed, length limit."""
    low, out, pos = text.lower(), [], 0
    while True:
        i = low.find(left.lower(), pos)
        if i < 0:
            return out
        start = i + len(left)
        j = low.find(right.lower(), start)
        if j < 0:
            return out
        value = prefix + trim(text[start:j])
        if limit is None or len(value) < limit:
            out.append(value)
        pos = j + len(right)


def client_lists(page: str):
    gbk = page.encode("gbk", "replace")
    names = between_all(gbk, b'<td nowrap="nowrap" align="left"><a title="', b'">')
    dates = between_all(gbk, b'<td align="center">20', b"</td>", 18, b"20")
    cases = between_all(gbk, b'<td nowrap="nowrap" align="left">', b"</td>", 26)
    count = re.search(r'type="text" /> 页(.*?)条', page)
    return ([n.decode("gbk") for n in names], [d.decode("gbk") for d in dates],
            [c.decode("gbk") for c in cases], count.group(1) if count else None)


def is_refused_page(page: str) -> bool:
    body = page[page.index("<body"):]
    first_span = re.search(r"<span[^>]*>(.*?)</span>", body)
    return first_span is not None and first_span.group(1) == REFUSED_TEXT and ROW not in page \
        and 'id="pagenum"' not in page


def png_pixels(data: bytes):
    """Decodes the simulator's PNG (8-bit RGB, no interlace) far enough to check it."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, chunks = 8, {}
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        payload = data[pos + 8:pos + 8 + length]
        crc, = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])
        assert zlib.crc32(kind + payload) == crc, kind
        chunks[kind] = chunks.get(kind, b"") + payload
        pos += 12 + length
    width, height, depth, color, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    assert (depth, color, interlace) == (8, 2, 0)
    raw = zlib.decompress(chunks[b"IDAT"])
    assert len(raw) == height * (1 + width * 3)
    return width, height, raw


# ---------------------------------------------------------------- searches, pages and details

class ServiceTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sim = Sim()

    @classmethod
    def tearDownClass(cls):
        cls.sim.stop()

    def fresh_code(self, cid=CID):
        self.assertEqual(self.sim.captcha(cid)[0], 200)
        return self.sim.code(cid)

    def test_captcha_search_page_turns_and_detail(self):
        status, headers, picture = self.sim.captcha()
        self.assertEqual((status, headers["Content-Type"]), (200, "image/png"))
        self.assertRegex(headers["Set-Cookie"], r"^JSESSIONID=[0-9A-F]{32}; Path=/")
        self.assertEqual(png_pixels(picture)[:2], (100, 25))
        code = self.sim.code()
        self.assertRegex(code, r"^[a-z0-9]{4}$")

        seen = []
        for page, rows, count in [(None, 10, " 1/3 共23"), (2, 10, " 2/3 共23"), (3, 3, " 3/3 共23")]:
            html = self.sim.search(register_data.FIXTURE_MANY, code, page=page)
            names, dates, cases, shown = client_lists(html)
            self.assertEqual(shown, count)
            expected = self.sim.control("expect", pName=register_data.FIXTURE_MANY, currentPage=page or 1)[1]
            numbers = re.findall(r'<td align="center">(\d+)</td>', html)
            self.assertEqual(numbers, [str(i) for i in range(1, rows + 1)])
            self.assertEqual(numbers, [str(r["no"]) for r in expected["rows"]])
            self.assertEqual(expected["count"], count)
            self.assertEqual(names, [r["name"] for r in expected["rows"]])
            self.assertEqual(dates, [r["date"] for r in expected["rows"]])
            self.assertEqual(cases, [r["caseCode"] for r in expected["rows"]])
            ids = re.findall(r'class="View" id="(\d+)">查看</a>]', html)
            self.assertEqual(ids, [str(r["id"]) for r in expected["rows"]])
            self.assertIn(f'name="currentPage" value="{page or 1}"', html)
            seen += ids
        self.assertEqual(len(set(seen)), 23)

        doc = json.loads(self.sim.detail(seen[-1], code.upper()))
        self.assertEqual(doc["id"], int(seen[-1]))
        self.assertIn(register_data.FIXTURE_MANY, doc["iname"])

    def test_fixture_pages_as_the_client_reads_them(self):
        code = self.fresh_code()
        cases = [  # query, names, dates, case cells, count text
            (register_data.FIXTURE_TWO_CHAR, 2, 2, 4, " 1/1 共2"),   # short name cells pass the 26-byte limit
            (register_data.FIXTURE_DUPLICATE_CASE, 3, 3, 3, " 1/1 共3"),
            (register_data.FIXTURE_EMPTY_DATE, 4, 3, 4, " 1/1 共4"),
            (register_data.FIXTURE_ORGANISATION, 2, 2, 2, " 1/1 共2"),
            (register_data.FIXTURE_NO_RESULT, 0, 0, 0, " 0/0 共0"),
            ("", 0, 0, 0, " 0/0 共0"),
        ]
        for query, n_names, n_dates, n_cases, count in cases:
            with self.subTest(query=query):
                names, dates, case_cells, shown = client_lists(self.sim.search(query, code))
                self.assertEqual((len(names), len(dates), len(case_cells), shown), (n_names, n_dates, n_cases, count))
                self.assertTrue(all(query in n for n in names))
        html = self.sim.search(register_data.FIXTURE_DUPLICATE_CASE, code)
        cases = client_lists(html)[2]
        self.assertEqual(cases[0], cases[2])
        ids = re.findall(r'id="(\d+)">查看', html)
        self.assertNotEqual(ids[0], ids[2])
        last_row = self.sim.search(register_data.FIXTURE_EMPTY_DATE, code).split(ROW)[-1]
        self.assertIn('<td align="center"></td>', last_row)

    def test_refused_codes(self):
        code = self.fresh_code()
        other = "fedcba9876543210fedcba9876543210"
        self.fresh_code(other)
        wrong = "zzzz" if code != "zzzz" else "yyyy"
        other_code = self.sim.code(other)
        record = self.sim.control("expect", pName=register_data.FIXTURE_TWO_CHAR)[1]["rows"][0]["id"]
        for label, pcode, cid in [("wrong", wrong, CID), ("empty", "", CID),
                                  ("never fetched", code, "ab" * 16), ("other id's code", other_code, CID)]:
            if pcode == code and cid == CID:
                continue  # the other identifier happened to get the same code
            with self.subTest(label):
                self.assertTrue(is_refused_page(self.sim.search(register_data.FIXTURE_TWO_CHAR, pcode, cid)))
                self.assertEqual(self.sim.detail(record, pcode, cid), b"{}")
        for rid in ["1", "abc", "", "99999999999999999999", str(record) + "x"]:
            with self.subTest(id=rid):
                self.assertEqual(self.sim.detail(quote(rid), code), b"{}")
        self.assertNotEqual(self.sim.detail(record, code), b"{}")

    def test_new_picture_replaces_code_and_codes_expire(self):
        cid = "11" * 16
        old = self.fresh_code(cid)
        for _ in range(5):  # a new random code may repeat the old one by chance
            new = self.fresh_code(cid)
            if new != old:
                break
        self.assertNotEqual(new, old)
        self.assertTrue(is_refused_page(self.sim.search("王五", old, cid)))
        self.assertFalse(is_refused_page(self.sim.search("王五", new.upper(), cid)))

        self.assertEqual(self.sim.control("clock", advance=299)[0], 200)
        self.assertFalse(is_refused_page(self.sim.search("王五", new, cid)))
        self.sim.control("clock", advance=2)
        self.assertTrue(is_refused_page(self.sim.search("王五", new, cid)))
        self.assertTrue(self.sim.control("captcha", captchaId=cid)[1]["expired"])
        self.assertFalse(is_refused_page(self.sim.search("王五", self.fresh_code(cid), cid)))

    def test_form_decoding_and_echo_escaping(self):
        code = self.fresh_code()
        raw_utf8 = f"pName={register_data.FIXTURE_TWO_CHAR}&pCardNum=&pProvince=0&pCode={code}&captchaId={CID}"
        gbk_escaped = "pName=" + quote("王五".encode("gbk")) + f"&pCode={code}&captchaId={CID}"
        for label, body, count in [("raw UTF-8 bytes", raw_utf8.encode("utf-8"), " 1/1 共2"),
                                   ("GBK bytes are not UTF-8", gbk_escaped.encode(), " 0/0 共0")]:
            with self.subTest(label):
                status, _, reply = self.sim.request("POST", "/findDisNew", body)
                self.assertEqual(client_lists(reply.decode("utf-8"))[3], count)

        hostile = '"><td align="center">2099年</td><td nowrap="nowrap" align="left">X</td>type="text" /> 页9条'
        page = self.sim.search(hostile, code)
        names, dates, cases, count = client_lists(page)
        self.assertEqual((names, dates, cases, count), ([], [], [], " 0/0 共0"))
        self.assertIn("&quot;&gt;&lt;td", page)

    def test_card_number_filter(self):
        code = self.fresh_code()
        person = self.sim.control("record", id=self.sim.control(
            "expect", pName=register_data.FIXTURE_TWO_CHAR)[1]["rows"][0]["id"])[1]
        org = self.sim.control("record", id=self.sim.control(
            "expect", pName=register_data.FIXTURE_ORGANISATION)[1]["rows"][0]["id"])[1]
        masked = person["cardNum"]
        full = masked[:10] + "0101" + masked[14:]
        for name, card, total in [("王五", masked, 1), ("王五", full.lower(), 1), ("王五", "110105199001011234", 0),
                                  (org["iname"], org["cardNum"][:8] + "-" + org["cardNum"][8], 1),
                                  (org["iname"], "ZZZZZZZZ9", 0)]:
            with self.subTest(card=card):
                self.assertEqual(client_lists(self.sim.search(name, code, card=card))[3], f" {min(total, 1)}/{total} 共{total}")

    def test_detail_documents(self):
        code = self.fresh_code()
        person_id = self.sim.control("expect", pName=register_data.FIXTURE_TWO_CHAR)[1]["rows"][0]["id"]
        org_ids = [r["id"] for r in self.sim.control("expect", pName=register_data.FIXTURE_ORGANISATION)[1]["rows"]]
        person_raw = self.sim.detail(person_id, code)
        org_raw = self.sim.detail(org_ids[0], code)
        person, org = json.loads(person_raw), json.loads(org_raw)

        common = ["id", "iname", "caseCode", "age", "cardNum", "courtName", "areaName", "partyTypeName", "gistId",
                  "regDate", "gistUnit", "duty", "performance", "performedPart", "unperformPart",
                  "disruptTypeName", "publishDate"]
        self.assertEqual(sorted(person), sorted(common + ["sexy"]))
        self.assertEqual(sorted(org), sorted(common + ["businessEntity"]))
        self.assertEqual((person["partyTypeName"], org["partyTypeName"], org["age"]), ("580", "581", 0))
        self.assertIn(person["sexy"], ("男", "女"))
        self.assertRegex(person["cardNum"], r"^\d{10}\*{4}\d{3}[\dX]$")
        self.assertRegex(org["cardNum"], r"^[0-9A-Z]{8}[0-9X]$")
        self.assertRegex(person["regDate"], r"^20\d\d年\d\d月\d\d日$")
        # The client cuts raw text at '"key":"' and '"age":' ... ','; values are raw UTF-8, not \u escapes.
        for raw in (person_raw, org_raw):
            text = raw.decode("utf-8")
            self.assertRegex(text, r'"age":\d+,')
            for key in ("iname", "cardNum", "courtName", "areaName", "gistId", "regDate", "caseCode",
                        "gistUnit", "duty", "disruptTypeName", "publishDate"):
                self.assertIn(f'"{key}":"', text)
            self.assertNotIn("\\u", text)
            self.assertNotIn("{}", text)
        self.assertIn('\\"', org_raw.decode("utf-8"))
        self.assertIn('"', org["duty"])

    def test_request_log_keeps_what_arrived(self):
        self.sim.control("log/clear")
        with socket.create_connection(("127.0.0.1", self.sim.port), timeout=10) as s:
            body = b"pName=%E7%8E%8B%E4%BA%94&pCardNum=&pProvince=0&pCode=q1\xff&captchaId=" + CID.encode()
            s.sendall(b"POST /findDisNew HTTP/1.1\r\nHost: 127.0.0.1\r\nReferer: http://x/findDisNew\r\n"
                      b"accept-LANGUAGE: zh-cn\r\nCookie: a=1; JSESSIONID=ABC\r\nX-Empty:\r\n"
                      b"Content-Type: application/x-www-form-urlencoded\r\nContent-Length: "
                      + str(len(body)).encode() + b"\r\nConnection: close\r\n\r\n" + body)
            while s.recv(65536):
                pass
        self.sim.control("status")  # control requests stay out of the log
        log = self.sim.control("log")[1]
        self.assertEqual(len(log), 1)
        e = log[0]
        self.assertEqual((e["method"], e["path"], e["status"]), ("POST", "/findDisNew", 200))
        self.assertEqual(e["headers"], [["Host", "127.0.0.1"], ["Referer", "http://x/findDisNew"],
                                        ["accept-LANGUAGE", "zh-cn"], ["Cookie", "a=1; JSESSIONID=ABC"],
                                        ["X-Empty", ""], ["Content-Type", "application/x-www-form-urlencoded"],
                                        ["Content-Length", str(len(body))], ["Connection", "close"]])
        self.assertEqual(bytes.fromhex(e["body_hex"]), body)
        self.assertEqual((e["cookie"], e["jsessionid"]), ("a=1; JSESSIONID=ABC", "ABC"))
        self.assertEqual(e["form"][0], ["pName", "王五"])
        self.assertEqual(e["form"][3], ["pCode", "q1\ufffd"])
        since = e["seq"]
        self.sim.captcha()
        self.assertEqual([x["path"].split("?")[0] for x in self.sim.control("log", since=since)[1]], ["/captchaNew.do"])

    def test_keep_alive_and_lengths(self):
        conn = http.client.HTTPConnection("127.0.0.1", self.sim.port, timeout=10)
        try:
            _, h1, b1 = self.sim.request("GET", f"/captchaNew.do?captchaId={CID}", conn=conn)
            sock = conn.sock
            _, h2, b2 = self.sim.request("GET", f"/disDetailNew?id=1&pCode=x&captchaId={CID}", conn=conn)
            self.assertIs(conn.sock, sock)
            self.assertEqual(int(dict(h1)["Content-Length"]), len(b1))
            self.assertEqual((dict(h2)["Content-Length"], b2), ("2", b"{}"))
        finally:
            conn.close()

    def test_benchmark_page(self):
        code = self.fresh_code()
        self.assertEqual(self.sim.control("config", bench_rows=2000)[1]["bench_rows"], 2000)
        try:
            html = self.sim.search("王五", code)
            expected = self.sim.control("expect", pName="王五")[1]
        finally:
            self.sim.control("config", bench_rows=0)
        numbers = re.findall(r'<td align="center">(\d+)</td>', html)
        self.assertEqual(numbers, [str(i % 10 + 1) for i in range(2000)])
        self.assertEqual(numbers, [str(r["no"]) for r in expected["rows"]])
        names, dates, cases, count = client_lists(html)
        self.assertEqual((len(names), len(dates), count), (2000, 2000, " 1/1 共2000"))
        last = re.findall(r'id="(\d+)">查看', html)[-1]
        self.assertEqual(json.loads(self.sim.detail(last, code))["id"], int(last))

    def test_control_rejects_bad_switches(self):
        for name, params in [("config", {"fixed_code": "ab!d"}), ("config", {"captcha_format": "gif"}),
                             ("config", {"strict_cookie": "maybe"}), ("fault", {"kind": "meteor"}),
                             ("fault", {"kind": "reset", "count": "0"}), ("config", {"expire": "soon"})]:
            with self.subTest(name=name, params=params):
                self.assertEqual(self.sim.control(name, **params)[0], 400)
        self.assertEqual(self.sim.control("nothing")[0], 404)


# ---------------------------------------------------------------- session cookie

class StrictCookieTest(unittest.TestCase):
    def setUp(self):
        self.sim = Sim("--strict-cookie", "--fixed-code", "abcd")

    def tearDown(self):
        self.sim.stop()

    def test_searches_and_details_need_the_issued_cookie(self):
        _, headers, _ = self.sim.captcha()
        sid = re.match(r"JSESSIONID=([0-9A-F]+);", headers["Set-Cookie"]).group(1)
        rid = self.sim.control("expect", pName="王五")[1]["rows"][0]["id"]
        for cookie, accepted in [("", False), ("JSESSIONID=0123ABCD", False), (f"JSESSIONID={sid}", True),
                                 (f"other=1; JSESSIONID={sid}", True)]:
            with self.subTest(cookie=cookie):
                self.assertEqual(is_refused_page(self.sim.search("王五", "abcd", cookie=cookie)), not accepted)
                self.assertEqual(self.sim.detail(rid, "abcd", cookie=cookie) == b"{}", not accepted)
        _, again, _ = self.sim.captcha(cookie=f"JSESSIONID={sid}")
        self.assertTrue(again["Set-Cookie"].startswith(f"JSESSIONID={sid};"))


# ---------------------------------------------------------------- faults

class FaultTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.sim = Sim("--fixed-code", "abcd", "--captcha-format", "jpeg")
        cls.sim.captcha()

    @classmethod
    def tearDownClass(cls):
        cls.sim.stop()

    def tearDown(self):
        self.sim.control("fault", kind="none")

    def raw_search(self):
        """Sends one search on a raw socket and returns everything that came back (or the error)."""
        body = f"pName=%E7%8E%8B%E4%BA%94&pCardNum=&pProvince=0&pCode=abcd&captchaId={CID}".encode()
        with socket.create_connection(("127.0.0.1", self.sim.port), timeout=10) as s:
            s.sendall(b"POST /findDisNew HTTP/1.1\r\nHost: x\r\nContent-Length: %d\r\nConnection: close\r\n\r\n"
                      % len(body) + body)
            data = b""
            try:
                while chunk := s.recv(65536):
                    data += chunk
            except ConnectionResetError as e:
                return e
            return data

    def test_each_fault_hits_once(self):
        def status_is(code):
            return lambda reply: self.assertTrue(reply.startswith(b"HTTP/1.1 %d " % code), reply[:40])

        def page_with(text):
            def check(reply):
                self.assertIn(text.encode(), reply)
                self.assertNotIn(ROW.encode(), reply)
            return check

        def oversized(reply):
            head, _, body = reply.partition(b"\r\n\r\n")
            self.assertGreater(len(head), 5000)
            self.assertGreater(head.count(b"Set-Cookie: "), 10)
            self.assertEqual(len(body), int(re.search(rb"Content-Length: (\d+)", head).group(1)))
            self.assertIn(b"\xe5\x85\xb1" + b"2", body)  # the page itself is intact: 共2条

        def truncated(reply):
            head, _, body = reply.partition(b"\r\n\r\n")
            self.assertLess(len(body), int(re.search(rb"Content-Length: (\d+)", head).group(1)))

        cases = {
            "delay": status_is(200),
            "reset": lambda reply: self.assertIsInstance(reply, ConnectionResetError),
            "http500": status_is(500),
            "http403": status_is(403),
            "garbage": lambda reply: self.assertTrue(reply and not reply.startswith(b"HTTP/"), reply[:20]),
            "oversized-headers": oversized,
            "busy": page_with(BUSY_TEXT),
            "challenge": page_with(CHALLENGE_TEXT),
            "truncate": truncated,
        }
        for kind, check in cases.items():
            with self.subTest(kind=kind):
                self.sim.control("fault", kind=kind, seconds=0.1)
                check(self.raw_search())
                normal = self.raw_search()
                self.assertIn(b"\xe5\x85\xb12\xe6\x9d\xa1", normal)  # 共2条: the fault hit one request only
                log = self.sim.control("log")[1]
                self.assertEqual([e["fault"] for e in log[-2:]], [kind, ""])

    def test_count_path_and_clearing(self):
        self.sim.control("fault", kind="http403", count=2, path="/disDetailNew")
        self.sim.control("fault", kind="html-captcha")
        self.assertEqual(self.sim.request("POST", "/findDisNew", b"pName=x")[0], 200)
        _, headers, body = self.sim.captcha()
        self.assertEqual(headers["Content-Type"], "text/html;charset=UTF-8")
        self.assertTrue(body.startswith(b"<!DOCTYPE"))
        statuses = [self.sim.request("GET", f"/disDetailNew?id=1&pCode=abcd&captchaId={CID}")[0] for _ in range(3)]
        self.assertEqual(statuses, [403, 403, 200])
        _, headers, picture = self.sim.captcha()
        self.assertEqual((headers["Content-Type"], picture[:2], picture[-2:]), ("image/jpeg", b"\xff\xd8", b"\xff\xd9"))

        self.sim.control("fault", kind="http500", count=-1)
        self.assertEqual([self.sim.captcha()[0] for _ in range(3)], [500, 500, 500])
        self.assertEqual(self.sim.control("fault", kind="none")[1], {"faults": []})
        self.assertEqual(self.sim.captcha()[0], 200)

    def test_fault_on_one_result_page(self):
        self.sim.control("fault", kind="busy", page=2, count=-1)  # any path, but only page 2
        shown = []
        for page in (None, 2, 3, 2, 1):
            html = self.sim.search(register_data.FIXTURE_MANY, "abcd", page=page)
            shown.append(BUSY_TEXT in html or client_lists(html)[3])
        self.assertEqual(shown, [" 1/3 共23", True, " 3/3 共23", True, " 1/3 共23"])
        self.assertEqual(self.sim.request("GET", f"/captchaNew.do?captchaId={CID}")[0], 200)
        self.assertEqual(self.sim.control("fault", kind="busy", page=-1)[0], 400)


# ---------------------------------------------------------------- pictures

class PictureTest(unittest.TestCase):
    """The pictures must decode with libpng and libjpeg, the decoders of the client."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp()
        cls.checker = os.path.join(cls.tmp, "image_check")
        cc = shutil.which("cc") or shutil.which("gcc")
        built = cc and subprocess.run([cc, "-o", cls.checker, os.path.join(HERE, "image_check.c"), "-lpng", "-ljpeg"],
                                      capture_output=True).returncode == 0
        cls.checker = cls.checker if built else None
        cls.sim = Sim("--fixed-code", "Kq7y")

    @classmethod
    def tearDownClass(cls):
        cls.sim.stop()
        shutil.rmtree(cls.tmp)

    def decode(self, picture: bytes):
        """Size line and RGB pixels as the library decodes them."""
        path, pixels = os.path.join(self.tmp, "picture"), os.path.join(self.tmp, "pixels")
        with open(path, "wb") as f:
            f.write(picture)
        done = subprocess.run([self.checker, path, pixels], capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, "the library refused the picture")
        with open(pixels, "rb") as f:
            return done.stdout.strip(), f.read()

    def test_encoders_keep_the_pixels(self):
        from register_sim import image_codecs
        if self.checker is None:
            self.skipTest("no C compiler with libpng and libjpeg headers")
        width, height = 37, 21  # partial 8x8 blocks at both edges
        rgb = bytes((x * 7 + y * 3) % 256 if c == 0 else (y * 12) % 256 if c == 1 else 255 - x * 6
                    for y in range(height) for x in range(width) for c in range(3))
        size, png = self.decode(image_codecs.encode_png(width, height, rgb))
        self.assertEqual((size, png), ("37 21", rgb))
        size, jpeg = self.decode(image_codecs.encode_jpeg(width, height, rgb, quality=95))
        self.assertEqual(size, "37 21")
        error = sum(abs(a - b) for a, b in zip(jpeg, rgb)) / len(rgb)
        self.assertLess(error, 6.0)

    def test_png_and_jpeg_captchas(self):
        for fmt in ("png", "jpeg"):
            with self.subTest(fmt=fmt):
                self.sim.control("config", captcha_format=fmt)
                status, headers, picture = self.sim.captcha()
                self.assertEqual(headers["Content-Type"], f"image/{fmt}")
                self.assertEqual(self.sim.code(), "Kq7y")
                self.assertFalse(is_refused_page(self.sim.search("王五", "kQ7Y")))
                if fmt == "png":
                    width, height, raw = png_pixels(picture)
                    dark = sum(1 for i in range(0, len(raw)) if raw[i] < 90)
                    self.assertGreater(dark, 100)  # the characters are drawn, not only noise
                if self.checker is None:
                    self.skipTest("no C compiler with libpng and libjpeg headers")
                self.assertEqual(self.decode(picture)[0], "100 25")

    def test_every_code_character_has_a_glyph(self):
        from register_sim import bitmap_font, captcha
        for ch in captcha.ALPHABET + "0123456789abcdefghijklmnopqrstuvwxyz":
            rows = bitmap_font.glyph(ch)
            self.assertEqual((len(rows), {len(r) for r in rows}), (bitmap_font.HEIGHT, {bitmap_font.WIDTH}), ch)
            self.assertIn("#", "".join(rows), ch)


# ---------------------------------------------------------------- the register itself

class RegisterTest(unittest.TestCase):
    def test_register_is_deterministic_and_fixtures_ignore_the_seed(self):
        one, again, other = register_data.Register(1), register_data.Register(1), register_data.Register(2)
        self.assertEqual([r.detail() for r in one.records], [r.detail() for r in again.records])
        self.assertNotEqual([r.id for r in one.records], [r.id for r in other.records])
        for query, count in [("王五", 2), ("李明", 23), (register_data.FIXTURE_DUPLICATE_CASE, 3), (register_data.FIXTURE_EMPTY_DATE, 4), (register_data.FIXTURE_ORGANISATION, 2),
                             (register_data.FIXTURE_NO_RESULT, 0)]:
            for reg in (one, other):
                found = [r.detail() for r in reg.records if query in r.name]
                self.assertEqual(len(found), count, query)
            self.assertEqual([r.detail() for r in one.records if query in r.name],
                             [r.detail() for r in other.records if query in r.name])

    def test_rows_and_documents_keep_the_client_rules(self):
        reg = register_data.Register(3)
        records = reg.records + reg.bench_rows(500)
        self.assertGreater(len(reg.records), 300)
        self.assertEqual(len({r.id for r in records}), len(records))
        kinds = {r.kind for r in records}
        self.assertEqual(kinds, {register_data.PERSON, register_data.ORGANISATION})
        self.assertTrue(any(len(r.name) == 2 for r in reg.records[40:]))
        self.assertTrue(any("（" in r.case_code for r in records) and any("(" in r.case_code for r in records))
        for r in records:
            self.assertTrue(1_000_000 <= r.id < 1_000_000_000, r.id)
            self.assertLess(len(r.case_code.encode("gbk")), 26, r.case_code)
            if r.reg_date:
                self.assertLess(len(r.reg_date.encode("gbk")), 18)
            doc = pages_detail(r)
            self.assertNotIn("{}", doc)
            self.assertEqual(len(r.card_num), 18 if r.is_person else 9)
            if len(r.name) > 2:
                cell = f'<a title="{r.name}">{r.name}</a>'.encode("gbk")
                self.assertGreaterEqual(len(cell), 26, r.name)

    def test_card_matching(self):
        reg = register_data.Register(1)
        person = next(r for r in reg.records if r.is_person)
        for wanted, expected in [(person.card_num, True), (person.full_card_num, True),
                                 (person.full_card_num[:10] + "9999" + person.full_card_num[14:], True),
                                 (person.full_card_num[:-1] + ("0" if person.full_card_num[-1] != "0" else "1"), False),
                                 (person.card_num[:10], False), ("", True)]:
            self.assertEqual(register_data.card_matches(person, wanted), expected, wanted)


def pages_detail(record) -> str:
    from register_sim.pages import detail_json
    return detail_json(record)


class CommandLineTest(unittest.TestCase):
    def test_options_and_log_file(self):
        with tempfile.TemporaryDirectory() as tmp:
            log = os.path.join(tmp, "requests.jsonl")
            sim = Sim("--fixed-code", "abcd", "--expire", "5", "--seed", "7", "--log", log)
            try:
                status = sim.control("status")[1]
                self.assertEqual((status["seed"], status["config"]["fixed_code"], status["config"]["expire"]),
                                 (7, "abcd", 5.0))
                sim.captcha()
                sim.search("王五", "abcd")
            finally:
                sim.stop()
            with open(log, encoding="utf-8") as f:
                lines = [json.loads(line) for line in f]
            self.assertEqual([(e["method"], e["status"]) for e in lines], [("GET", 200), ("POST", 200)])
        bad = subprocess.run([sys.executable, SERVER, "--port", "0", "--fixed-code", "a b"], capture_output=True)
        self.assertNotEqual(bad.returncode, 0)


if __name__ == "__main__":
    unittest.main()
