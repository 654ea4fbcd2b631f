// The editor's start-up and event loop, shared by the program and the tests
// that run it whole.
#pragma once

// Starts the editor in the running QApplication (the connection choice, the
// machine's book, the main window) and runs it until it is closed. Returns
// the program's exit status.
int RunLinquara();
