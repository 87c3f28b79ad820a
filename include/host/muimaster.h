/* muimaster calls of this host runtime that MUI itself does not have. */
#ifndef HOST_MUIMASTER_H
#define HOST_MUIMASTER_H

#include <intuition/classes.h>

EXEC_C_BEGIN

/* Renders a Window object's contents offscreen into a PNG file at path
   (a host path). The window need not be open, but it is drawn as set up
   only while open. FALSE when obj is no window or the file cannot be written. */
BOOL HostSaveWindowImage(Object* window, CONST_STRPTR path);

EXEC_C_END

#endif
