// Program-wide flags shared by the window, the command-line driver and the save engine.
// Everything runs on one thread, so plain Booleans serve.
#pragma once

namespace glyphora {

// Set while the command-line driver runs: saves then replace existing files without asking.
inline bool CommandLineActive = false;
// Set while a folder scan runs; Escape clears it to stop the scan.
inline bool ScanActive = false;
// Set when the main window has agreed to close.
inline bool MainWindowClosing = false;

} // namespace glyphora
