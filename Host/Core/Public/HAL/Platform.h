// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's HAL/Platform.h: fixed-width types, TCHAR and the TEXT() macro.
#pragma once

#include <cstddef>
#include <cstdint>

typedef std::uint8_t uint8;
typedef std::uint16_t uint16;
typedef std::uint32_t uint32;
typedef std::uint64_t uint64;
typedef std::int8_t int8;
typedef std::int16_t int16;
typedef std::int32_t int32;
typedef std::int64_t int64;
typedef std::uintptr_t UPTRINT;
typedef std::intptr_t PTRINT;
typedef std::size_t SIZE_T;

typedef char ANSICHAR;
typedef char16_t WIDECHAR;
typedef char8_t UTF8CHAR;
typedef char16_t UTF16CHAR;
typedef char32_t UTF32CHAR;

/** The engine's 16-bit text character (UTF-16 code unit), as on the engine's desktop targets. */
typedef WIDECHAR TCHAR;

#define UE_TEXT_CONCAT(x) u##x
#define TEXT(x) UE_TEXT_CONCAT(x)

#define FORCEINLINE inline
#define FORCENOINLINE __attribute__((noinline))
#define UE_NODISCARD [[nodiscard]]

#define PLATFORM_WINDOWS 0
#define PLATFORM_LINUX 1
#define PLATFORM_MAC 0

// The host builds as one process; module import/export macros are empty.
#define DLLEXPORT __attribute__((visibility("default")))
#define DLLIMPORT

#ifndef WITH_EDITOR
#define WITH_EDITOR 1
#endif
#ifndef WITH_EDITORONLY_DATA
#define WITH_EDITORONLY_DATA 1
#endif

// The engine's Windows line terminator: files and JSON text the host writes match a Windows editor's.
#define LINE_TERMINATOR TEXT("\r\n")
#define LINE_TERMINATOR_ANSI "\r\n"

enum
{
	INDEX_NONE = -1
};
