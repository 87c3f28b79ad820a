// The public class list, as the object functions look classes up in it.
#pragma once

#include <intuition/classes.h>

namespace host {
// The public class named id (rootclass included), or NULL.
struct IClass* public_class(ClassID id);
}  // namespace host
