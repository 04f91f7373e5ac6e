#pragma once
// Long text scans let the calling thread's window messages through now and then. The
// window-unit runtime installs the real pump; until then PumpMessages does nothing, which
// keeps the text routines free of any window code.

using MessagePump = void (*)();

void SetMessagePump(MessagePump pump);  // nullptr restores the do-nothing pump
void PumpMessages();
