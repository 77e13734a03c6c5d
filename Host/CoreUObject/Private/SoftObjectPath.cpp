// Copyright Kelmora. All Rights Reserved.
#include "UObject/SoftObjectPath.h"

#include "UObject/Class.h"
#include "UObject/SoftObjectPtr.h"

FSoftObjectPath::FSoftObjectPath(const UObject* InObject)
{
	if (InObject)
	{
		PathString = InObject->GetPathName();
	}
}

void FSoftObjectPath::SetPath(const FString& Path)
{
	FString Trimmed = Path.TrimStartAndEnd();
	int32 Quote = INDEX_NONE;
	if (Trimmed.FindChar(TCHAR('\''), Quote) && Trimmed.EndsWith(TEXT("'")) && Trimmed.Len() - Quote >= 2)
	{
		Trimmed = Trimmed.Mid(Quote + 1, Trimmed.Len() - Quote - 2);
	}
	PathString = Trimmed == TEXT("None") ? FString() : Trimmed;
}

FString FSoftObjectPath::GetAssetPathString() const
{
	int32 Colon = INDEX_NONE;
	return PathString.FindChar(TCHAR(':'), Colon) ? PathString.Left(Colon) : PathString;
}

FString FSoftObjectPath::GetSubPathString() const
{
	int32 Colon = INDEX_NONE;
	return PathString.FindChar(TCHAR(':'), Colon) ? PathString.RightChop(Colon + 1) : FString();
}

FString FSoftObjectPath::GetLongPackageName() const
{
	const FString AssetPath = GetAssetPathString();
	int32 Dot = INDEX_NONE;
	return AssetPath.FindChar(TCHAR('.'), Dot) ? AssetPath.Left(Dot) : AssetPath;
}

FString FSoftObjectPath::GetAssetName() const
{
	const FString AssetPath = GetAssetPathString();
	int32 Dot = INDEX_NONE;
	return AssetPath.FindChar(TCHAR('.'), Dot) ? AssetPath.RightChop(Dot + 1) : FString();
}

UObject* FSoftObjectPath::ResolveObject() const
{
	return IsNull() ? nullptr : StaticFindObject(nullptr, nullptr, *PathString);
}

FSoftClassPath::FSoftClassPath(const UClass* InClass)
	: FSoftObjectPath(static_cast<const UObject*>(InClass))
{
}

UObject* FSoftObjectPath::TryLoad() const
{
	if (IsNull())
	{
		return nullptr;
	}
	if (UObject* Found = ResolveObject())
	{
		return Found;
	}
	return StaticLoadObject(UObject::StaticClass(), nullptr, *PathString, nullptr, LOAD_NoWarn);
}

UClass* FSoftClassPath::ResolveClass() const
{
	return dynamic_cast<UClass*>(ResolveObject());
}

UClass* FSoftClassPath::TryLoadClassChildOf(UClass* BaseClass) const
{
	UClass* Class = dynamic_cast<UClass*>(TryLoad());
	return Class && (!BaseClass || Class->IsChildOf(BaseClass)) ? Class : nullptr;
}

UObject* FSoftObjectPtr::LoadSynchronous() const
{
	if (UObject* Found = Get())
	{
		return Found;
	}
	UObject* Loaded = ObjectPath.TryLoad();
	WeakPtr = Loaded;
	return Loaded;
}

FSoftObjectPtr::FSoftObjectPtr(const UObject* Object)
	: ObjectPath(Object)
	, WeakPtr(Object)
{
}

FSoftObjectPtr& FSoftObjectPtr::operator=(const UObject* Object)
{
	ObjectPath = FSoftObjectPath(Object);
	WeakPtr = Object;
	return *this;
}

FSoftObjectPtr& FSoftObjectPtr::operator=(const FSoftObjectPath& Path)
{
	ObjectPath = Path;
	WeakPtr.Reset();
	return *this;
}

UObject* FSoftObjectPtr::Get() const
{
	if (UObject* Cached = WeakPtr.Get())
	{
		return Cached;
	}
	UObject* Resolved = ObjectPath.ResolveObject();
	WeakPtr = Resolved;
	return Resolved;
}
