// The Win32 types and constants that the game code is written against. Every
// constant keeps its Windows value so that a Windows build can take them
// straight from <windows.h> instead.
#pragma once

#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using LPCSTR = const char*;

struct HWND__;
using HWND = HWND__*;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

// Dialog results and the standard command ids.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// MessageBoxA flags.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONHAND = MB_ICONERROR;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONINFORMATION = 0x00000040;
constexpr UINT MB_ICONASTERISK = MB_ICONINFORMATION;
constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_TASKMODAL = 0x00002000;
