// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's GenericPlatform/GenericPlatformFile.h: the low-level file interface.
#pragma once

#include "CoreTypes.h"

/** The platform's file layer (the host's works on the local disk). */
class CORE_API IPlatformFile
{
public:
	virtual ~IPlatformFile() = default;

	virtual bool FileExists(const TCHAR* Filename) = 0;
	virtual bool DirectoryExists(const TCHAR* Directory) = 0;
	/** Makes one directory (its parent must exist); true if it exists afterwards. */
	virtual bool CreateDirectory(const TCHAR* Directory) = 0;
	/** Makes a directory and every missing parent; true if it exists afterwards. */
	virtual bool CreateDirectoryTree(const TCHAR* Directory) = 0;
	virtual bool DeleteFile(const TCHAR* Filename) = 0;
	virtual bool DeleteDirectory(const TCHAR* Directory) = 0;
	/** The file's size in bytes, or -1 if it does not exist. */
	virtual int64 FileSize(const TCHAR* Filename) = 0;
	virtual bool IsReadOnly(const TCHAR* Filename) = 0;
	virtual bool SetReadOnly(const TCHAR* Filename, bool bNewReadOnlyValue) = 0;
};
