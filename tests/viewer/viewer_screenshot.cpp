// Takes a picture of Quire_Viewer's main window with a document open on a
// given page: viewer_screenshot DOCUMENT PAGE PNG. The steps are the
// program's own; only the path and the page come from here instead of a
// person. Runs on whatever Qt platform the environment names.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

#include <host/muimaster.h>
#include <proto/exec.h>
#include <proto/muimaster.h>

#include <mui/Quire_mcc.h>

#include "viewer.h"

namespace {

void pump_events(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: viewer_screenshot DOCUMENT PAGE PNG\n");
    return 2;
  }
  quire_viewer::Viewer viewer;
  if (!quire_viewer::start(viewer)) return 1;
  quire_viewer::wire(viewer);
  SetAttrs(viewer.PathString, MUIA_String_Contents, argv[1], TAG_DONE);
  SetAttrs(viewer.PageSlider, MUIA_Numeric_Value, std::atol(argv[2]), TAG_DONE);
  pump_events(1500);
  IPTR shown = 0;
  GetAttr(MUIA_Quire_Page, viewer.Document, &shown);
  if (shown != IPTR(std::atol(argv[2]))) std::fprintf(stderr, "the document shows page %lu\n", (unsigned long)shown);
  BOOL saved = shown == IPTR(std::atol(argv[2])) && HostSaveWindowImage(viewer.MainWindow, argv[3]);
  quire_viewer::shut_down(viewer);
  return saved ? 0 : 1;
}
