// The GUIDs of automation_host.idl, defined once for the programs that use them.

#include <windows.h>
// <windows.h> first: the COM headers build on its types; <initguid.h> makes DEFINE_GUID define.
#include <initguid.h>

#include "automation_host.h"
