// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/ConfigCacheIni.h: the cache of .ini files behind config properties.
#pragma once

#include "CoreMinimal.h"
#include "Containers/Map.h"

/**
 * The contents of one .ini file: sections in file order, each with its keys in order. Host: one value
 * per key (the engine's array keys "+Key=" are not needed here); Read and Write are simplified forms of the
 * engine's (which reads without a result and writes with more options), used by the host only.
 */
class CORE_API FConfigFile
{
public:
	/** Reads Filename; a missing file gives an empty config (true), an unreadable one false. */
	bool Read(const FString& Filename);
	/** Writes every section to Filename, creating its folder; false if it cannot be written. */
	bool Write(const FString& Filename) const;

	/** The value of Key in Section; false if either is absent. */
	bool GetString(const TCHAR* Section, const TCHAR* Key, FString& Value) const;
	/** Sets Key in Section (both made when absent), keeping the position of an existing key. */
	void SetString(const TCHAR* Section, const TCHAR* Key, const TCHAR* Value);

	/** True once a value changed since the last read or write. */
	bool bDirty = false;

private:
	TArray<TPair<FString, TArray<TPair<FString, FString>>>> Sections;
};

/** The cache of config files the engine reads and writes settings through (GConfig). */
class CORE_API FConfigCacheIni
{
public:
	/** The value of Key in Section of Filename, reading the file into the cache on first use. */
	bool GetString(const TCHAR* Section, const TCHAR* Key, FString& Value, const FString& Filename);
	/** Sets a value in the cached file; Flush writes it out. */
	void SetString(const TCHAR* Section, const TCHAR* Key, const TCHAR* Value, const FString& Filename);

	/** Host only (the engine finds files through its branches): the cached file, read on first use; null if unreadable. */
	FConfigFile* FindOrLoadConfigFile(const FString& Filename);

	/**
	 * Writes the changed files (all, or only Filename) to disk; drops them from the cache when
	 * bRemoveFromCache is set. Default argument unconfirmed (the API page shows both parameters).
	 */
	void Flush(bool bRemoveFromCache, const FString& Filename = TEXT(""));

	/** Host only: drops every cached file without writing, as a restart of the editor would. */
	void HostReset();

private:
	TMap<FString, FConfigFile> Files;
};
