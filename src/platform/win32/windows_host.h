#pragma once
// The host's facts on Windows, and the system's own words.

#include <windows.h>

#include <string>

#include "os/host.h"

namespace tarvo::win32 {

// "\" and ".exe"; the folder of Tarvo.exe; the command line after the
// program's name, exactly as typed.
Host WindowsHost();

// The system's words for an error code.
std::string SystemMessage(DWORD code);
// Tarvo's message: exclamation icon, OK, title "Tarvo"; over owner, which
// takes no input meanwhile, when there is one.
void ShowMessage(HWND owner, const std::string& text);

}  // namespace tarvo::win32
