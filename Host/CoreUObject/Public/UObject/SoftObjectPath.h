// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/SoftObjectPath.h. The host keeps the whole path as one string
// (the engine splits it into an FTopLevelAssetPath and a sub-path).
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

/** The path of an object that may or may not be in memory, e.g. /Game/Maps/Level.Level. */
struct COREUOBJECT_API FSoftObjectPath
{
	FSoftObjectPath() = default;
	FSoftObjectPath(const FString& Path) { SetPath(Path); }
	FSoftObjectPath(const TCHAR* Path) { SetPath(FString(Path)); }
	FSoftObjectPath(const UObject* InObject);

	/** Sets the path; surrounding whitespace and the Class'...' export form are removed. */
	void SetPath(const FString& Path);
	FString ToString() const { return PathString; }
	/** The package and asset part, without a ':' sub-path. */
	FString GetAssetPathString() const;
	/** The part after ':', if any. */
	FString GetSubPathString() const;
	FString GetLongPackageName() const;
	FString GetAssetName() const;
	bool IsNull() const { return PathString.IsEmpty(); }
	bool IsValid() const { return !PathString.IsEmpty(); }
	void Reset() { PathString.Empty(); }
	/** The object if it is in memory, else null. */
	UObject* ResolveObject() const;
	/** The object if it is in memory, else loaded from its package; null if neither works. */
	UObject* TryLoad() const;

	bool operator==(const FSoftObjectPath& Other) const { return PathString == Other.PathString; }
	bool operator!=(const FSoftObjectPath& Other) const { return !(*this == Other); }

private:
	FString PathString;
};

/** A soft path to a class. */
struct COREUOBJECT_API FSoftClassPath : public FSoftObjectPath
{
	using FSoftObjectPath::FSoftObjectPath;
	FSoftClassPath() = default;
	FSoftClassPath(const UClass* InClass);

	UClass* ResolveClass() const;
	/** The class, loaded if needed; null if it does not load or is not T or a subclass of T. */
	template <class T>
	UClass* TryLoadClass() const
	{
		return TryLoadClassChildOf(T::StaticClass());
	}

private:
	UClass* TryLoadClassChildOf(UClass* BaseClass) const;
};

inline uint32 GetTypeHash(const FSoftObjectPath& Path)
{
	return GetTypeHash(Path.ToString());
}
