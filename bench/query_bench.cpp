// From the click on Query to the last row shown, for a 10-row page and a 2,000-row page,
// beside a bare HttpRequest of the same page in the same run. Needs the simulator
// (VERADIN_SIM, as scripts/bench.sh starts it). Not a test: it prints figures.
#include <windows.h>

#include <cstdio>
#include <string>

#include "runtime/gbk_text.h"
#include "runtime/threads.h"
#include "runtime/units.h"
#include "runtime/window.h"
#include "tests/gui/gui_harness.h"
#include "tests/gui/simulator_client.h"
#include "web/http_request.h"
#include "web/url.h"

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

double BareRequest(const SimulatorClient& sim, const std::string& body) {
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  const ByteSet page = HttpRequest("http://" + sim.Address() + "/findDisNew", 1, body);
  QueryPerformanceCounter(&b);
  return page.empty() ? -1 : Seconds(a, b);
}

double ClickToLastRow(ProgramRun& run, HWND main, int rows) {
  HWND list = FindUnit(main, "超级列表框1");
  BringToFront(main);
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  ClickAt(main, 515, 72);
  const bool done = WaitFor([&] { return ListRowCount(list) == rows && RunningWorkers() == 0; }, 600000);
  QueryPerformanceCounter(&b);
  (void)run;
  return done ? Seconds(a, b) : -1;
}

}  // namespace

int main() {
  SimulatorClient sim;
  if (!sim.Available()) {
    std::printf("VERADIN_SIM is not set: run scripts/bench.sh\n");
    return 1;
  }
  ProgramRun run(sim.Address());
  HWND box = run.WaitForMessageBox();
  if (!box) return 1;
  AnswerMessageBox(box, IDYES);
  HWND main = run.MainWindow();
  WaitFor([&] { return RunningWorkers() == 0; });
  const std::string name = "李明";
  SetWindowTextW(FindUnit(main, "Name"), GbkToWide(name).c_str());
  SetWindowTextW(FindUnit(main, "Code"), L"abcd");
  // The program's own captcha identifier is in the log; the bare request uses it too.
  const std::string id = FormField(sim.Requests("/captchaNew.do").back(), "captchaId");
  const std::string body = "pName=" + UrlEncode(name, false, true) + "&pCardNum=&pProvince=0&pCode=abcd&captchaId=" + id;

  for (int rows : {10, 2000}) {
    sim.Control(rows == 10 ? "/__sim/config?bench_rows=0" : "/__sim/config?bench_rows=2000");
    const double request = BareRequest(sim, body);
    const double whole = ClickToLastRow(run, main, rows);
    std::printf("%5d rows: bare request %.3f s, click to last row %.3f s, ratio %.2f\n", rows, request, whole,
                request > 0 ? whole / request : 0.0);
  }
  return 0;
}
