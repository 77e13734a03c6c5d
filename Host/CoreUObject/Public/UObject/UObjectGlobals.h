// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/UObjectGlobals.h: making, finding and naming objects.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "UObject/ObjectPtr.h"

class UPackage;
class UObjectBase;
class UPackageMap;
class FArchive;
class FProperty;
class FLinkerInstancingContext;
struct FObjectInstancingGraph;

/** What a class constructor is handed: the object being made (engine: FObjectInitializer). */
class COREUOBJECT_API FObjectInitializer
{
public:
	/** The initializer of the object being constructed on this thread; asserts if there is none. */
	static FObjectInitializer& Get();

	FORCEINLINE UObject* GetObj() const { return Obj; }
	FORCEINLINE UClass* GetClass() const { return Class; }

	FObjectInitializer(const FObjectInitializer&) = delete;
	FObjectInitializer& operator=(const FObjectInitializer&) = delete;

private:
	friend struct UE::CoreUObject::Host::FObjectSystem;
	friend class UObjectBase;

	FObjectInitializer(void* InMemory, UClass* InClass, UObject* InOuter, FName InName, EObjectFlags InFlags, int32 InIndex);

	UObject* Obj;
	UClass* Class;
	UObject* Outer;
	FName Name;
	EObjectFlags Flags;
	int32 Index;
	FObjectInitializer* Previous = nullptr;
};

/** Options for MakeUniqueObjectName. */
enum class EUniqueObjectNameOptions : uint8
{
	None = 0,
	GloballyUnique = 1 << 0,
};

/** Options for FindFirstObject. */
enum class EFindFirstObjectOptions
{
	None = 0,
	ExactClass = 1 << 1,
	NativeFirst = 1 << 2,
	EnsureIfAmbiguous = 1 << 3,
};

/** Everything StaticConstructObject_Internal needs to make an object. */
struct COREUOBJECT_API FStaticConstructObjectParameters
{
	explicit FStaticConstructObjectParameters(const UClass* InClass)
		: Class(InClass)
	{
	}

	const UClass* Class;
	UObject* Outer = nullptr;
	FName Name;
	EObjectFlags SetFlags = RF_NoFlags;
	UObject* Template = nullptr;
	bool bCopyTransientsFromClassDefaults = false;
	FObjectInstancingGraph* InstanceGraph = nullptr;
	UPackage* ExternalPackage = nullptr;
};

/**
 * Makes an object. Refuses (logs an error, returns null) an abstract class, a missing outer for
 * anything but a package, and a name already taken in the outer by an object of another class; a
 * name taken by an object of the same class makes a fresh object in its place, as in the engine.
 */
COREUOBJECT_API UObject* StaticConstructObject_Internal(const FStaticConstructObjectParameters& Params);

/** The package for objects that are never saved (/Engine/Transient). */
COREUOBJECT_API UPackage* GetTransientPackage();

/** The package with this name, made if it does not exist yet. */
COREUOBJECT_API UPackage* CreatePackage(const TCHAR* PackageName);

/**
 * Finds an object by path. With a null outer, Name is a full path (/Package.Object:Sub); otherwise
 * a path relative to InOuter. Returns null unless the object is of Class (exactly, with ExactClass).
 */
COREUOBJECT_API UObject* StaticFindObject(UClass* Class, UObject* InOuter, const TCHAR* Name, bool ExactClass = false);

/** The direct child of Outer with this name, of Class or a subclass; null if none. */
COREUOBJECT_API UObject* StaticFindObjectFast(UClass* Class, UObject* InOuter, FName InName, bool ExactClass = false);

/** A name no other object in Outer has: BaseName (or the class name) with _0, _1, ... appended. */
COREUOBJECT_API FName MakeUniqueObjectName(UObject* Outer, const UClass* Class, FName BaseName = NAME_None, EUniqueObjectNameOptions Options = EUniqueObjectNameOptions::None);

/**
 * Destroys every object nothing keeps alive. Kept: rooted objects, objects with any of KeepFlags,
 * objects reached from an FGCObject, class default objects and everything in /Script packages, plus
 * whatever those reach through reflected object references (also inside arrays, maps and structs)
 * and their outers. Objects marked as garbage or whose destruction began are destroyed even when
 * referenced; reflected references to them are cleared. Game thread only.
 */
COREUOBJECT_API void CollectGarbage(EObjectFlags KeepFlags, bool bPerformFullPurge = true);

/** Waits for async package loads; the host loads synchronously, so there is nothing to wait for. */
COREUOBJECT_API void FlushAsyncLoading(int32 PackageID = INDEX_NONE);

/**
 * Finds an object, or loads its package from the project's content folder (the host's asset file)
 * when it is not in memory. Name is a full object path (/Game/Dir/Asset.Asset) or, with an outer,
 * a path relative to it. Null (logged unless LOAD_NoWarn or LOAD_Quiet) when it cannot be found.
 */
COREUOBJECT_API UObject* StaticLoadObject(UClass* Class, UObject* InOuter, const TCHAR* Name, const TCHAR* Filename = nullptr, uint32 LoadFlags = LOAD_None, UPackageMap* Sandbox = nullptr, bool bAllowObjectReconciliation = true, const FLinkerInstancingContext* InstancingContext = nullptr);

/** As StaticLoadObject, for a class that must be BaseClass or derive from it. */
COREUOBJECT_API UClass* StaticLoadClass(UClass* BaseClass, UObject* InOuter, const TCHAR* Name, const TCHAR* Filename = nullptr, uint32 LoadFlags = LOAD_None, UPackageMap* Sandbox = nullptr);

/** Loads a package from the host's asset file; null (logged) when it does not exist or cannot be read. */
COREUOBJECT_API UPackage* LoadPackage(UPackage* InOuter, const TCHAR* InLongPackageNameOrFilename, uint32 LoadFlags, FArchive* InReaderOverride = nullptr, const FLinkerInstancingContext* InstancingContext = nullptr);

/** Loads an object of class T (see StaticLoadObject). */
template <class T>
T* LoadObject(UObject* Outer, const TCHAR* Name, const TCHAR* Filename = nullptr, uint32 LoadFlags = LOAD_None, UPackageMap* Sandbox = nullptr, const FLinkerInstancingContext* InstancingContext = nullptr)
{
	return static_cast<T*>(StaticLoadObject(T::StaticClass(), Outer, Name, Filename, LoadFlags, Sandbox, true, InstancingContext));
}

/** Loads a class derived from T (see StaticLoadClass). */
template <class T>
UClass* LoadClass(UObject* Outer, const TCHAR* Name, const TCHAR* Filename = nullptr, uint32 LoadFlags = LOAD_None, UPackageMap* Sandbox = nullptr)
{
	return StaticLoadClass(T::StaticClass(), Outer, Name, Filename, LoadFlags, Sandbox);
}

/**
 * Hands the garbage collector the objects an FGCObject (or a class's AddReferencedObjects) keeps
 * alive. A reference to an object being destroyed is set to null through the reference it was given.
 */
class COREUOBJECT_API FReferenceCollector
{
public:
	virtual ~FReferenceCollector() = default;

	template <class UObjectType>
	void AddReferencedObject(UObjectType*& Object, const UObject* ReferencingObject = nullptr, const FProperty* ReferencingProperty = nullptr)
	{
		HandleObjectReference(*reinterpret_cast<UObject**>(&Object), ReferencingObject, ReferencingProperty);
	}
	template <class UObjectType>
	void AddReferencedObject(TObjectPtr<UObjectType>& Object, const UObject* ReferencingObject = nullptr, const FProperty* ReferencingProperty = nullptr)
	{
		HandleObjectReference(*reinterpret_cast<UObject**>(&Object), ReferencingObject, ReferencingProperty);
	}
	template <class UObjectType>
	void AddReferencedObjects(TArray<UObjectType*>& ObjectArray, const UObject* ReferencingObject = nullptr, const FProperty* ReferencingProperty = nullptr)
	{
		for (UObjectType*& Object : ObjectArray)
		{
			AddReferencedObject(Object, ReferencingObject, ReferencingProperty);
		}
	}
	template <class UObjectType>
	void AddReferencedObjects(TArray<TObjectPtr<UObjectType>>& ObjectArray, const UObject* ReferencingObject = nullptr, const FProperty* ReferencingProperty = nullptr)
	{
		for (TObjectPtr<UObjectType>& Object : ObjectArray)
		{
			AddReferencedObject(Object, ReferencingObject, ReferencingProperty);
		}
	}

	/** Called for each reference; may set Object to null. */
	virtual void HandleObjectReference(UObject*& InObject, const UObject* InReferencingObject, const FProperty* InReferencingProperty) = 0;
};

namespace UE::CoreUObject::Private
{
	/** The first object of Class (or a subclass) with this short name or path; null if none. */
	COREUOBJECT_API UObject* FindFirstObject(UClass* Class, const TCHAR* Name, bool bExactClass);
	/** Ends the process, as the engine does, when Class is null or cannot be made as a T; true otherwise. */
	COREUOBJECT_API bool CheckNewObjectClass(const UClass* Class, const UClass* Expected);
	/** The class default object of Class, made on first use. */
	COREUOBJECT_API UObject* GetDefaultObjectOf(const UClass* Class);
}

/** The transient package as a UObject (the default outer of NewObject). */
FORCEINLINE UObject* GetTransientPackageAsObject()
{
	return reinterpret_cast<UObject*>(GetTransientPackage());
}

/** Makes an object of Class (T or a subclass of it) in Outer. */
template <class T>
T* NewObject(UObject* Outer, const UClass* Class, FName Name = NAME_None, EObjectFlags Flags = RF_NoFlags, UObject* Template = nullptr, bool bCopyTransientsFromClassDefaults = false, FObjectInstancingGraph* InInstanceGraph = nullptr, UPackage* ExternalPackage = nullptr)
{
	if (!UE::CoreUObject::Private::CheckNewObjectClass(Class, T::StaticClass()))
	{
		return nullptr;
	}
	FStaticConstructObjectParameters Params(Class);
	Params.Outer = Outer;
	Params.Name = Name;
	Params.SetFlags = Flags;
	Params.Template = Template;
	Params.bCopyTransientsFromClassDefaults = bCopyTransientsFromClassDefaults;
	Params.InstanceGraph = InInstanceGraph;
	Params.ExternalPackage = ExternalPackage;
	return static_cast<T*>(StaticConstructObject_Internal(Params));
}

/** Makes an object of class T in Outer (the transient package by default) with a unique name. */
template <class T>
T* NewObject(UObject* Outer = GetTransientPackageAsObject())
{
	return NewObject<T>(Outer, T::StaticClass());
}

/** Makes an object of class T in Outer with the given name. */
template <class T>
T* NewObject(UObject* Outer, FName Name, EObjectFlags Flags = RF_NoFlags, UObject* Template = nullptr, bool bCopyTransientsFromClassDefaults = false, FObjectInstancingGraph* InInstanceGraph = nullptr)
{
	return NewObject<T>(Outer, T::StaticClass(), Name, Flags, Template, bCopyTransientsFromClassDefaults, InInstanceGraph);
}

/** The class default object of T. */
template <class T>
const T* GetDefault()
{
	return static_cast<const T*>(UE::CoreUObject::Private::GetDefaultObjectOf(T::StaticClass()));
}

/** The class default object of Class, which must be T or a subclass of it. */
template <class T>
const T* GetDefault(UClass* Class)
{
	check(UE::CoreUObject::Private::CheckNewObjectClass(Class, T::StaticClass()));
	return static_cast<const T*>(UE::CoreUObject::Private::GetDefaultObjectOf(Class));
}

/** The class default object of T, for changing the defaults. */
template <class T>
T* GetMutableDefault()
{
	return static_cast<T*>(UE::CoreUObject::Private::GetDefaultObjectOf(T::StaticClass()));
}

template <class T>
T* GetMutableDefault(UClass* Class)
{
	check(UE::CoreUObject::Private::CheckNewObjectClass(Class, T::StaticClass()));
	return static_cast<T*>(UE::CoreUObject::Private::GetDefaultObjectOf(Class));
}

/** Finds an object of class T by path (see StaticFindObject). */
template <class T>
T* FindObject(UObject* Outer, const TCHAR* Name, bool ExactClass = false)
{
	return static_cast<T*>(StaticFindObject(T::StaticClass(), Outer, Name, ExactClass));
}

/** Finds the first object of class T with this short name or full path. */
template <class T>
T* FindFirstObject(const TCHAR* Name, EFindFirstObjectOptions Options = EFindFirstObjectOptions::None, ELogVerbosity::Type AmbiguousMessageVerbosity = ELogVerbosity::NoLogging, const TCHAR* InCurrentOperation = nullptr)
{
	return static_cast<T*>(UE::CoreUObject::Private::FindFirstObject(T::StaticClass(), Name, (int32(Options) & int32(EFindFirstObjectOptions::ExactClass)) != 0));
}
