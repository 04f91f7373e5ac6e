#pragma once
// The export's worker: fetches the pages one at a time and writes their rows to the file.

// Worker thread, started once the export's job is set.
void RunExport();
