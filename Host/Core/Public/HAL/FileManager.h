// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's HAL/FileManager.h: the file manager the engine's code uses for disk access.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "CoreTypes.h"

/** Copy results (values as in the engine). */
enum ECopyResult
{
	COPY_OK = 0,
	COPY_Fail = 1,
	COPY_Canceled = 2,
};

/** Write flags for file writers (values as in the engine). */
enum EFileWrite
{
	FILEWRITE_None = 0x00,
	FILEWRITE_NoFail = 0x01,
	FILEWRITE_NoReplaceExisting = 0x02,
	FILEWRITE_EvenIfReadOnly = 0x04,
	FILEWRITE_Append = 0x08,
	FILEWRITE_AllowRead = 0x10,
	FILEWRITE_Silent = 0x20,
};

/** Read flags for file readers (values as in the engine). */
enum EFileRead
{
	FILEREAD_None = 0x00,
	FILEREAD_NoFail = 0x01,
	FILEREAD_Silent = 0x02,
	FILEREAD_AllowWrite = 0x04,
};

/** The engine's file manager. The host's works on the local disk; failures return false and log. */
class CORE_API IFileManager
{
public:
	virtual ~IFileManager() = default;

	/** The one file manager. */
	static IFileManager& Get();

	/** Deletes a file; false if it could not be deleted (or, with RequireExists, did not exist). */
	virtual bool Delete(const TCHAR* Filename, bool RequireExists = false, bool EvenReadOnly = false, bool Quiet = false) = 0;
	virtual bool FileExists(const TCHAR* Filename) = 0;
	virtual bool DirectoryExists(const TCHAR* InDirectory) = 0;
	/** Makes a directory; with Tree, every missing parent too. True if it exists afterwards. */
	virtual bool MakeDirectory(const TCHAR* Path, bool Tree = false) = 0;
	/** Deletes a directory; with Tree, its contents too. */
	virtual bool DeleteDirectory(const TCHAR* Path, bool RequireExists = false, bool Tree = false) = 0;
	/** Moves a file, making the destination's directory; refuses to replace unless Replace. */
	virtual bool Move(const TCHAR* Dest, const TCHAR* Src, bool Replace = true, bool EvenIfReadOnly = false, bool Attributes = false, bool bDoNotRetryOrError = false) = 0;
	/** Copies a file, making the destination's directory. The progress argument of the engine is not taken. */
	virtual uint32 Copy(const TCHAR* Dest, const TCHAR* Src, bool Replace = true, bool EvenIfReadOnly = false, bool Attributes = false) = 0;
	/** The file's size in bytes, or -1 if it does not exist. */
	virtual int64 FileSize(const TCHAR* Filename) = 0;
	/** The names (not paths) of the files (bFiles) and/or directories (bDirectories) matching a wildcard path such as Dir/Name*.uasset. */
	virtual void FindFiles(TArray<FString>& FileNames, const TCHAR* Filename, bool Files, bool Directories) = 0;
	/** The names of the files in Directory with the given extension ("" or "*" for all; with or without the dot). */
	void FindFiles(TArray<FString>& FoundFiles, const TCHAR* Directory, const TCHAR* FileExtension = nullptr);
};
