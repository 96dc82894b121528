// Qt's own diagnostics that say nothing to a user of this program.
#pragma once

namespace kaldora {

// Without a session manager XDG_RUNTIME_DIR is unset and Qt warns about it on
// every start, though it then uses a private folder of its own; that one
// warning is dropped, every other message passes on. Call before the Qt
// application object is made.
void DropRuntimeDirWarning();

}  // namespace kaldora
