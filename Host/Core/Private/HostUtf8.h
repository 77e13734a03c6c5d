// Copyright Kelmora. All Rights Reserved.
// The host's UTF-8 decoder, shared by the string conversions and the file loader.
#pragma once

#include <cstddef>

namespace HostUtf8
{
	/**
	 * Decodes UTF-8 from Source[0, Length) into Out, which has room for Length units (never more units than
	 * bytes); invalid bytes become '?' as in the engine. Returns the bytes consumed and sets OutWritten to the units
	 * written. Unless bFinal, a sequence that Length cuts short is left unconsumed for the next call, so
	 * text decoded a piece at a time comes out as if decoded whole.
	 */
	size_t Decode(const unsigned char* Source, size_t Length, bool bFinal, char16_t* Out, size_t& OutWritten);
}
