"""The HTML pages and JSON documents the service answers, shaped like the real ones.

Everything echoed from a request is HTML-escaped: a query is free text, and an
unescaped quote or tag in it could forge the very cells that clients scrape.
"""

from __future__ import annotations

import json
from html import escape
from typing import List

from register_sim.register_data import Record
from register_sim.search import ROWS_PER_PAGE, ResultPage

TITLE = "全国法院失信被执行人名单信息公布与查询"
REFUSED_TEXT = "验证码错误或验证码已过期，请重新输入！"
BUSY_TEXT = "网站当前访问量较大，请输入验证码后继续访问"
CHALLENGE_TEXT = "请开启JavaScript并刷新该页"

_DOCTYPE = ('<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" '
            '"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd">\n')


def _head(extra: str = "") -> str:
    return (_DOCTYPE + '<html xmlns="http://www.w3.org/1999/xhtml">\n<head>\n'
            '<meta http-equiv="Content-Type" content="text/html; charset=utf-8" />\n'
            f"<title>{TITLE}</title>\n"
            '<link href="/css/zxgk.css" rel="stylesheet" type="text/css" />\n'
            + extra + "</head>\n")


def _row(no: int, r: Record) -> str:
    return ('<tr style="height:28px;">\n'
            f'\t<td align="center">{no}</td>\n'
            f'\t<td nowrap="nowrap" align="left"><a title="{escape(r.name)}">{escape(r.name)}</a></td>\n'
            f'\t<td align="center">{escape(r.reg_date)}</td>\n'
            f'\t<td nowrap="nowrap" align="left">{escape(r.case_code)}</td>\n'
            f'\t<td align="center">[<a href="javascript:void(0);" class="View" id="{r.id}">查看</a>]\n'
            "\t\t\t\t\t\t\t\t</td>\n"
            "</tr>\n")


def _pager(page: ResultPage) -> str:
    prev_page = max(page.current_page - 1, 1)
    next_page = max(min(page.current_page + 1, page.total_pages), 1)
    last_page = max(page.total_pages, 1)
    return ('<div align="right" style="padding-top:8px;">\n'
            '\t<a href="javascript:void(0);" onclick="gotoPage(1)">首页</a>\n'
            f'\t<a href="javascript:void(0);" onclick="gotoPage({prev_page})">上一页 </a>\n'
            f'\t<a href="javascript:void(0);" onclick="gotoPage({next_page})">下一页</a>\n'
            f'\t<a href="javascript:void(0);" onclick="gotoPage({last_page})">尾页</a>\n'
            '\t<input type="button" class="bt_jump" onclick="jumpPage()" value="到" />\n'
            '\t<input id="pagenum" name="pagenum" maxlength="6" value="" size="4" type="text" />'
            f" 页 {page.current_page}/{page.total_pages} 共{page.total}条\n"
            "</div>\n")


def result_page(page: ResultPage) -> str:
    q = page.query
    script = ('<script type="text/javascript" src="/js/jquery-1.4.2.min.js"></script>\n'
              '<script type="text/javascript">\n'
              f"\tvar totalPage = {page.total_pages};\n"
              "\tfunction gotoPage(n) {\n"
              "\t\tif (n < 1 || n > totalPage) { return; }\n"
              '\t\tdocument.getElementById("currentPage").value = n;\n'
              '\t\tdocument.getElementById("searchForm").submit();\n'
              "\t}\n"
              "\tfunction jumpPage() {\n"
              '\t\tgotoPage(parseInt(document.getElementById("pagenum").value, 10));\n'
              "\t}\n"
              "</script>\n")
    rows: List[str] = [_row(i % ROWS_PER_PAGE + 1, r) for i, r in enumerate(page.rows)]
    return (_head(script) + "<body>\n"
            '<div id="ResultlistBlock" style="width:100%;">\n'
            '<h4 style="font-size:14px;">对<span style="color: red; font-weight: bold;">"'
            f"{escape(q.name)}\"</span>的查询结果：</h4>\n"
            '<table id="Resultlist" class="Resultlist" width="100%" border="0" cellspacing="0" cellpadding="0">\n'
            "<tbody>\n"
            "<tr>\n"
            '\t<th width="50">序号</th>\n'
            "\t<th>被执行人姓名/名称</th>\n"
            '\t<!-- <th width="60">性别</th> -->\n'
            '\t<th width="120">立案时间</th>\n'
            "\t<th>案号</th>\n"
            '\t<th width="60">查看</th>\n'
            "</tr>\n"
            + "".join(rows) +
            "</tbody>\n</table>\n"
            + _pager(page) +
            "</div>\n"
            '<form id="searchForm" name="searchForm" action="/findDisNew" method="post">\n'
            f'\t<input type="hidden" id="currentPage" name="currentPage" value="{page.current_page}" />\n'
            f'\t<input type="hidden" id="pName" name="pName" value="{escape(q.name)}" />\n'
            f'\t<input type="hidden" id="pCardNum" name="pCardNum" value="{escape(q.card)}" />\n'
            f'\t<input type="hidden" id="pProvince" name="pProvince" value="{escape(q.province)}" />\n'
            '\t<input type="hidden" id="pCode" name="pCode" value="" />\n'
            "</form>\n"
            "</body>\n</html>\n")


def refused_page() -> str:
    return (_head() + "<body>\n"
            '<div style="text-align:center; padding-top:20px;">'
            f'<span style="color: red; font-size: 14px;">{REFUSED_TEXT}</span></div>\n'
            "</body>\n</html>\n")


def busy_page() -> str:
    return (_head() + "<body>\n"
            '<div style="text-align:center; padding-top:40px;">\n'
            f'\t<p style="font-size:16px;">{BUSY_TEXT}</p>\n'
            '\t<form action="/findDisNew" method="post">\n'
            '\t\t<img id="captchaImg" src="/captchaNew.do?captchaId=busy" alt="验证码" />\n'
            '\t\t<input name="pCode" size="6" /> <input type="submit" value="继续访问" />\n'
            "\t</form>\n</div>\n</body>\n</html>\n")


def challenge_page() -> str:
    return ("<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
            "<script type=\"text/javascript\">\n"
            "\tvar _t = 1543214; document.cookie = \"__jsl_clearance=\" + (_t * 3) + \"; path=/\";\n"
            "\tlocation.reload();\n"
            "</script>\n</head>\n<body>\n"
            f"<noscript>{CHALLENGE_TEXT}</noscript>\n"
            "</body>\n</html>\n")


def error_page(status: int, reason: str) -> str:
    return (f"<html><head><title>{status} {escape(reason)}</title></head>\n"
            f"<body><h1>HTTP Status {status} - {escape(reason)}</h1></body></html>\n")


def picture_placeholder_page() -> str:
    """What the service sometimes sends where a captcha picture belongs."""
    return (_head() + "<body>\n"
            '<div style="padding:10px;">系统繁忙，请稍后再试。</div>\n'
            "</body>\n</html>\n")


def detail_json(record: Record) -> str:
    # Compact separators and raw UTF-8: clients cut values at '"key":"' markers.
    return json.dumps(record.detail(), ensure_ascii=False, separators=(",", ":"))


REFUSED_DETAIL = "{}"
