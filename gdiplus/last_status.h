#pragma once
// The status of the latest GDI+ call made through the drawing objects, kept per thread so
// that a status read right after a call is that call's even when other threads draw too.
#include "gdiplus/gdiplus_headers.h"

gp::Status LastStatus();

// Stores a status as the latest one and tells whether it is Ok.
bool RecordStatus(gp::Status status);
