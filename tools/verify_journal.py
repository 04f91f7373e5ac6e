#!/usr/bin/env python3
"""Checks the chain of a Veradin search journal (journal.db) without the program.

Each entry's chain_sha256 is the hex SHA-256 of the UTF-8 text
  previous \n at_utc \n name \n id_number \n host \n page \n total \n outcome \n reply_sha256
for a search, and
  previous \n at_utc \n record_id \n case_number \n text \n reply_sha256
for a detail view; previous is the chain_sha256 of the entry written before it (64 zeros for
the first). Searches and details share one id sequence, so the order written is the order of
ids across both tables.

Exit status 0 when every entry holds, 1 naming the first entry that does not, 2 on errors.
"""
import hashlib
import sqlite3
import sys

SEARCH_FIELDS = ["at_utc", "name", "id_number", "host", "page", "total", "outcome", "reply_sha256"]
DETAIL_FIELDS = ["at_utc", "record_id", "case_number", "text", "reply_sha256"]


def text(value):
    if value is None:
        return ""
    if isinstance(value, bytes):
        return value.decode("utf-8", "surrogateescape")
    return str(value)


def entries(db):
    rows = []
    for table, fields in (("searches", SEARCH_FIELDS), ("details", DETAIL_FIELDS)):
        sql = "SELECT id, chain_sha256, %s FROM %s" % (", ".join(fields), table)
        for row in db.execute(sql):
            rows.append((row[0], table, row[1], [text(v) for v in row[2:]]))
    rows.sort(key=lambda r: r[0])
    return rows


def verify(path):
    """(entries walked, None) when the chain holds, else (entries, (table, id))."""
    db = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    db.text_factory = bytes
    previous = "0" * 64
    walked = 0
    for entry_id, table, stored, fields in entries(db):
        walked += 1
        expected = hashlib.sha256("\n".join([previous] + fields).encode("utf-8", "surrogateescape")).hexdigest()
        if text(stored) != expected:
            return walked, (table, entry_id)
        previous = expected
    return walked, None


def main(argv):
    if len(argv) != 2:
        print("usage: verify_journal.py journal.db", file=sys.stderr)
        return 2
    try:
        walked, broken = verify(argv[1])
    except sqlite3.Error as e:
        print("cannot read %s: %s" % (argv[1], e), file=sys.stderr)
        return 2
    if broken:
        print("the chain breaks at %s entry %d (entry %d of the walk)" % (broken[0], broken[1], walked))
        return 1
    print("every entry holds (%d entries)" % walked)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
