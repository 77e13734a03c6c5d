// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/CString.h: C-library style helpers on TCHAR strings.
#pragma once

#include "CoreTypes.h"
#include "Misc/Char.h"

namespace ESearchCase
{
	enum Type
	{
		CaseSensitive,
		IgnoreCase,
	};
}

namespace ESearchDir
{
	enum Type
	{
		FromStart,
		FromEnd,
	};
}

/** TCHAR string helpers. Conversions saturate instead of overflowing. */
struct FCString
{
	static int32 Strlen(const TCHAR* String);
	static int32 Strcmp(const TCHAR* A, const TCHAR* B);
	static int32 Stricmp(const TCHAR* A, const TCHAR* B);
	static int32 Strncmp(const TCHAR* A, const TCHAR* B, SIZE_T Count);
	static int32 Strnicmp(const TCHAR* A, const TCHAR* B, SIZE_T Count);
	static const TCHAR* Strstr(const TCHAR* String, const TCHAR* Find);
	static const TCHAR* Stristr(const TCHAR* String, const TCHAR* Find);
	static int32 Atoi(const TCHAR* String);
	static int64 Atoi64(const TCHAR* String);
	static float Atof(const TCHAR* String);
	static double Atod(const TCHAR* String);
	static bool ToBool(const TCHAR* String);
	static int32 Strtoi(const TCHAR* Start, TCHAR** End, int32 Base);
	static int64 Strtoi64(const TCHAR* Start, TCHAR** End, int32 Base);
	static uint64 Strtoui64(const TCHAR* Start, TCHAR** End, int32 Base);
	static bool IsNumeric(const TCHAR* Str);
};

struct FCStringAnsi
{
	static int32 Strlen(const ANSICHAR* String);
};
