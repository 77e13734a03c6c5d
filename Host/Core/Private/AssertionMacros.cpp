// Copyright Kelmora. All Rights Reserved.
#include "Misc/AssertionMacros.h"
#include "Containers/StringConv.h"
#include "Containers/UnrealString.h"

#include <cstdio>
#include <cstdlib>

namespace UE::Host
{
	void AssertFailed(const char* Expression, const char* File, int Line, const char* Message)
	{
		std::fprintf(stderr, "Assertion failed: %s [File:%s] [Line: %d]%s%s\n", Expression, File, Line, Message ? "\n" : "", Message ? Message : "");
		std::fflush(stderr);
		std::abort();
	}

	void AssertFailedWithMessage(const char* Expression, const char* File, int Line, const FString& Message)
	{
		const FTCHARToUTF8 Utf8(*Message, Message.Len());
		const std::string Text(Utf8.Get(), size_t(Utf8.Length()));
		AssertFailed(Expression, File, Line, Text.c_str());
	}

	bool EnsureFailed(const char* Expression, const char* File, int Line)
	{
		std::fprintf(stderr, "Ensure condition failed: %s [File:%s] [Line: %d]\n", Expression, File, Line);
		return false;
	}
}
