/* muimaster calls of this host runtime that MUI itself does not have. */
#ifndef HOST_MUIMASTER_H
#define HOST_MUIMASTER_H

#include <intuition/classes.h>

EXEC_C_BEGIN

/* Renders a Window object's contents offscreen into a PNG file at path
   (a host path). The window need not be open, but it is drawn as set up
   only while open. FALSE when obj is no window or the file cannot be written. */
BOOL HostSaveWindowImage(Object* window, CONST_STRPTR path);

/* The same picture as PNG bytes in memory, allocated with AllocVec (the
   caller frees them with FreeVec), their count in *size; NULL when obj is
   no window or the picture cannot be made. Lets a caller write the file
   its own way. */
APTR HostWindowPNG(Object* window, ULONG* size);

EXEC_C_END

#endif
