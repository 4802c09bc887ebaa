#pragma once

// What the CAD host knows the add-in server by: the interface it asks for and the dispatch ids
// of its four members, as the host's interop declarations give them.

#include <windows.h>
// <windows.h> first: the COM headers build on its types.
#include <oaidl.h>

namespace sledway::com {

// ApplicationAddInServer, a dispatch-only interface.
inline constexpr IID kIID_ApplicationAddInServer = {
    0xE3571293, 0xDB40, 0x11D2, {0xB7, 0x83, 0x00, 0x60, 0xB0, 0xF1, 0x59, 0xEF}};

inline constexpr DISPID kDispidActivate = 0x03001201;
inline constexpr DISPID kDispidDeactivate = 0x03001202;
inline constexpr DISPID kDispidExecuteCommand = 0x03001203;
inline constexpr DISPID kDispidAutomation = 0x03001204;  // property get

}  // namespace sledway::com
