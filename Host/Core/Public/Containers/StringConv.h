// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Containers/StringConv.h: UTF-8 and ANSI conversions of TCHAR text.
#pragma once

#include "CoreTypes.h"

#include <string>

/** TCHAR (UTF-16) to UTF-8; lone surrogates become U+FFFD. */
class FTCHARToUTF8
{
public:
	explicit FTCHARToUTF8(const TCHAR* Source);
	FTCHARToUTF8(const TCHAR* Source, int32 SourceLen);
	const ANSICHAR* Get() const { return Converted.c_str(); }
	int32 Length() const { return static_cast<int32>(Converted.size()); }

private:
	std::string Converted;
};

/** UTF-8 to TCHAR (UTF-16); what is not UTF-8 becomes '?', as in the engine. */
class FUTF8ToTCHAR
{
public:
	explicit FUTF8ToTCHAR(const ANSICHAR* Source);
	FUTF8ToTCHAR(const ANSICHAR* Source, int32 SourceLen);
	const TCHAR* Get() const { return Converted.c_str(); }
	int32 Length() const { return static_cast<int32>(Converted.size()); }
	/** The converted text, for the host's own callers to take without a copy. */
	std::u16string& GetHostString() { return Converted; }

private:
	std::u16string Converted;
};

/** TCHAR to 8-bit text: characters above 255 become '?'. */
class FTCHARToANSI
{
public:
	explicit FTCHARToANSI(const TCHAR* Source);
	const ANSICHAR* Get() const { return Converted.c_str(); }
	int32 Length() const { return static_cast<int32>(Converted.size()); }

private:
	std::string Converted;
};

/** 8-bit text to TCHAR, each byte keeping its code. */
class FANSIToTCHAR
{
public:
	explicit FANSIToTCHAR(const ANSICHAR* Source);
	const TCHAR* Get() const { return Converted.c_str(); }
	int32 Length() const { return static_cast<int32>(Converted.size()); }

private:
	std::u16string Converted;
};

#define TCHAR_TO_UTF8(Str) (ANSICHAR*)FTCHARToUTF8((const TCHAR*)(Str)).Get()
#define UTF8_TO_TCHAR(Str) (TCHAR*)FUTF8ToTCHAR((const ANSICHAR*)(Str)).Get()
#define TCHAR_TO_ANSI(Str) (ANSICHAR*)FTCHARToANSI((const TCHAR*)(Str)).Get()
#define ANSI_TO_TCHAR(Str) (TCHAR*)FANSIToTCHAR((const ANSICHAR*)(Str)).Get()
