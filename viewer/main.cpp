// Quire_Viewer: shows Word documents page by page. Takes no arguments.
#include "viewer.h"

int main() { return quire_viewer::main_program(); }
