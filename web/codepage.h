#pragma once
// The byte-set forms of the program's conversions (runtime/gbk_text.h does the converting):
// GBK texts to and from UTF-8, and UTF-16 little-endian data held as bytes. Texts end at
// their first NUL byte. Characters a code page cannot hold become that page's default
// character.
#include <string>

#include "runtime/gbk_text.h"
#include "web/types.h"

// UTF-16 little-endian units of the text read in `codePage`, the terminating NUL unit
// included; empty for an empty text.
ByteSet ToWide(const std::string& text, unsigned codePage = kCodePageUtf8);

// The UTF-16 data (up to its first NUL unit or its end) in `codePage`. The default 0 is the
// system's ANSI page, which differs from machine to machine: callers name 936 or 65001.
std::string FromWide(const ByteSet& wide, unsigned codePage = 0);

std::string GbkToUtf8(const std::string& gbk);
std::string Utf8ToGbk(const std::string& utf8);
