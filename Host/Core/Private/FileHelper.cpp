// Copyright Kelmora. All Rights Reserved.
#include "Misc/FileHelper.h"

#include "Containers/StringConv.h"
#include "CoreGlobals.h"
#include "GenericPlatform/GenericPlatformFile.h"
#include "HAL/PlatformFileManager.h"
#include "HostUtf8.h"
#include "Misc/Paths.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

DEFINE_LOG_CATEGORY_STATIC(LogFileHelper, Log, All);

namespace
{
	std::string ToNativePath(const TCHAR* Filename)
	{
		return std::string(FTCHARToUTF8(Filename).Get());
	}

	/** Opens an existing file for reading and gives its size; false (with a warning unless silent) when it cannot. */
	bool OpenForReading(const TCHAR* Filename, uint32 Flags, const TCHAR* Caller, std::ifstream& OutStream, int64& OutSize)
	{
		if (!Filename || !*Filename || !FPaths::FileExists(FString(Filename)))
		{
			UE_CLOG(!(Flags & FILEREAD_Silent) && Filename && *Filename, LogFileHelper, Warning, TEXT("%s: %s does not exist"), Caller, Filename);
			return false;
		}
		OutStream.open(ToNativePath(Filename), std::ios::binary | std::ios::ate);
		if (!OutStream)
		{
			UE_CLOG(!(Flags & FILEREAD_Silent), LogFileHelper, Warning, TEXT("%s: could not open %s"), Caller, Filename);
			return false;
		}
		const std::streamoff Size = OutStream.tellg();
		if (Size < 0 || Size > std::streamoff(0x7fffffff))
		{
			UE_LOG(LogFileHelper, Warning, TEXT("%s: %s is too large to load"), Caller, Filename);
			return false;
		}
		OutStream.seekg(0);
		OutSize = int64(Size);
		return true;
	}

	bool WriteBytes(const TCHAR* Filename, const uint8* Data, int64 Size, uint32 WriteFlags)
	{
		if (!Filename || !*Filename)
		{
			return false;
		}
		const FString Directory = FPaths::GetPath(FString(Filename));
		if (!Directory.IsEmpty())
		{
			FPlatformFileManager::Get().GetPlatformFile().CreateDirectoryTree(*Directory);
		}
		if ((WriteFlags & FILEWRITE_NoReplaceExisting) && FPaths::FileExists(FString(Filename)))
		{
			return false;
		}
		std::ofstream Stream(ToNativePath(Filename), std::ios::binary | ((WriteFlags & FILEWRITE_Append) ? std::ios::app : std::ios::trunc));
		if (!Stream)
		{
			UE_CLOG(!(WriteFlags & FILEWRITE_Silent), LogFileHelper, Warning, TEXT("SaveToFile: could not open %s for writing"), Filename);
			return false;
		}
		if (Size > 0)
		{
			Stream.write(reinterpret_cast<const char*>(Data), std::streamsize(Size));
		}
		Stream.close();
		return !Stream.fail();
	}

	void AppendUTF16(std::string& Bytes, TCHAR Char, bool bBigEndian)
	{
		const uint16 Unit = uint16(Char);
		const char Low = char(Unit & 0xff);
		const char High = char(Unit >> 8);
		Bytes.push_back(bBigEndian ? High : Low);
		Bytes.push_back(bBigEndian ? Low : High);
	}
}

void FFileHelper::BufferToString(FString& Result, const uint8* Buffer, int32 Size)
{
	Result.Empty();
	if (!Buffer || Size <= 0)
	{
		return;
	}
	if (Size >= 2 && !(Size & 1) && ((Buffer[0] == 0xff && Buffer[1] == 0xfe) || (Buffer[0] == 0xfe && Buffer[1] == 0xff)))
	{
		const bool bBigEndian = Buffer[0] == 0xfe;
		std::u16string Text;
		Text.reserve(size_t(Size / 2 - 1));
		for (int32 Index = 2; Index + 1 < Size; Index += 2)
		{
			const uint16 Unit = bBigEndian ? uint16((Buffer[Index] << 8) | Buffer[Index + 1]) : uint16(Buffer[Index] | (Buffer[Index + 1] << 8));
			Text.push_back(TCHAR(Unit));
		}
		// As in the engine, the text ends at the first null character.
		const size_t Null = Text.find(TCHAR(0));
		if (Null != std::u16string::npos)
		{
			Text.resize(Null);
		}
		Result = FString(std::move(Text));
		return;
	}
	int32 Start = 0;
	if (Size >= 3 && Buffer[0] == 0xef && Buffer[1] == 0xbb && Buffer[2] == 0xbf)
	{
		Start = 3;
	}
	const void* const Null = std::memchr(Buffer + Start, 0, size_t(Size - Start));
	const int32 Length = Null ? int32(static_cast<const uint8*>(Null) - (Buffer + Start)) : Size - Start;
	FUTF8ToTCHAR Converted(reinterpret_cast<const ANSICHAR*>(Buffer + Start), Length);
	Result = FString(MoveTemp(Converted.GetHostString()));
}

bool FFileHelper::LoadFileToArray(TArray<uint8>& Result, const TCHAR* Filename, uint32 Flags)
{
	Result.Empty();
	std::ifstream Stream;
	int64 Size = 0;
	if (!OpenForReading(Filename, Flags, TEXT("LoadFileToArray"), Stream, Size))
	{
		return false;
	}
	Result.AddUninitialized(int32(Size));
	if (Size > 0 && !Stream.read(reinterpret_cast<char*>(Result.GetData()), Size))
	{
		Result.Empty();
		return false;
	}
	return true;
}

bool FFileHelper::LoadFileToString(FString& Result, const TCHAR* Filename, EHashOptions VerifyFlags, uint32 ReadFlags)
{
	Result.Empty();
	std::ifstream Stream;
	int64 Size = 0;
	if (!OpenForReading(Filename, ReadFlags | FILEREAD_Silent, TEXT("LoadFileToString"), Stream, Size))
	{
		return false;
	}

	// UTF-8 text (the usual case) is decoded as it is read, a piece at a time, so the whole file is never held
	// as bytes next to its text; what comes out is what BufferToString gives for the whole file.
	constexpr size_t PieceSize = 1 << 16;
	const std::unique_ptr<unsigned char[]> Bytes(new unsigned char[PieceSize]);
	const std::unique_ptr<char16_t[]> Units(new char16_t[PieceSize]);
	const size_t FirstRead = size_t(std::min<int64>(Size, int64(PieceSize)));
	if (FirstRead > 0 && !Stream.read(reinterpret_cast<char*>(Bytes.get()), std::streamsize(FirstRead)))
	{
		return false;
	}
	if (Size >= 2 && !(Size & 1) && ((Bytes[0] == 0xff && Bytes[1] == 0xfe) || (Bytes[0] == 0xfe && Bytes[1] == 0xff)))
	{
		// UTF-16 with a byte order mark, which is rare: read whole.
		TArray<uint8> Whole;
		Whole.AddUninitialized(int32(Size));
		std::memcpy(Whole.GetData(), Bytes.get(), FirstRead);
		if (Size > int64(FirstRead) && !Stream.read(reinterpret_cast<char*>(Whole.GetData() + FirstRead), std::streamsize(Size - int64(FirstRead))))
		{
			return false;
		}
		BufferToString(Result, Whole.GetData(), Whole.Num());
		return true;
	}

	std::u16string& Text = Result.GetHostString();
	// Never more units than bytes: room is made once.
	Text.reserve(size_t(Size));
	size_t Start = (Size >= 3 && Bytes[0] == 0xef && Bytes[1] == 0xbb && Bytes[2] == 0xbf) ? 3 : 0;
	size_t Available = FirstRead;
	size_t Fresh = 0;
	int64 Remaining = Size - int64(FirstRead);
	for (;;)
	{
		// As in the engine, the text ends at the first null character.
		const void* const Null = std::memchr(Bytes.get() + Fresh, 0, Available - Fresh);
		const bool bEnded = Null != nullptr || Remaining == 0;
		const size_t End = Null ? size_t(static_cast<const unsigned char*>(Null) - Bytes.get()) : Available;
		size_t Written = 0;
		const size_t Consumed = HostUtf8::Decode(Bytes.get() + Start, End - Start, bEnded, Units.get(), Written);
		Text.append(Units.get(), Written);
		if (bEnded)
		{
			return true;
		}
		// A sequence cut short (at most five bytes) waits at the front for the rest of it.
		const size_t Kept = End - Start - Consumed;
		std::memmove(Bytes.get(), Bytes.get() + Start + Consumed, Kept);
		const size_t Read = size_t(std::min<int64>(Remaining, int64(PieceSize - Kept)));
		if (!Stream.read(reinterpret_cast<char*>(Bytes.get() + Kept), std::streamsize(Read)))
		{
			Result.Empty();
			return false;
		}
		Remaining -= int64(Read);
		Start = 0;
		Fresh = Kept;
		Available = Kept + Read;
	}
}

bool FFileHelper::LoadFileToStringArray(TArray<FString>& Result, const TCHAR* Filename)
{
	Result.Empty();
	FString Text;
	if (!LoadFileToString(Text, Filename))
	{
		return false;
	}
	FString Line;
	for (const TCHAR Char : Text)
	{
		if (Char == TCHAR('\n'))
		{
			Result.Add(Line);
			Line.Empty();
		}
		else if (Char != TCHAR('\r'))
		{
			Line.AppendChar(Char);
		}
	}
	if (!Line.IsEmpty())
	{
		Result.Add(Line);
	}
	return true;
}

bool FFileHelper::SaveStringToFile(FStringView String, const TCHAR* Filename, EEncodingOptions EncodingOptions, IFileManager* FileManager, uint32 WriteFlags)
{
	if (EncodingOptions == EEncodingOptions::AutoDetect)
	{
		EncodingOptions = EEncodingOptions::ForceAnsi;
		for (const TCHAR Char : String)
		{
			if (uint16(Char) > 0x7f)
			{
				EncodingOptions = EEncodingOptions::ForceUnicode;
				break;
			}
		}
	}
	std::string Bytes;
	switch (EncodingOptions)
	{
	case EEncodingOptions::ForceUnicode:
		Bytes.reserve(size_t(String.Len()) * 2 + 2);
		Bytes.push_back(char(0xff));
		Bytes.push_back(char(0xfe));
		for (const TCHAR Char : String)
		{
			AppendUTF16(Bytes, Char, false);
		}
		break;
	case EEncodingOptions::ForceUTF8:
	{
		const FTCHARToUTF8 Converted(String.GetData(), String.Len());
		Bytes = "\xEF\xBB\xBF";
		Bytes.append(Converted.Get(), size_t(Converted.Length()));
		break;
	}
	case EEncodingOptions::ForceUTF8WithoutBOM:
	{
		const FTCHARToUTF8 Converted(String.GetData(), String.Len());
		Bytes.assign(Converted.Get(), size_t(Converted.Length()));
		break;
	}
	default:
		Bytes.reserve(size_t(String.Len()));
		for (const TCHAR Char : String)
		{
			Bytes.push_back(uint16(Char) > 0xff ? '?' : char(Char));
		}
		break;
	}
	return WriteBytes(Filename, reinterpret_cast<const uint8*>(Bytes.data()), int64(Bytes.size()), WriteFlags);
}

bool FFileHelper::SaveArrayToFile(TArrayView<const uint8> Array, const TCHAR* Filename, IFileManager* FileManager, uint32 WriteFlags)
{
	return WriteBytes(Filename, Array.GetData(), Array.Num(), WriteFlags);
}
