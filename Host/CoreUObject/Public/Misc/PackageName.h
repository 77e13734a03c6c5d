// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/PackageName.h. The host mounts /Game/ on the project's content
// folder and /Orvane/ on the plug-in's (Plugins/Orvane/Content/ in the project); /Engine/, /Script/, /Temp/ and /Memory/ are known roots without a folder of their own.
#pragma once

#include "CoreMinimal.h"

/** Characters a long package name may not hold (as in the engine). */
#define INVALID_LONGPACKAGE_CHARACTERS TEXT("\\:*?\"<>|' ,.&!~\n\r\t@#")

/** Long package names (/Game/Dir/Asset) and their files. */
class COREUOBJECT_API FPackageName
{
public:
	/**
	 * The file of a package: "/Game/Dir/Asset" becomes <ProjectContentDir>Dir/Asset + InExtension.
	 * A name under another root, or one that is not a valid long package name, gives the name itself
	 * plus the extension (logged), as the engine does not map it either.
	 */
	static FString LongPackageNameToFilename(const FString& InLongPackageName, const FString& InExtension = TEXT(""));
	/** As LongPackageNameToFilename; false (and OutFilename untouched) when the name does not map. */
	static bool TryConvertLongPackageNameToFilename(const FString& InLongPackageName, FString& OutFilename, const FString& InExtension = TEXT(""));
	/** The long package name of a file in the content folder, without its extension; false if the file is elsewhere. */
	static bool TryConvertFilenameToLongPackageName(const FString& InFilename, FString& OutPackageName, FString* OutFailureReason = nullptr);
	/** As TryConvertFilenameToLongPackageName; an empty string when the file is not in a mounted folder (logged). */
	static FString FilenameToLongPackageName(const FString& InFilename);

	/** ".uasset". */
	static const FString& GetAssetPackageExtension();
	/** ".umap". */
	static const FString& GetMapPackageExtension();

	/**
	 * True if the package's file (.uasset or .umap) exists on disk; OutFilename receives its name.
	 * A name that is not a valid long package name is false.
	 */
	static bool DoesPackageExist(const FString& LongPackageName, FString* OutFilename = nullptr, bool InAllowTextFormats = true);

	/** Why a name is not a valid long package name (the engine's codes). */
	enum EErrorCode
	{
		PackageNameUnknown,
		PackageNameEmptyPath,
		PackageNamePathNotMounted,
		PackageNamePathIsMemoryOnly,
		PackageNameSpacesNotAllowed,
		PackageNameContainsInvalidCharacters,
		LongPackageNames_PathTooShort,
		LongPackageNames_PathWithNoStartingSlash,
		LongPackageNames_PathWithTrailingSlash,
		LongPackageNames_PathWithDoubleSlash,
	};

	/**
	 * True if the name starts with a mounted root (/Game/, /Engine/; with bIncludeReadOnlyRoots also
	 * /Script/, /Temp/, /Memory/), has a name after it, does not end in '/', holds no "//" and none of
	 * INVALID_LONGPACKAGE_CHARACTERS. The host also refuses names too long to be an FName.
	 * The engine's two overloads (5.3-5.6); which one carries the defaults is unconfirmed, this follows the
	 * engine header as known: the error-code one, so a literal nullptr reason is ambiguous, as in the engine.
	 */
	static bool IsValidLongPackageName(FStringView InLongPackageName, bool bIncludeReadOnlyRoots = false, EErrorCode* OutReason = nullptr);
	static bool IsValidLongPackageName(FStringView InLongPackageName, bool bIncludeReadOnlyRoots, FText* OutReason);
	/** True if the name holds any of INVALID_LONGPACKAGE_CHARACTERS. */
	static bool DoesPackageNameContainInvalidCharacters(FStringView InLongPackageName, FText* OutReason = nullptr);

	/** The package part of an object path: everything before the first '.' (the whole path without one). */
	static FString ObjectPathToPackageName(const FString& InObjectPath);
	/** The object part of an object path: after the last '.' or ':' (the whole path without one). */
	static FString ObjectPathToObjectName(const FString& InObjectPath);
	/** The last part of a long package name: "/Game/Dir/Asset" gives "Asset". */
	static FString GetShortName(const FString& LongName);
	static FString GetShortName(const TCHAR* LongName) { return GetShortName(FString(LongName)); }
	/** The folder of a long package name: "/Game/Dir/Asset" gives "/Game/Dir". */
	static FString GetLongPackagePath(const FString& InLongPackageName);
};
