"""Search semantics of the result pages: which records a form selects and how they are paged."""

from __future__ import annotations

from dataclasses import dataclass
from typing import List, Mapping

from register_sim.register_data import Record, Register, card_matches

ROWS_PER_PAGE = 10


@dataclass
class Query:
    name: str = ""
    card: str = ""
    province: str = "0"
    page: int = 1

    @classmethod
    def from_form(cls, form: Mapping[str, str]) -> "Query":
        return cls(name=form.get("pName", "").strip(), card=form.get("pCardNum", "").strip(),
                   province=form.get("pProvince", "0").strip() or "0",
                   page=parse_page(form.get("currentPage", "")))


@dataclass
class ResultPage:
    query: Query
    total: int
    total_pages: int
    current_page: int
    rows: List[Record]

    def as_json(self) -> dict:
        return {"total": self.total, "totalPages": self.total_pages, "currentPage": self.current_page,
                "count": f" {self.current_page}/{self.total_pages} 共{self.total}",
                "rows": [dict(r.row(), no=i % ROWS_PER_PAGE + 1) for i, r in enumerate(self.rows)]}


def parse_page(text: str) -> int:
    """1-based page number; anything that is not a positive number means the first page."""
    text = text.strip()
    return int(text) if text.isdigit() and 0 < int(text) < 10 ** 6 else 1


def matches(record: Record, query: Query) -> bool:
    if query.name not in record.name:
        return False
    if query.card and not card_matches(record, query.card):
        return False
    # "0" is every province; otherwise the short province name filters.
    return query.province == "0" or query.province == record.area


def run(register: Register, query: Query) -> ResultPage:
    """An empty name selects nothing, as on the real service. A page past the end shows the
    last page, so the pager and its count stay consistent."""
    found = [r for r in register.records if matches(r, query)] if query.name else []
    total_pages = (len(found) + ROWS_PER_PAGE - 1) // ROWS_PER_PAGE
    page = min(query.page, max(total_pages, 1))
    start = (page - 1) * ROWS_PER_PAGE
    return ResultPage(query, len(found), total_pages, page if total_pages else 0,
                      found[start:start + ROWS_PER_PAGE])


def bench(register: Register, query: Query, count: int) -> ResultPage:
    """One page holding `count` rows, for benchmarks of long result lists."""
    return ResultPage(query, count, 1, 1, register.bench_rows(count))
