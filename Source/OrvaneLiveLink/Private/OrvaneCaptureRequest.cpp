// Copyright Kelmora. All Rights Reserved.
#include "OrvaneCaptureRequest.h"

#include "Misc/Paths.h"

namespace OrvaneCaptureRequest
{
	namespace
	{
		/** Forward slashes, no repeated or trailing separator. */
		FString WithForwardSlashes(const FString& Path)
		{
			FString Result = Path.Replace(TEXT("\\"), TEXT("/"));
			while (Result.ReplaceInline(TEXT("//"), TEXT("/")) > 0)
			{
			}
			if (Result.Len() > 1 && Result.EndsWith(TEXT("/")))
			{
				Result = Result.LeftChop(1);
			}
			return Result;
		}

		bool HasParentSegment(const FString& Path)
		{
			TArray<FString> Segments;
			Path.ParseIntoArray(Segments, TEXT("/"), true);
			return Segments.Contains(TEXT(".."));
		}
	}

	FString FindPathProblem(const FString& Path, const FString& CaptureFolder)
	{
		if (Path.IsEmpty())
		{
			return TEXT("no file name");
		}
		const FString Normalized = WithForwardSlashes(Path);
		if (FPaths::IsRelative(Normalized))
		{
			return TEXT("the path is not absolute");
		}
		if (HasParentSegment(Normalized))
		{
			return TEXT("the path has a \"..\" segment");
		}
		const FString Extension = FPaths::GetExtension(Normalized);
		bool bKnownType = false;
		for (const TCHAR* Allowed : {TEXT("png"), TEXT("jpg"), TEXT("jpeg"), TEXT("exr"), TEXT("hdr")})
		{
			bKnownType |= Extension.Equals(Allowed, ESearchCase::IgnoreCase);
		}
		if (!bKnownType)
		{
			return TEXT("the file is not a .png, .jpg, .jpeg, .exr or .hdr image");
		}
		if (!CaptureFolder.IsEmpty())
		{
			FString Folder = WithForwardSlashes(FPaths::IsRelative(CaptureFolder) ? FPaths::ConvertRelativePathToFull(FPaths::ProjectDir(), CaptureFolder) : CaptureFolder);
			FPaths::CollapseRelativeDirectories(Folder);
			if (!Folder.EndsWith(TEXT("/")))
			{
				Folder += TEXT("/");
			}
			// Drive letters and folders differ only by letter case on Windows.
			const ESearchCase::Type Case = PLATFORM_WINDOWS ? ESearchCase::IgnoreCase : ESearchCase::CaseSensitive;
			if (!Normalized.StartsWith(Folder, Case))
			{
				return FString::Printf(TEXT("the path is outside the capture folder %s"), *Folder);
			}
		}
		return FString();
	}
}
