cmake_policy(SET CMP0057 NEW)
# Tarvo.exe as built: it imports only functions Windows 7 SP1 has, of DLLs
# that every Windows has (no MinGW runtime), asks for no newer Windows, and
# carries its icon and its version information.
#   cmake -DOBJDUMP=... -DEXE=... -P check_binary.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump failed on ${EXE}")
endif()

# Every function Tarvo.exe imports, by DLL, each one that Windows 7 SP1 has.
# An import that is not here fails the test until it is checked against
# Windows 7 SP1 and added; a function of a newer Windows is looked up at
# run time instead.
set(allowed [[
  advapi32: RegCloseKey RegEnumKeyExW RegGetValueW RegOpenKeyExW
  comctl32: DefSubclassProc InitCommonControlsEx RemoveWindowSubclass SetWindowSubclass
  gdi32: CreateCompatibleDC CreateDIBSection CreateFontIndirectW CreateSolidBrush DeleteDC DeleteObject
    EnumFontFamiliesExW ExtTextOutW GetDeviceCaps GetObjectW GetTextMetricsW SelectObject SetBkColor
    SetBkMode SetBrushOrgEx SetStretchBltMode SetTextColor StretchBlt
  kernel32: AddVectoredExceptionHandler AssignProcessToJobObject CancelIoEx CloseHandle CreateEventA CreateEventW
    CreateFileW CreateIoCompletionPort CreateJobObjectW CreateMutexW CreateNamedPipeW CreateProcessW CreateSemaphoreA
    DeleteCriticalSection DuplicateHandle EnterCriticalSection FindClose FindFirstFileExW FindNextFileW
    FileTimeToSystemTime FormatMessageA FreeLibrary FormatMessageW GetCommandLineW GetExitCodeProcess GetOverlappedResult GetCurrentProcess GetCurrentProcessId GetCurrentThread GetCurrentThreadId
    GetFileAttributesExW GetFileAttributesW GetFileInformationByHandle GetFileType GetHandleInformation
    GetLastError GetModuleFileNameW GetModuleHandleA GetModuleHandleExW GetModuleHandleW GetProcAddress GetProcessAffinityMask GetProcessId
    GetProcessTimes GetSystemTimeAdjustment GetThreadTimes
    GetQueuedCompletionStatus GetStartupInfoW
    GetSystemDirectoryW GetSystemTimeAsFileTime GetThreadContext GetThreadPriority GetTickCount64
    InitializeCriticalSection IsDBCSLeadByteEx IsDebuggerPresent LeaveCriticalSection LoadLibraryW LocalFree
    MulDiv MultiByteToWideChar OpenProcess OutputDebugStringA PeekNamedPipe PostQueuedCompletionStatus
    QueryInformationJobObject QueryPerformanceCounter QueryPerformanceFrequency RaiseException
    ReadFile
    RegisterWaitForSingleObject
    ReleaseSemaphore RemoveVectoredExceptionHandler ResetEvent ResumeThread RtlCaptureContext SetInformationJobObject
    RtlLookupFunctionEntry RtlUnwindEx RtlVirtualUnwind SetEvent SetLastError SetProcessAffinityMask
    SetSystemTime SetThreadContext SetThreadPriority SetUnhandledExceptionFilter Sleep SuspendThread TerminateJobObject TerminateProcess TlsAlloc TlsGetValue
    TlsSetValue TryEnterCriticalSection UnregisterWaitEx VirtualProtect VirtualQuery WaitForMultipleObjects
    WaitForSingleObject WideCharToMultiByte __C_specific_handler
  msvcrt: ___lc_codepage_func ___mb_cur_max_func __iob_func __set_app_type __setusermatherr __wgetmainargs
    __winitenv _amsg_exit _beginthreadex _cexit _close _commode _endthreadex _errno _fmode _initterm _onexit
    _exit _read _setjmp _strdup _ultoa _wcmdln abort calloc exit fflush fprintf fputc fputs fputwc free fwprintf fwrite isalnum
    localeconv longjmp malloc memchr memcmp memcpy memmove memset printf realloc signal strcmp strerror strlen
    strncmp strtoul vfprintf wcslen
  user32: AdjustWindowRectEx AllowSetForegroundWindow BeginPaint CreateWindowExW DefWindowProcW DestroyIcon DestroyWindow
    DispatchMessageW DrawFocusRect DrawIconEx DrawTextW EndPaint EnumWindows FillRect FindWindowW GetActiveWindow GetClientRect
    GetDC GetFocus GetKeyState GetMessagePos GetMessageW GetMonitorInfoW GetParent GetSysColor
    GetQueueStatus GetSysColorBrush GetSystemMetrics
    GetMessageTime GetWindow GetWindowLongPtrW GetWindowTextLengthW GetWindowTextW GetWindowThreadProcessId InSendMessage InflateRect InvalidateRect IsChild IsDialogMessageW IsIconic IsWindow IsWindowVisible
    KillTimer LoadCursorW LoadIconW LoadImageW MapWindowPoints MessageBoxW MonitorFromWindow MoveWindow NotifyWinEvent PostMessageW PostQuitMessage PtInRect RegisterClassExW
    ReleaseDC ScreenToClient SendMessageTimeoutW SendMessageW SetFocus SetForegroundWindow SetTimer SetWindowLongPtrW SetWindowPos
    SetWindowTextW ShowWindow SystemParametersInfoW TranslateMessage
]])
string(REGEX REPLACE "[ \n]+" ";" allowed "${allowed}")
set(dll "")
foreach(word IN LISTS allowed)
  if(word MATCHES "^(.+):$")
    set(dll ${CMAKE_MATCH_1})
  elseif(word)
    list(APPEND permitted "${dll}.dll:${word}")
  endif()
endforeach()
string(REGEX MATCHALL "DLL Name: [^\n]+|\n\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_0-9]+" entries "${dump}")
foreach(entry IN LISTS entries)
  if(entry MATCHES "DLL Name: (.+)")
    string(TOLOWER "${CMAKE_MATCH_1}" dll)
  elseif(entry MATCHES "([A-Za-z_0-9]+)$")
    if(NOT "${dll}:${CMAKE_MATCH_1}" IN_LIST permitted)
      list(APPEND unchecked "${dll}:${CMAKE_MATCH_1}")
    endif()
  endif()
endforeach()
if(unchecked)
  message(FATAL_ERROR "Tarvo.exe imports what is not checked against Windows 7 SP1: ${unchecked}")
endif()
# The loader refuses a program that asks for a newer Windows than it is.
foreach(field OSystem Subsystem)
  string(REGEX MATCH "Major${field}Version\t+([0-9]+)\nMinor${field}Version\t+([0-9]+)" found "${dump}")
  if(NOT found OR CMAKE_MATCH_1 GREATER 6 OR (CMAKE_MATCH_1 EQUAL 6 AND CMAKE_MATCH_2 GREATER 1))
    message(FATAL_ERROR "Tarvo.exe asks for Windows ${CMAKE_MATCH_1}.${CMAKE_MATCH_2} (${field})")
  endif()
endforeach()
# Version strings are UTF-16: every other byte of the text is zero.
file(READ ${EXE} bytes HEX)
foreach(field "FileVersion" "1.00" "ProductVersion" "FileDescription" "Generic Frontend" "Comments"
              "Tarvo - Generic Front End for Emulators" "InternalName" "OriginalFilename" "Tarvo.exe")
  string(HEX "${field}" hex)
  string(REGEX REPLACE "(..)" "\\100" wide "${hex}")
  string(FIND "${bytes}" "${wide}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "Tarvo.exe's version information lacks \"${field}\"")
  endif()
endforeach()
# The manifest names Windows 7 among the systems Tarvo.exe supports.
string(HEX "35138b9a-5d96-4fbd-8e2d-a2440225f93a" windows7)
string(FIND "${bytes}" "${windows7}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "Tarvo.exe's manifest does not declare Windows 7")
endif()
if(NOT dump MATCHES "Resource Directory" AND NOT dump MATCHES "\\.rsrc")
  message(FATAL_ERROR "Tarvo.exe has no resources")
endif()
