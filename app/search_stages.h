#pragma once
// Where the time of the last search went, for the bench: the performance counter at the end
// of each stage (0 when the search did not reach it), the reply's size and the worker's own
// CPU time.
#include <cstddef>

struct SearchStages {
  long long asked = 0;          // the click's or Enter's handler began
  long long formRead = 0;       // the form is read; the worker is about to start
  long long workerStarted = 0;  // the worker took the search
  long long replyEnd = 0;       // the request ended with the whole reply
  long long text = 0;           // the reply judged (refused, no result page, or rows) and its count read
  long long cells = 0;          // the rows cut and converted
  long long rowsHanded = 0;     // the list holds the rows, the label the count
  std::size_t replyBytes = 0;
  double workerCpuSeconds = 0;  // user and kernel time of the worker thread
};

SearchStages LastSearchStages();
