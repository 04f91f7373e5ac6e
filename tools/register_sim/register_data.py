"""Deterministic synthetic register of dishonest parties subject to enforcement.

The register holds a few hundred persons and organisations made from a seed,
plus a fixed set of fixture records that tests search for by name. Fixtures do
not depend on the seed, so a test can rely on them whatever seed the server got.
"""

from __future__ import annotations

import datetime
import random
import threading
from dataclasses import dataclass, field
from typing import Dict, Iterable, List, Optional, Tuple

PERSON = "580"
ORGANISATION = "581"


# Province short name, 6-digit area codes for ID numbers, courts (name, case-number abbreviation).
PROVINCES: List[Tuple[str, List[str], List[Tuple[str, str]]]] = [
    ("北京", ["110105", "110108", "110102"], [
        ("北京市朝阳区人民法院", "京0105"), ("北京市海淀区人民法院", "京0108"),
        ("北京市西城区人民法院", "京0102"), ("北京市第三中级人民法院", "京03")]),
    ("上海", ["310115", "310104"], [
        ("上海市浦东新区人民法院", "沪0115"), ("上海市徐汇区人民法院", "沪0104"),
        ("上海市第一中级人民法院", "沪01")]),
    ("广东", ["440304", "440106", "441900"], [
        ("深圳市福田区人民法院", "粤0304"), ("广州市天河区人民法院", "粤0106"),
        ("东莞市第一人民法院", "粤1971"), ("广州市中级人民法院", "粤01")]),
    ("浙江", ["330106", "330203", "330302"], [
        ("杭州市西湖区人民法院", "浙0106"), ("宁波市海曙区人民法院", "浙0203"),
        ("温州市鹿城区人民法院", "浙0302")]),
    ("江苏", ["320106", "320505", "320211"], [
        ("南京市鼓楼区人民法院", "苏0106"), ("苏州市虎丘区人民法院", "苏0505"),
        ("无锡市滨湖区人民法院", "苏0211")]),
    ("山东", ["370102", "370202"], [
        ("济南市历下区人民法院", "鲁0102"), ("青岛市市南区人民法院", "鲁0202")]),
    ("河南", ["410105", "410305"], [
        ("郑州市金水区人民法院", "豫0105"), ("洛阳市涧西区人民法院", "豫0305")]),
    ("四川", ["510104", "510107"], [
        ("成都市锦江区人民法院", "川0104"), ("成都市武侯区人民法院", "川0107")]),
    ("湖北", ["420106", "420102"], [
        ("武汉市武昌区人民法院", "鄂0106"), ("武汉市江岸区人民法院", "鄂0102")]),
    ("福建", ["350203", "350102"], [
        ("厦门市思明区人民法院", "闽0203"), ("福州市鼓楼区人民法院", "闽0102")]),
    ("河北", ["130102"], [("石家庄市长安区人民法院", "冀0102")]),
    ("湖南", ["430103"], [("长沙市天心区人民法院", "湘0103")]),
    ("重庆", ["500103"], [("重庆市渝中区人民法院", "渝0103")]),
    ("天津", ["120101"], [("天津市和平区人民法院", "津0101")]),
]

SURNAMES = list("王李张刘陈杨黄吴周徐马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾田董袁潘于蒋蔡"
                "余杜叶程苏魏吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦付方白邹孟熊秦邱江尹薛闫"
                "段雷侯龙史陶黎贺顾毛郝龚邵万钱严覃武戴莫孔向汤") + ["欧阳", "上官"]
GIVEN = list("伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂英华建国文红玉兰志海波辉鹏飞斌宇"
             "浩凯健俊帆旭宁林欣婷雪琳晨阳峰成亮东春梅云莉萍荣新宏德永生金福顺保庆祥")
BRANDS = ["恒通", "宏达", "鑫源", "华泰", "金盛", "永信", "天成", "瑞丰", "汇通", "博远",
          "中盈", "嘉禾", "新达", "盛世", "龙腾", "万豪", "兴业", "德润", "百川", "远航"]
INDUSTRIES = ["贸易", "建筑工程", "房地产开发", "物流", "投资管理", "电子科技", "餐饮管理",
              "建材", "商贸", "实业", "网络科技", "汽车销售"]
ORG_FORMS = ["有限公司", "有限公司", "有限公司", "股份有限公司", "有限责任公司"]
ITEMS = ["城南花园", "滨江一号", "金桥大厦", "阳光新城", "翠湖苑"]
REASONS = [
    "有履行能力而拒不履行生效法律文书确定义务",
    "违反财产报告制度",
    "违反限制消费令",
    "以伪造证据、暴力、威胁等方法妨碍、抗拒执行",
    "以虚假诉讼、虚假仲裁或者以隐匿、转移财产等方法规避执行",
    "无正当理由拒不履行执行和解协议",
]

# Fixture queries; the README lists them with what each query returns.
FIXTURE_TWO_CHAR = "王五"
FIXTURE_MANY = "李明"
FIXTURE_DUPLICATE_CASE = "赵建国"
FIXTURE_EMPTY_DATE = "孙志强"
FIXTURE_ORGANISATION = "北京华星科技有限公司"
FIXTURE_NO_RESULT = "慕容晓晓"
FIXTURE_NO_CASE = "吴德华"
FIXTURE_QUERIES = [FIXTURE_TWO_CHAR, FIXTURE_MANY, FIXTURE_DUPLICATE_CASE,
                   FIXTURE_EMPTY_DATE, FIXTURE_ORGANISATION, FIXTURE_NO_RESULT, FIXTURE_NO_CASE]


@dataclass
class Record:
    id: int
    name: str
    kind: str                 # PERSON or ORGANISATION
    case_code: str
    reg_date: str             # "2017年09月18日", may be empty
    card_num: str             # masked ID number or organisation code
    court: str
    area: str
    gist_id: str
    gist_unit: str
    duty: str
    performance: str
    performed_part: str
    unperform_part: str
    disrupt_type: str
    publish_date: str
    age: int = 0
    sex: str = ""
    business_entity: str = ""
    full_card_num: str = field(default="", repr=False)  # never shown; lets a full ID number match

    @property
    def is_person(self) -> bool:
        return self.kind == PERSON

    def detail(self) -> Dict[str, object]:
        """The detail document, keys in the order the service sends them."""
        d: Dict[str, object] = {"id": self.id, "iname": self.name, "caseCode": self.case_code,
                                "age": self.age}
        if self.is_person:
            d["sexy"] = self.sex
        d["cardNum"] = self.card_num
        if not self.is_person:
            d["businessEntity"] = self.business_entity
        d.update({
            "courtName": self.court, "areaName": self.area, "partyTypeName": self.kind,
            "gistId": self.gist_id, "regDate": self.reg_date, "gistUnit": self.gist_unit,
            "duty": self.duty, "performance": self.performance,
            "performedPart": self.performed_part, "unperformPart": self.unperform_part,
            "disruptTypeName": self.disrupt_type, "publishDate": self.publish_date,
        })
        return d

    def row(self) -> Dict[str, object]:
        """What one result row shows."""
        return {"id": self.id, "name": self.name, "date": self.reg_date, "caseCode": self.case_code}


def format_date(d: datetime.date) -> str:
    return f"{d.year}年{d.month:02d}月{d.day:02d}日"


def id_check_char(first17: str) -> str:
    weights = [7, 9, 10, 5, 8, 4, 2, 1, 6, 3, 7, 9, 10, 5, 8, 4, 2]
    total = sum(int(c) * w for c, w in zip(first17, weights))
    return "10X98765432"[total % 11]


def org_check_char(first8: str) -> str:
    weights = [3, 7, 9, 10, 5, 8, 4, 2]
    total = sum(int(c, 36) * w for c, w in zip(first8, weights))
    c = 11 - total % 11
    return "X" if c == 10 else "0" if c == 11 else str(c)


def mask_id(full: str) -> str:
    return full[:10] + "****" + full[14:]


def card_matches(record: Record, wanted: str) -> bool:
    """A card number matches when it equals the shown (masked) form, or when it is the
    full number whose visible parts agree with the masked one. Organisation codes may be
    written with the hyphen before the check character."""
    w = wanted.strip().upper().replace("-", "")
    if not w:
        return True
    shown = record.card_num.upper()
    if w == shown:
        return True
    if record.is_person and len(w) == 18 and "*" not in w:
        return w[:10] == shown[:10] and w[14:] == shown[14:]
    return False


class _Maker:
    """Builds records from one random stream."""

    def __init__(self, rng: random.Random, taken_ids: set, avoid: Iterable[str]) -> None:
        self.rng = rng
        self.taken_ids = taken_ids
        self.avoid = list(avoid)

    def new_id(self) -> int:
        while True:
            digits = self.rng.choice([7, 8, 9])
            value = self.rng.randint(10 ** (digits - 1), 10 ** digits - 1)
            if value not in self.taken_ids:
                self.taken_ids.add(value)
                return value

    def person_name(self, two_char: Optional[bool] = None) -> str:
        while True:
            surname = self.rng.choice(SURNAMES)
            short = self.rng.random() < 0.3 if two_char is None else two_char
            given = self.rng.choice(GIVEN) if short else self.rng.choice(GIVEN) + self.rng.choice(GIVEN)
            name = surname + given
            if not any(a in name for a in self.avoid):
                return name

    def org_name(self, city: str) -> str:
        while True:
            name = city + self.rng.choice(BRANDS) + self.rng.choice(INDUSTRIES) + self.rng.choice(ORG_FORMS)
            if not any(a in name for a in self.avoid):
                return name

    def place(self) -> Tuple[str, str, str, str]:
        area, codes, courts = self.rng.choice(PROVINCES)
        court, abbr = self.rng.choice(courts)
        return area, self.rng.choice(codes), court, abbr

    def date_between(self, first: datetime.date, last: datetime.date) -> datetime.date:
        return first + datetime.timedelta(days=self.rng.randint(0, (last - first).days))

    def case_code(self, year: int, abbr: str) -> str:
        # Both ASCII and full-width parentheses occur on the real pages.
        left, right = ("（", "）") if self.rng.random() < 0.3 else ("(", ")")
        kind = "执恢" if self.rng.random() < 0.15 else "执"
        return f"{left}{year}{right}{abbr}{kind}{self.rng.randint(1, 29999)}号"

    def amount(self) -> int:
        return self.rng.choice([1, 2, 5, 10, 20, 50]) * self.rng.randint(1, 99) * 1000

    def duty(self, debtor: str, creditor: str, year: int) -> str:
        amt, fee = self.amount(), self.rng.randint(50, 9000)
        kind = self.rng.randint(0, 4)
        if kind == 0:
            return (f"1、被告{debtor}于本判决生效之日起十日内偿还原告{creditor}借款本金{amt}元及利息"
                    f"（以{amt}元为基数，按年利率6%计算，自{year}年1月1日起至实际付清之日止）；\r\n"
                    f"2、案件受理费{fee}元，由被告{debtor}负担。")
        if kind == 1:
            return f"{debtor}于{year}年12月31日前给付{creditor}货款{amt}元。"
        if kind == 2:
            return (f"一、被告{debtor}于本判决生效之日起十日内支付原告{creditor}工程款{amt}元；\r\n"
                    f"二、被告{debtor}支付原告{creditor}逾期付款违约金{fee}元；\r\n"
                    f"三、驳回原告{creditor}的其他诉讼请求。")
        if kind == 3:
            # ASCII quotes occur in real duty texts and come out escaped in the JSON.
            return f"被告{debtor}向原告{creditor}返还\"{self.rng.choice(ITEMS)}\"项目保证金{amt}元。"
        return f"被执行人{debtor}应支付申请执行人{creditor}劳动报酬{amt}元。"

    def gist(self, court: str, abbr: str, year: int) -> Tuple[str, str]:
        roll = self.rng.random()
        n = self.rng.randint(1, 19999)
        if roll < 0.8:
            return f"({year}){abbr}民初{n}号", court
        city = court.split("市")[0]
        if roll < 0.9:
            return f"({year}){city}仲裁字第{n}号", f"{city}仲裁委员会"
        return f"({year}){city}证经字第{n}号", f"{city}市公证处"

    def outcome(self) -> Tuple[str, str, str]:
        if self.rng.random() < 0.8:
            return "全部未履行", "暂无", "暂无"
        paid = self.amount()
        return "部分履行", f"已履行{paid}元", "暂无"

    def reasons(self) -> str:
        count = 1 if self.rng.random() < 0.7 else 2
        return ",".join(self.rng.sample(REASONS, count))

    def record(self, name: Optional[str] = None, organisation: bool = False,
               two_char: Optional[bool] = None,
               empty_date: bool = False, quote: bool = False) -> Record:
        area, area_code, court, abbr = self.place()
        reg = self.date_between(datetime.date(2014, 1, 1), datetime.date(2019, 12, 28))
        published = min(reg + datetime.timedelta(days=self.rng.randint(60, 400)), datetime.date(2020, 6, 30))
        creditor = self.person_name() if self.rng.random() < 0.6 else self.org_name(court.split("市")[0] + "市")
        if organisation:
            name = name or self.org_name(court.split("市")[0] + "市")
            first8 = "".join(self.rng.choice("0123456789ABCDEFGHJKLMNPQRTUWXY") for _ in range(8))
            card, full, age, sex = first8 + org_check_char(first8), "", 0, ""
            boss = self.person_name(two_char=False)
        else:
            name = name or self.person_name(two_char)
            age = self.rng.randint(23, 68)
            born = datetime.date(published.year - age, self.rng.randint(1, 12), self.rng.randint(1, 28))
            seq = f"{self.rng.randint(0, 999):03d}"
            sex = "男" if int(seq[-1]) % 2 else "女"
            first17 = area_code + born.strftime("%Y%m%d") + seq
            full = first17 + id_check_char(first17)
            card, boss = mask_id(full), ""
        duty = self.duty(name, creditor, reg.year - 1)
        if quote and '"' not in duty:
            duty = f"被告{name}向原告{creditor}返还\"{self.rng.choice(ITEMS)}\"项目保证金{self.amount()}元。"
        gist_id, gist_unit = self.gist(court, abbr, reg.year - 1)
        performance, performed, unperformed = self.outcome()
        return Record(
            id=self.new_id(), name=name, kind=ORGANISATION if organisation else PERSON,
            case_code=self.case_code(reg.year, abbr),
            reg_date="" if empty_date else format_date(reg), card_num=card, court=court, area=area,
            gist_id=gist_id, gist_unit=gist_unit, duty=duty, performance=performance,
            performed_part=performed, unperform_part=unperformed, disrupt_type=self.reasons(),
            publish_date=format_date(published), age=age, sex=sex, business_entity=boss,
            full_card_num=full)


def _fixtures(maker: _Maker) -> List[Record]:
    out: List[Record] = []
    # Two-character names: their name cell is short enough to pass for a case-number cell.
    out += [maker.record(name=FIXTURE_TWO_CHAR) for _ in range(2)]
    # More than two pages of three-character names.
    given = list("华杰远辉军涛强峰亮刚宇超平东宁波海林")
    for i in range(23):
        out.append(maker.record(name=FIXTURE_MANY + given[i % len(given)]))
    # Two rows of one page share a case number (joint debtors of one case).
    first = maker.record(name=FIXTURE_DUPLICATE_CASE)
    joint = maker.record(name=FIXTURE_DUPLICATE_CASE)
    joint.case_code, joint.court, joint.area, joint.reg_date = first.case_code, first.court, first.area, first.reg_date
    out += [first, maker.record(name=FIXTURE_DUPLICATE_CASE), joint]
    # The last row of the page has no filing date.
    out += [maker.record(name=FIXTURE_EMPTY_DATE) for _ in range(3)]
    out.append(maker.record(name=FIXTURE_EMPTY_DATE, empty_date=True))
    # An organisation with two cases, one duty holding an ASCII double quote.
    out.append(maker.record(name=FIXTURE_ORGANISATION, organisation=True, quote=True))
    out.append(maker.record(name=FIXTURE_ORGANISATION, organisation=True))
    # A duty whose lines end in a bare LF, and a last row without a case number.
    lines = maker.record(name=FIXTURE_NO_CASE)
    lines.duty = lines.duty.replace("\r\n", "\n") if "\r\n" in lines.duty else "一、" + lines.duty + "\n二、案件受理费由被告负担。"
    no_case = maker.record(name=FIXTURE_NO_CASE)
    no_case.case_code = ""
    out += [lines, no_case]
    return out


FIXTURE_STREAM = 20170918


class Register:
    """The whole register, built once per seed."""

    def __init__(self, seed: int = 1, persons: int = 320, organisations: int = 80) -> None:
        self.seed = seed
        taken: set = set()
        fixtures = _fixtures(_Maker(random.Random(FIXTURE_STREAM), taken, []))
        maker = _Maker(random.Random(seed), taken, FIXTURE_QUERIES)
        generated: List[Record] = []
        for i in range(persons + organisations):
            generated.append(maker.record(organisation=i % 5 == 4, quote=i % 23 == 7))
        self.records: List[Record] = fixtures + generated
        self.by_id: Dict[int, Record] = {r.id: r for r in self.records}
        self._taken = taken
        self._bench: Dict[int, List[Record]] = {}
        self._bench_by_id: Dict[int, Record] = {}
        self._lock = threading.Lock()

    def find(self, record_id: int) -> Optional[Record]:
        with self._lock:
            return self.by_id.get(record_id) or self._bench_by_id.get(record_id)

    def bench_rows(self, count: int) -> List[Record]:
        """A long list of extra records for benchmark pages; the same count gives the same rows.
        They are not searchable, but their details can be fetched."""
        with self._lock:
            if count not in self._bench:
                maker = _Maker(random.Random(self.seed * 1_000_003 + count), self._taken, FIXTURE_QUERIES)
                rows = [maker.record(organisation=i % 7 == 6) for i in range(count)]
                self._bench[count] = rows
                self._bench_by_id.update((r.id, r) for r in rows)
            return self._bench[count]
