#pragma once
// The system trash of this build: through Qt Core where the build has Qt, and
// through the Windows shell where a Windows build has none (the command line
// built alone).

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
