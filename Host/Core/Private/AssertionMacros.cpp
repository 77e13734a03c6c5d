// Copyright Kelmora. All Rights Reserved.
#include "Misc/AssertionMacros.h"

#include <cstdio>
#include <cstdlib>

namespace UE::Host
{
	void AssertFailed(const char* Expression, const char* File, int Line, const char* Message)
	{
		std::fprintf(stderr, "Assertion failed: %s [File:%s] [Line: %d]%s%s\n", Expression, File, Line, Message ? " " : "", Message ? Message : "");
		std::fflush(stderr);
		std::abort();
	}

	bool EnsureFailed(const char* Expression, const char* File, int Line)
	{
		std::fprintf(stderr, "Ensure condition failed: %s [File:%s] [Line: %d]\n", Expression, File, Line);
		return false;
	}
}
