// Copyright Kelmora. All Rights Reserved.
#include "Misc/PackageName.h"

#include "Misc/Paths.h"
#include "ObjectSystem.h"

namespace
{
	/** FName's longest name in the engine (NAME_SIZE - 1). */
	constexpr int32 MaxPackageNameLength = 1023;

	// "/Orvane/" is the plug-in's own content, mounted as the engine mounts the Content folder of a plug-in
	// that can hold content and is installed in the project (Plugins/Orvane/Content/).
	const TCHAR* const WritableRoots[] = {TEXT("/Game/"), TEXT("/Engine/"), TEXT("/Orvane/")};
	const TCHAR* const ReadOnlyRoots[] = {TEXT("/Script/"), TEXT("/Temp/"), TEXT("/Memory/")};

	const FString GameRoot(TEXT("/Game/"));
	const FString PluginRoot(TEXT("/Orvane/"));

	bool StartsWithRoot(FStringView Name, const TCHAR* Root)
	{
		const FStringView RootView(Root);
		return Name.Len() >= RootView.Len() && Name.Left(RootView.Len()).Equals(RootView, ESearchCase::IgnoreCase);
	}

	void SetReason(FText* OutReason, const FString& Reason)
	{
		if (OutReason)
		{
			*OutReason = FText::FromString(Reason);
		}
	}
}

const FString& FPackageName::GetAssetPackageExtension()
{
	static const FString Extension(TEXT(".uasset"));
	return Extension;
}

const FString& FPackageName::GetMapPackageExtension()
{
	static const FString Extension(TEXT(".umap"));
	return Extension;
}

bool FPackageName::DoesPackageNameContainInvalidCharacters(FStringView InLongPackageName, FText* OutReason)
{
	const FStringView Invalid(INVALID_LONGPACKAGE_CHARACTERS);
	for (const TCHAR Char : InLongPackageName)
	{
		for (const TCHAR Bad : Invalid)
		{
			if (Char == Bad)
			{
				SetReason(OutReason, FString::Printf(TEXT("Package name contains an invalid character: '%s'"), *FString::Chr(Char)));
				return true;
			}
		}
		if (Char == 0)
		{
			SetReason(OutReason, FString(TEXT("Package name contains a null character")));
			return true;
		}
	}
	return false;
}

namespace
{
	/** The checks of IsValidLongPackageName, with the engine's error code and the host's wording of the reason. */
	bool ValidateLongPackageName(FStringView InLongPackageName, bool bIncludeReadOnlyRoots, FPackageName::EErrorCode& OutCode, FText& OutReason)
	{
		auto Fail = [&OutCode, &OutReason](FPackageName::EErrorCode Code, const FString& Reason)
		{
			OutCode = Code;
			OutReason = FText::FromString(Reason);
			return false;
		};
		if (InLongPackageName.IsEmpty())
		{
			return Fail(FPackageName::PackageNameEmptyPath, FString(TEXT("Package name is empty")));
		}
		if (InLongPackageName.Len() > MaxPackageNameLength)
		{
			return Fail(FPackageName::PackageNameUnknown, FString(TEXT("Package name is too long")));
		}
		if (InLongPackageName[0] != TCHAR('/'))
		{
			return Fail(FPackageName::LongPackageNames_PathWithNoStartingSlash, FString(TEXT("Package name must start with '/'")));
		}
		if (InLongPackageName[InLongPackageName.Len() - 1] == TCHAR('/'))
		{
			return Fail(FPackageName::LongPackageNames_PathWithTrailingSlash, FString(TEXT("Package name may not end with '/'")));
		}
		for (int32 Index = 1; Index < InLongPackageName.Len(); ++Index)
		{
			if (InLongPackageName[Index] == TCHAR('/') && InLongPackageName[Index - 1] == TCHAR('/'))
			{
				return Fail(FPackageName::LongPackageNames_PathWithDoubleSlash, FString(TEXT("Package name may not contain '//'")));
			}
		}
		FText InvalidReason;
		if (FPackageName::DoesPackageNameContainInvalidCharacters(InLongPackageName, &InvalidReason))
		{
			OutCode = FPackageName::PackageNameContainsInvalidCharacters;
			OutReason = InvalidReason;
			return false;
		}
		bool bRooted = false;
		for (const TCHAR* Root : WritableRoots)
		{
			bRooted |= StartsWithRoot(InLongPackageName, Root) && InLongPackageName.Len() > FStringView(Root).Len();
		}
		if (bIncludeReadOnlyRoots)
		{
			for (const TCHAR* Root : ReadOnlyRoots)
			{
				bRooted |= StartsWithRoot(InLongPackageName, Root) && InLongPackageName.Len() > FStringView(Root).Len();
			}
		}
		if (!bRooted)
		{
			return Fail(FPackageName::PackageNamePathNotMounted, FString(TEXT("Package name does not start with a mounted root such as /Game/")));
		}
		return true;
	}
}

bool FPackageName::IsValidLongPackageName(FStringView InLongPackageName, bool bIncludeReadOnlyRoots, EErrorCode* OutReason)
{
	EErrorCode Code = PackageNameUnknown;
	FText Reason;
	const bool bValid = ValidateLongPackageName(InLongPackageName, bIncludeReadOnlyRoots, Code, Reason);
	if (!bValid && OutReason)
	{
		*OutReason = Code;
	}
	return bValid;
}

bool FPackageName::IsValidLongPackageName(FStringView InLongPackageName, bool bIncludeReadOnlyRoots, FText* OutReason)
{
	EErrorCode Code = PackageNameUnknown;
	FText Reason;
	const bool bValid = ValidateLongPackageName(InLongPackageName, bIncludeReadOnlyRoots, Code, Reason);
	if (!bValid && OutReason)
	{
		*OutReason = Reason;
	}
	return bValid;
}

bool FPackageName::TryConvertLongPackageNameToFilename(const FString& InLongPackageName, FString& OutFilename, const FString& InExtension)
{
	if (!IsValidLongPackageName(InLongPackageName))
	{
		return false;
	}
	if (InLongPackageName.StartsWith(PluginRoot, ESearchCase::IgnoreCase))
	{
		OutFilename = FPaths::ProjectDir() + TEXT("Plugins/Orvane/Content/") + InLongPackageName.RightChop(PluginRoot.Len()) + InExtension;
		return true;
	}
	if (!InLongPackageName.StartsWith(GameRoot, ESearchCase::IgnoreCase))
	{
		return false;
	}
	OutFilename = FPaths::ProjectContentDir() + InLongPackageName.RightChop(GameRoot.Len()) + InExtension;
	return true;
}

FString FPackageName::LongPackageNameToFilename(const FString& InLongPackageName, const FString& InExtension)
{
	FString Filename;
	if (!TryConvertLongPackageNameToFilename(InLongPackageName, Filename, InExtension))
	{
		UE_LOG(LogUObjectGlobals, Warning, TEXT("LongPackageNameToFilename: %s is not a package under a mounted folder"), *InLongPackageName);
		return InLongPackageName + InExtension;
	}
	return Filename;
}

bool FPackageName::TryConvertFilenameToLongPackageName(const FString& InFilename, FString& OutPackageName, FString* OutFailureReason)
{
	FString Full = FPaths::ConvertRelativePathToFull(InFilename);
	const FString ContentDir = FPaths::ProjectContentDir();
	if (!Full.StartsWith(ContentDir, ESearchCase::CaseSensitive))
	{
		if (OutFailureReason)
		{
			*OutFailureReason = FString::Printf(TEXT("%s is not in the project's content folder"), *InFilename);
		}
		return false;
	}
	FString Relative = Full.RightChop(ContentDir.Len());
	const FString Extension = FPaths::GetExtension(Relative, true);
	if (!Extension.IsEmpty())
	{
		Relative = Relative.LeftChop(Extension.Len());
	}
	const FString Candidate = GameRoot + Relative;
	FText Reason;
	if (!IsValidLongPackageName(Candidate, false, &Reason))
	{
		if (OutFailureReason)
		{
			*OutFailureReason = Reason.ToString();
		}
		return false;
	}
	OutPackageName = Candidate;
	return true;
}

FString FPackageName::FilenameToLongPackageName(const FString& InFilename)
{
	FString PackageName;
	FString Reason;
	if (!TryConvertFilenameToLongPackageName(InFilename, PackageName, &Reason))
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("FilenameToLongPackageName: %s"), *Reason);
		return FString();
	}
	return PackageName;
}

bool FPackageName::DoesPackageExist(const FString& LongPackageName, FString* OutFilename, bool InAllowTextFormats)
{
	const FString& PackageName = LongPackageName;
	for (const FString* Extension : {&GetAssetPackageExtension(), &GetMapPackageExtension()})
	{
		FString Filename;
		if (TryConvertLongPackageNameToFilename(PackageName, Filename, *Extension) && FPaths::FileExists(Filename))
		{
			if (OutFilename)
			{
				*OutFilename = Filename;
			}
			return true;
		}
	}
	return false;
}

FString FPackageName::ObjectPathToPackageName(const FString& InObjectPath)
{
	int32 Dot = INDEX_NONE;
	return InObjectPath.FindChar(TCHAR('.'), Dot) ? InObjectPath.Left(Dot) : InObjectPath;
}

FString FPackageName::ObjectPathToObjectName(const FString& InObjectPath)
{
	for (int32 Index = InObjectPath.Len() - 1; Index >= 0; --Index)
	{
		if (InObjectPath[Index] == TCHAR('.') || InObjectPath[Index] == TCHAR(':'))
		{
			return InObjectPath.RightChop(Index + 1);
		}
	}
	return InObjectPath;
}

FString FPackageName::GetShortName(const FString& LongName)
{
	int32 Slash = INDEX_NONE;
	return LongName.FindLastChar(TCHAR('/'), Slash) ? LongName.RightChop(Slash + 1) : LongName;
}

FString FPackageName::GetLongPackagePath(const FString& InLongPackageName)
{
	int32 Slash = INDEX_NONE;
	return InLongPackageName.FindLastChar(TCHAR('/'), Slash) ? InLongPackageName.Left(Slash) : InLongPackageName;
}
