/* vellum-library-png FROM/A,TO/A,SIZE/K/N
   Renders the WMF picture FROM through vellum.library and writes it to the
   PNG file TO, at most SIZE pixels wide (the library's 200 by default).
   Paths may be host paths or use volumes such as RAM:. */
#include <stdio.h>

#include <cairo.h>

#include <proto/dos.h>
#include <proto/exec.h>
#include <proto/vellum.h>

struct Library* VellumBase;

enum { ARG_FROM, ARG_TO, ARG_SIZE, ARG_COUNT };

static int write_png(const char* to) {
  APTR pixels = MetafileGetPixels();
  ULONG width = MetafileGetWidth();
  ULONG height = MetafileGetHeight();
  if (!pixels || width == 0 || height == 0) {
    printf("The picture has no pixels.\n");
    return 1;
  }
  STRPTR path = HostPath(to);
  if (!path) {
    printf("Cannot write to %s.\n", to);
    return 1;
  }
  /* The library's buffer is ARGB32 with a stride of width * 4, as cairo has it. */
  cairo_surface_t* surface = cairo_image_surface_create_for_data(pixels, CAIRO_FORMAT_ARGB32, (int)width,
                                                                 (int)height, (int)width * 4);
  cairo_status_t status = cairo_surface_write_to_png(surface, path);
  cairo_surface_destroy(surface);
  if (status == CAIRO_STATUS_SUCCESS)
    printf("%s: %lu x %lu pixels\n", path, (unsigned long)width, (unsigned long)height);
  else
    printf("Cannot write %s: %s\n", path, cairo_status_to_string(status));
  FreeVec(path);
  return status == CAIRO_STATUS_SUCCESS ? 0 : 1;
}

int main(void) {
  IPTR args[ARG_COUNT] = {0};
  struct RDArgs* rdargs = ReadArgs("FROM/A,TO/A,SIZE/K/N", args, NULL);
  if (!rdargs) {
    printf("Usage: vellum-library-png FROM/A,TO/A,SIZE/K/N\n");
    return 20;
  }
  int result = 20;
  VellumBase = OpenLibrary(VELLUMNAME, 1);
  if (!VellumBase) {
    printf("Cannot open %s.\n", VELLUMNAME);
  } else {
    if (!MetafileInit()) {
      printf("The library cannot start: a system library is missing.\n");
    } else {
      if (args[ARG_SIZE]) MetafileSetMaxSize((ULONG) * (LONG*)args[ARG_SIZE]);
      if (MetafileRenderFile((CONST_STRPTR)args[ARG_FROM]) != 0)
        printf("Cannot read or draw %s.\n", (const char*)args[ARG_FROM]);
      else
        result = write_png((const char*)args[ARG_TO]) ? 10 : 0;
      MetafileExit(1);
    }
    CloseLibrary(VellumBase);
  }
  FreeArgs(rdargs);
  return result;
}
