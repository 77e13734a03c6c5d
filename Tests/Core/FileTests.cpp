// Copyright Kelmora. All Rights Reserved.
#include "GenericPlatform/GenericPlatformFile.h"
#include "HAL/FileManager.h"
#include "HAL/PlatformFileManager.h"
#include "HeadlessProject.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <utility>

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(FTCHARToUTF8(*Text).Get());
	}

	void WriteBytes(const FString& Filename, const std::string& Bytes)
	{
		std::ofstream Stream(Utf8(Filename), std::ios::binary);
		Stream << Bytes;
	}

	std::string ReadBytes(const FString& Filename)
	{
		std::ifstream Stream(Utf8(Filename), std::ios::binary);
		return std::string((std::istreambuf_iterator<char>(Stream)), std::istreambuf_iterator<char>());
	}

	const FString Expected(TEXT("h\u00e9llo \u20ac"));
}

TEST(FileHelperLoad, DetectsEveryEncodingTheEngineDoes)
{
	FScopedHeadlessProject Project;
	const FString Filename = Project.GetProjectDir() + TEXT("text.txt");
	struct FCase
	{
		const char* Name;
		std::string Bytes;
	};
	const FCase Cases[] = {
		{"UTF-8 without BOM", "h\xC3\xA9llo \xE2\x82\xAC"},
		{"UTF-8 with BOM", "\xEF\xBB\xBFh\xC3\xA9llo \xE2\x82\xAC"},
		{"UTF-16 LE", std::string("\xFF\xFEh\0\xE9\0l\0l\0o\0 \0\xAC\x20", 16)},
		{"UTF-16 BE", std::string("\xFE\xFF\0h\0\xE9\0l\0l\0o\0 \x20\xAC", 16)},
	};
	for (const FCase& Case : Cases)
	{
		WriteBytes(Filename, Case.Bytes);
		FString Text;
		EXPECT_TRUE(FFileHelper::LoadFileToString(Text, *Filename)) << Case.Name;
		EXPECT_EQ(Utf8(Text), Utf8(Expected)) << Case.Name;
	}
}

TEST(FileHelperLoad, TurnsWhatIsNotUtf8IntoQuestionMarksAsTheEngineDoes)
{
	FScopedHeadlessProject Project;
	const FString Filename = Project.GetProjectDir() + TEXT("bytes.txt");
	const std::pair<std::string, std::string> Cases[] = {
		{"x\xC3(\xFF", "x?(?"},
		{"a\x80z", "a?z"},
		{"\xC0\xAFz", "??z"},				 // an overlong form: each byte alone
		{"\xED\xA0\x80z", "???z"},			 // a surrogate
		{"\xEF\xBF\xBEz", "???z"},			 // U+FFFE
		{"\xF4\x90\x80\x80z", "????z"},		 // beyond U+10FFFF
		{"\xF8\x88\x80\x80\x80z", "?z"},	 // a five-byte form, passed over whole
		{"\xFC\x84\x80\x80\x80\x80z", "?z"}, // six bytes
		{"ab\xE2\x82", "ab?"},				 // cut short by the end
		{"Zo\xC3\xAB \xF0\x9F\x8E\xA5 \xE2\x82\xAC", "Zo\xC3\xAB \xF0\x9F\x8E\xA5 \xE2\x82\xAC"},
	};
	for (const std::pair<std::string, std::string>& Case : Cases)
	{
		WriteBytes(Filename, Case.first);
		FString Text;
		ASSERT_TRUE(FFileHelper::LoadFileToString(Text, *Filename));
		EXPECT_EQ(Utf8(Text), Case.second) << Case.first;
		const FUTF8ToTCHAR Converted(Case.first.data(), static_cast<int32>(Case.first.size()));
		EXPECT_EQ(Utf8(FString(Converted.Length(), Converted.Get())), Case.second) << "the string conversion agrees: " << Case.first;
	}

	// Read a piece at a time, random bytes give what the conversion gives for the whole text.
	std::mt19937 Random(5);
	std::string Bytes(300000, ' ');
	for (char& Byte : Bytes)
	{
		Byte = static_cast<char>(1 + Random() % 255);
	}
	WriteBytes(Filename, Bytes);
	FString Text;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Text, *Filename));
	const FUTF8ToTCHAR Whole(Bytes.data(), static_cast<int32>(Bytes.size()));
	ASSERT_EQ(Text.Len(), Whole.Length());
	EXPECT_TRUE(FString(Whole.Length(), Whole.Get()).Equals(Text, ESearchCase::CaseSensitive));
	EXPECT_FALSE(Text.Contains(TEXT("\uFFFD")));
}

TEST(FileHelperLoad, HandlesInvalidEmptyAndMissingFiles)
{
	FScopedHeadlessProject Project;
	const FString Filename = Project.GetProjectDir() + TEXT("odd.txt");
	FString Text = TEXT("stale");
	WriteBytes(Filename, "a\xFF\xFE\xC3z");
	EXPECT_TRUE(FFileHelper::LoadFileToString(Text, *Filename));
	// As in the engine: a lead byte whose sequence would run past the end takes the rest of the text with it.
	EXPECT_EQ(Utf8(Text), "a?");

	WriteBytes(Filename, "");
	EXPECT_TRUE(FFileHelper::LoadFileToString(Text, *Filename));
	EXPECT_TRUE(Text.IsEmpty());

	Text = TEXT("stale");
	EXPECT_FALSE(FFileHelper::LoadFileToString(Text, *(Project.GetProjectDir() + TEXT("missing.txt"))));
	EXPECT_TRUE(Text.IsEmpty());
	TArray<uint8> Bytes;
	EXPECT_FALSE(FFileHelper::LoadFileToArray(Bytes, TEXT("")));
}

TEST(FileHelperSave, AutoDetectWritesAnsiOrUtf16)
{
	FScopedHeadlessProject Project;
	const FString Plain = Project.GetProjectDir() + TEXT("Deep/Folder/plain.txt");
	ASSERT_TRUE(FFileHelper::SaveStringToFile(FString(TEXT("plain text")), *Plain));
	EXPECT_EQ(ReadBytes(Plain), "plain text");

	const FString Wide = Project.GetProjectDir() + TEXT("wide.txt");
	ASSERT_TRUE(FFileHelper::SaveStringToFile(FString(TEXT("\u00e9")), *Wide));
	EXPECT_EQ(ReadBytes(Wide), std::string("\xFF\xFE\xE9\0", 4));

	ASSERT_TRUE(FFileHelper::SaveStringToFile(Expected, *Wide, FFileHelper::EEncodingOptions::ForceUTF8));
	FString Back;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Back, *Wide));
	EXPECT_EQ(Utf8(Back), Utf8(Expected));
	EXPECT_FALSE(FFileHelper::SaveStringToFile(FString(TEXT("x")), TEXT("")));
}

TEST(FileManager, DeletesMovesAndFindsFiles)
{
	FScopedHeadlessProject Project;
	IFileManager& Files = IFileManager::Get();
	const FString Dir = Project.GetProjectDir() + TEXT("Content/Orvane");
	EXPECT_TRUE(Files.MakeDirectory(*Dir, true));
	EXPECT_TRUE(FPaths::DirectoryExists(Dir));
	const FString A = Dir / TEXT("A.uasset");
	ASSERT_TRUE(FFileHelper::SaveStringToFile(FString(TEXT("a")), *A));
	EXPECT_EQ(Files.FileSize(*A), 1);
	TArray<FString> Found;
	Files.FindFiles(Found, *Dir, TEXT(".uasset"));
	ASSERT_EQ(Found.Num(), 1);
	EXPECT_EQ(Utf8(Found[0]), "A.uasset");

	const FString B = Dir / TEXT("Sub/B.uasset");
	EXPECT_TRUE(Files.Move(*B, *A));
	EXPECT_FALSE(FPaths::FileExists(A));
	EXPECT_TRUE(FPaths::FileExists(B));
	EXPECT_TRUE(Files.Delete(*B, false, true, true));
	EXPECT_FALSE(Files.FileExists(*B));
	EXPECT_FALSE(Files.Delete(*B, true, true, true));
	EXPECT_FALSE(FPlatformFileManager::Get().GetPlatformFile().DeleteFile(*B));
	EXPECT_TRUE(Files.DeleteDirectory(*Dir, true, true));
}

TEST(Paths, SplitJoinAndNormalise)
{
	EXPECT_EQ(Utf8(FPaths::Combine(TEXT("a/"), TEXT("/b"), TEXT("c.txt"))), "a/b/c.txt");
	EXPECT_EQ(Utf8(FPaths::GetBaseFilename(TEXT("/x/y/name.tar.gz"))), "name.tar");
	EXPECT_EQ(Utf8(FPaths::GetBaseFilename(TEXT("/x/y/name.txt"), false)), "/x/y/name");
	EXPECT_EQ(Utf8(FPaths::GetPath(TEXT("/x/y/name.txt"))), "/x/y");
	EXPECT_EQ(Utf8(FPaths::GetCleanFilename(TEXT("C:\\x\\name.txt"))), "name.txt");
	EXPECT_EQ(Utf8(FPaths::GetExtension(TEXT("/x.d/name"))), "");
	EXPECT_EQ(Utf8(FPaths::GetExtension(TEXT("name.uasset"), true)), ".uasset");
	EXPECT_EQ(Utf8(FPaths::ConvertRelativePathToFull(TEXT("/a/b/../c/./d"))), "/a/c/d");
	EXPECT_TRUE(FPaths::IsRelative(TEXT("a/b")));
	EXPECT_FALSE(FPaths::IsRelative(TEXT("/a/b")));
	FString Directory = TEXT("a\\b\\");
	FPaths::NormalizeDirectoryName(Directory);
	EXPECT_EQ(Utf8(Directory), "a/b");
}

TEST(Paths, ProjectFollowsTheScopedProject)
{
	FString Outer;
	{
		FScopedHeadlessProject Project;
		EXPECT_EQ(FPaths::ProjectDir(), Project.GetProjectDir());
		EXPECT_EQ(FPaths::ProjectContentDir(), Project.GetContentDir());
		EXPECT_TRUE(FPaths::DirectoryExists(FPaths::ProjectContentDir()));
		Outer = Project.GetProjectDir();
	}
	EXPECT_NE(FPaths::ProjectDir(), Outer);
	EXPECT_FALSE(FPaths::DirectoryExists(Outer));
}

TEST(FileHelperLoad, TextReadInPiecesIsTheTextOfTheWholeBuffer)
{
	// UTF-8 is decoded as it is read, 64 KiB at a time: sequences cut by a piece boundary (whole, truncated
	// or invalid), a null character just past one, and a byte order mark must come out as the whole-buffer
	// conversion gives them.
	FScopedHeadlessProject Project;
	const FString Filename = Project.GetProjectDir() + TEXT("pieces.txt");
	constexpr size_t Piece = 1 << 16;
	const std::string Sequences[] = {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xE2\x82", "\xF0\x9F\x98", "\xC3", "\xE2\x28\xA1", "\xF0\x9F\x28\x80", "\x80\x80", "\xFF"};
	auto Check = [&](const std::string& Bytes, const char* What)
	{
		WriteBytes(Filename, Bytes);
		FString Loaded = TEXT("stale");
		ASSERT_TRUE(FFileHelper::LoadFileToString(Loaded, *Filename)) << What;
		FString Whole;
		FFileHelper::BufferToString(Whole, reinterpret_cast<const uint8*>(Bytes.data()), static_cast<int32>(Bytes.size()));
		ASSERT_EQ(Loaded.Len(), Whole.Len()) << What;
		EXPECT_TRUE(Loaded.Equals(Whole, ESearchCase::CaseSensitive)) << What;
	};
	for (const std::string& Sequence : Sequences)
	{
		for (size_t Before = Piece - 4; Before <= Piece + 1; ++Before)
		{
			for (const bool bMark : {false, true})
			{
				std::string Bytes = bMark ? "\xEF\xBB\xBF" : "";
				Bytes.append(Before - Bytes.size(), 'a');
				Bytes += Sequence + "tail";
				Check(Bytes, (Sequence + (bMark ? " with mark at " : " at ") + std::to_string(Before)).c_str());
			}
		}
	}
	for (size_t Null = Piece - 2; Null <= Piece + 2; ++Null)
	{
		std::string Bytes(Piece * 2, 'b');
		Bytes[Null] = '\0';
		Check(Bytes, ("null at " + std::to_string(Null)).c_str());
	}
	for (const size_t Size : {Piece - 1, Piece, Piece + 1, Piece * 3})
	{
		std::mt19937 Random(static_cast<uint32>(Size));
		std::string Bytes(Size, ' ');
		for (char& Byte : Bytes)
		{
			// Mostly 7-bit text with a sprinkle of lead and continuation bytes, never a null.
			const int32 Roll = std::uniform_int_distribution<int32>(0, 15)(Random);
			Byte = static_cast<char>(Roll < 12 ? 'a' + Roll : std::uniform_int_distribution<int32>(0x80, 0xF7)(Random));
		}
		Check(Bytes, ("random bytes, size " + std::to_string(Size)).c_str());
	}
}
