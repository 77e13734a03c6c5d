// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/Paths.h. The headless project lives in ORVANE_PROJECT_DIR when set,
// else in HeadlessProject/ under the working directory.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"

/** Path helpers. Directories are returned with '/' separators and a trailing '/', as in the engine. */
class CORE_API FPaths
{
public:
	/** The project's root directory. */
	static FString ProjectDir();
	/** ProjectDir() + "Content/". */
	static FString ProjectContentDir();
	/** ProjectDir() + "Config/". */
	static FString ProjectConfigDir();
	/** ProjectDir() + "Saved/". */
	static FString ProjectSavedDir();
	/** The host has no engine install: an Engine/ folder beside the project. */
	static FString EngineDir();

	static bool FileExists(const FString& InPath);
	static bool DirectoryExists(const FString& InPath);

	/** The file name without path and extension (keeps the path when bRemovePath is false). */
	static FString GetBaseFilename(const FString& InPath, bool bRemovePath = true);
	/** Everything before the last '/' (or '\\'). */
	static FString GetPath(const FString& InPath);
	/** Everything after the last '/' (or '\\'). */
	static FString GetCleanFilename(const FString& InPath);
	/** The extension of the file name part, with or without its dot. */
	static FString GetExtension(const FString& InPath, bool bIncludeDot = false);

	/** Makes a relative path absolute against the working directory and collapses "." and "..". */
	static FString ConvertRelativePathToFull(const FString& InPath);
	/** BasePath joined with InPath (InPath is returned when it is already absolute). */
	static FString ConvertRelativePathToFull(const FString& BasePath, const FString& InPath);
	/** Turns '\\' into '/'. */
	static void NormalizeFilename(FString& InPath);
	/** Turns '\\' into '/' and removes a trailing '/' (except from a root). */
	static void NormalizeDirectoryName(FString& InPath);
	/** Collapses "dir/.." pairs; false when ".." would climb above the start. */
	static bool CollapseRelativeDirectories(FString& InPath);
	static bool IsRelative(const FString& InPath);
	/** Host: the full, normalized path (the engine makes it relative to the engine's binaries). */
	static bool MakeStandardFilename(FString& InPath);

	/** Joins path parts with '/', skipping empty parts and doubled separators. */
	template <typename... PathTypes>
	static FString Combine(PathTypes&&... InPaths)
	{
		const FString Parts[] = {FString(InPaths)...};
		FString Result;
		for (const FString& Part : Parts)
		{
			AppendPath(Result, Part);
		}
		return Result;
	}

private:
	static void AppendPath(FString& Result, const FString& Part);
};
