// Quire_Viewer: a MUI application that shows a Word document page by page
// through an object of the quire.mcc class. The program runs its steps in
// order: start, wire, (open a document given on the command line,) run,
// shut down.
#pragma once

#include <exec/libraries.h>
#include <intuition/classusr.h>

namespace quire_viewer {

inline constexpr ULONG INFO_BLOCK_SIZE = 16;

// Everything the program holds while it runs. The objects belong to the
// application object; the pointers here only name them for the wiring.
struct Viewer {
  struct Library* IntuitionBase = nullptr;
  struct Library* MUIMasterBase = nullptr;
  struct Library* UtilityBase = nullptr;
  APTR InfoBlock = nullptr;  // handed to the document object, freed last
  Object* App = nullptr;
  Object* MainWindow = nullptr;
  Object* AboutWindow = nullptr;
  Object* Menustrip = nullptr;
  Object* PathString = nullptr;
  Object* Document = nullptr;
  Object* Gauge = nullptr;
  Object* PageSlider = nullptr;
  Object* PropertyTexts[4] = {};  // Title, Subject, Author, Company
};

// Opens the three libraries, allocates InfoBlock and builds the object
// tree. On failure everything done is undone (with "I can't create the
// app!\n" printed when the tree could not be built) and the result is false.
bool start(Viewer& viewer);

// The notifications between the objects, the document object's partners,
// and the main window opened.
void wire(Viewer& viewer);

// Opens a document as if its path had been typed into the File field.
void open_document(Viewer& viewer, const char* path);

// MUI's input loop; returns on the quit id or a break signal (Ctrl-C).
void run(Viewer& viewer);

// Closes the window, disposes the application, frees InfoBlock and
// closes the libraries.
void shut_down(Viewer& viewer);

// The whole program, showing `document` (a path, or NULL) first; always 0.
int main_program(const char* document);

}  // namespace quire_viewer
