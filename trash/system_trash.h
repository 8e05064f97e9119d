#pragma once
// The system trash of this build: the Recycle Bin through the Windows shell on
// Windows, the freedesktop trash through GIO elsewhere.

#ifdef _WIN32
#include "trash/windows_trash.h"
namespace ferwis {
using SystemTrash = WindowsTrash;
}
#else
#include "trash/gio_trash.h"
namespace ferwis {
using SystemTrash = GioTrash;
}
#endif
