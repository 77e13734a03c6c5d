// Copyright Kelmora. All Rights Reserved.
#include "Misc/Paths.h"

#include "Containers/StringConv.h"
#include "GenericPlatform/GenericPlatformFile.h"
#include "HAL/PlatformFileManager.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace
{
	FString WithTrailingSlash(FString Directory)
	{
		FPaths::NormalizeFilename(Directory);
		if (!Directory.IsEmpty() && !Directory.EndsWith(TEXT("/")))
		{
			Directory.AppendChar(TCHAR('/'));
		}
		return Directory;
	}

	FString WorkingDirectory()
	{
		std::error_code Error;
		const std::filesystem::path Current = std::filesystem::current_path(Error);
		return Error ? FString() : FString(FUTF8ToTCHAR(Current.generic_string().c_str()).Get());
	}

	/** Index of the last path separator, or INDEX_NONE. */
	int32 LastSeparator(const FString& InPath)
	{
		for (int32 Index = InPath.Len() - 1; Index >= 0; --Index)
		{
			if (InPath[Index] == TCHAR('/') || InPath[Index] == TCHAR('\\'))
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
}

FString FPaths::ProjectDir()
{
	// Read on every call so a test can point the host at a fresh project.
	const char* FromEnvironment = std::getenv("ORVANE_PROJECT_DIR");
	if (FromEnvironment && *FromEnvironment)
	{
		return WithTrailingSlash(ConvertRelativePathToFull(FString(FUTF8ToTCHAR(FromEnvironment).Get())));
	}
	return WithTrailingSlash(WorkingDirectory() / TEXT("HeadlessProject"));
}

FString FPaths::ProjectContentDir()
{
	return ProjectDir() + TEXT("Content/");
}

FString FPaths::ProjectConfigDir()
{
	return ProjectDir() + TEXT("Config/");
}

FString FPaths::ProjectSavedDir()
{
	return ProjectDir() + TEXT("Saved/");
}

FString FPaths::EngineDir()
{
	return ProjectDir() + TEXT("Engine/");
}

bool FPaths::FileExists(const FString& InPath)
{
	return FPlatformFileManager::Get().GetPlatformFile().FileExists(*InPath);
}

bool FPaths::DirectoryExists(const FString& InPath)
{
	return FPlatformFileManager::Get().GetPlatformFile().DirectoryExists(*InPath);
}

FString FPaths::GetCleanFilename(const FString& InPath)
{
	const int32 Separator = LastSeparator(InPath);
	return Separator == INDEX_NONE ? InPath : InPath.RightChop(Separator + 1);
}

FString FPaths::GetPath(const FString& InPath)
{
	const int32 Separator = LastSeparator(InPath);
	return Separator == INDEX_NONE ? FString() : InPath.Left(Separator);
}

FString FPaths::GetBaseFilename(const FString& InPath, bool bRemovePath)
{
	const FString Clean = GetCleanFilename(InPath);
	int32 Dot = INDEX_NONE;
	const FString Base = Clean.FindLastChar(TCHAR('.'), Dot) ? Clean.Left(Dot) : Clean;
	if (bRemovePath)
	{
		return Base;
	}
	const int32 Separator = LastSeparator(InPath);
	return Separator == INDEX_NONE ? Base : InPath.Left(Separator + 1) + Base;
}

FString FPaths::GetExtension(const FString& InPath, bool bIncludeDot)
{
	const FString Clean = GetCleanFilename(InPath);
	int32 Dot = INDEX_NONE;
	if (!Clean.FindLastChar(TCHAR('.'), Dot))
	{
		return FString();
	}
	return Clean.RightChop(bIncludeDot ? Dot : Dot + 1);
}

void FPaths::NormalizeFilename(FString& InPath)
{
	InPath = InPath.Replace(TEXT("\\"), TEXT("/"));
}

void FPaths::NormalizeDirectoryName(FString& InPath)
{
	NormalizeFilename(InPath);
	while (InPath.Len() > 1 && InPath.EndsWith(TEXT("/")) && !InPath.EndsWith(TEXT("//")) && !(InPath.Len() == 3 && InPath[1] == TCHAR(':')))
	{
		InPath = InPath.LeftChop(1);
	}
}

bool FPaths::CollapseRelativeDirectories(FString& InPath)
{
	NormalizeFilename(InPath);
	const bool bAbsolute = InPath.StartsWith(TEXT("/"));
	const bool bTrailingSlash = InPath.EndsWith(TEXT("/"));
	TArray<FString> Parts;
	FString Current;
	auto Flush = [&Parts, &Current]() -> bool
	{
		if (Current == TEXT(".."))
		{
			if (Parts.IsEmpty() || Parts.Last() == TEXT(".."))
			{
				return false;
			}
			Parts.Pop();
		}
		else if (!Current.IsEmpty() && Current != TEXT("."))
		{
			Parts.Add(Current);
		}
		Current.Empty();
		return true;
	};
	for (const TCHAR Char : InPath)
	{
		if (Char == TCHAR('/'))
		{
			if (!Flush())
			{
				return false;
			}
		}
		else
		{
			Current.AppendChar(Char);
		}
	}
	if (!Flush())
	{
		return false;
	}
	FString Result = bAbsolute ? FString(TEXT("/")) : FString();
	Result += FString::Join(Parts, TEXT("/"));
	if (bTrailingSlash && !Parts.IsEmpty())
	{
		Result.AppendChar(TCHAR('/'));
	}
	InPath = Result;
	return true;
}

bool FPaths::IsRelative(const FString& InPath)
{
	const bool bRooted = InPath.StartsWith(TEXT("/")) || InPath.StartsWith(TEXT("\\"));
	const bool bDrive = InPath.Len() >= 2 && InPath[1] == TCHAR(':');
	return !bRooted && !bDrive;
}

FString FPaths::ConvertRelativePathToFull(const FString& InPath)
{
	return ConvertRelativePathToFull(WorkingDirectory(), InPath);
}

FString FPaths::ConvertRelativePathToFull(const FString& BasePath, const FString& InPath)
{
	FString Full = IsRelative(InPath) ? Combine(BasePath, InPath) : InPath;
	FString Collapsed = Full;
	// A path that climbs above its root stays as written rather than silently changing meaning.
	return CollapseRelativeDirectories(Collapsed) ? Collapsed : Full.Replace(TEXT("\\"), TEXT("/"));
}

bool FPaths::MakeStandardFilename(FString& InPath)
{
	InPath = ConvertRelativePathToFull(InPath);
	return true;
}

void FPaths::AppendPath(FString& Result, const FString& Part)
{
	if (Part.IsEmpty())
	{
		return;
	}
	if (Result.IsEmpty())
	{
		Result = Part;
		return;
	}
	const bool bResultEnds = Result.EndsWith(TEXT("/")) || Result.EndsWith(TEXT("\\"));
	const bool bPartStarts = Part.StartsWith(TEXT("/")) || Part.StartsWith(TEXT("\\"));
	if (bResultEnds && bPartStarts)
	{
		Result += Part.RightChop(1);
	}
	else if (bResultEnds || bPartStarts)
	{
		Result += Part;
	}
	else
	{
		Result.AppendChar(TCHAR('/'));
		Result += Part;
	}
}
