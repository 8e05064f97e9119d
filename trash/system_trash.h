#pragma once
// The system trash of this build: the Windows shell's Recycle Bin on Windows,
// the freedesktop trash through Qt Core elsewhere.

#ifdef FERWIS_SHELL_TRASH
#include "trash/windows_trash.h"
namespace ferwis {
using SystemTrash = WindowsTrash;
}
#else
#include "trash/qt_trash.h"
namespace ferwis {
using SystemTrash = QtTrash;
}
#endif
