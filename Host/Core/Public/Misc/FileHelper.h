// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/FileHelper.h: whole-file reads and writes.
#pragma once

#include "Containers/Array.h"
#include "Containers/ArrayView.h"
#include "Containers/StringView.h"
#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "HAL/FileManager.h"

/** Whole-file helpers. */
struct CORE_API FFileHelper
{
	/** How text is written (values as in the engine). */
	enum class EEncodingOptions
	{
		/** 8-bit when every character is 7-bit, else UTF-16 LE with a byte order mark. */
		AutoDetect,
		ForceAnsi,
		ForceUnicode,
		ForceUTF8,
		ForceUTF8WithoutBOM
	};

	/** Hash checks on load; the host has no hashes, so the value is ignored. */
	enum class EHashOptions
	{
		None = 0,
		EnableVerify = 1 << 0,
		ErrorMissingHash = 1 << 1
	};

	/**
	 * Reads a text file. UTF-8 (with or without a byte order mark) and UTF-16 LE/BE with a byte order
	 * mark are recognised; invalid UTF-8 becomes '?' as in the engine. False (and an empty Result) when the file
	 * cannot be read.
	 */
	static bool LoadFileToString(FString& Result, const TCHAR* Filename, EHashOptions VerifyFlags = EHashOptions::None, uint32 ReadFlags = 0);
	/** Reads a whole file; false when it cannot be read. */
	static bool LoadFileToArray(TArray<uint8>& Result, const TCHAR* Filename, uint32 Flags = 0);
	/** Reads a text file into lines, without their line ends. */
	static bool LoadFileToStringArray(TArray<FString>& Result, const TCHAR* Filename);

	/** Writes text in the chosen encoding, making the file's directory; false on failure. */
	static bool SaveStringToFile(FStringView String, const TCHAR* Filename, EEncodingOptions EncodingOptions = EEncodingOptions::AutoDetect, IFileManager* FileManager = &IFileManager::Get(), uint32 WriteFlags = 0);
	static bool SaveStringToFile(const FString& String, const TCHAR* Filename, EEncodingOptions EncodingOptions = EEncodingOptions::AutoDetect, IFileManager* FileManager = &IFileManager::Get(), uint32 WriteFlags = 0)
	{
		return SaveStringToFile(FStringView(String), Filename, EncodingOptions, FileManager, WriteFlags);
	}
	/** Writes bytes, making the file's directory; false on failure. */
	static bool SaveArrayToFile(TArrayView<const uint8> Array, const TCHAR* Filename, IFileManager* FileManager = &IFileManager::Get(), uint32 WriteFlags = 0);
	static bool SaveArrayToFile(const TArray<uint8>& Array, const TCHAR* Filename, IFileManager* FileManager = &IFileManager::Get(), uint32 WriteFlags = 0)
	{
		return SaveArrayToFile(TArrayView<const uint8>(Array), Filename, FileManager, WriteFlags);
	}
	/** Turns file bytes into text, detecting the encoding as LoadFileToString does. */
	static void BufferToString(FString& Result, const uint8* Buffer, int32 Size);
};
