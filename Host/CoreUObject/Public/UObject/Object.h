// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/Object.h: the base class of all reflected objects.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "UObject/UObjectBaseUtility.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/ScriptDelegates.h"

class FConfigCacheIni;
class FProperty;
class UFunction;

/** The base class of all reflected objects. */
class COREUOBJECT_API UObject : public UObjectBaseUtility
{
	DECLARE_CLASS(UObject, UObject, CLASS_Abstract | CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), COREUOBJECT_API)
	DEFINE_DEFAULT_CONSTRUCTOR_CALL(UObject)

public:
	UObject() = default;
	/** The engine's legacy form; same as the default constructor. */
	explicit UObject(const FObjectInitializer&) {}
	UObject(const UObject&) = delete;
	UObject(UObject&&) = delete;

	/** Called after the class constructor has run (and, in the engine, after config is loaded). */
	virtual void PostInitProperties() {}
	/** Called after the object's properties were loaded from a package. */
	virtual void PostLoad() {}
	/** True for objects that exist only in the editor and are left out of cooked games. */
	virtual bool IsEditorOnly() const { return false; }

	/**
	 * Gives the object a new name and/or outer. A null NewName keeps the name (a null name with a new
	 * outer that holds that name already makes a unique one). Fails (false, logged) when the name is
	 * taken in the target outer, the name is invalid, or the move would make the object its own outer;
	 * REN_Test only checks. Unless REN_DoNotDirty, the old and new packages are marked dirty.
	 */
	virtual bool Rename(const TCHAR* NewName = nullptr, UObject* NewOuter = nullptr, ERenameFlags Flags = REN_None);
	/** Marks the object's package as changed since it was saved; false for a transient package. */
	bool MarkPackageDirty() const;

	/** Called when destruction starts (garbage collection or ConditionalBeginDestroy). */
	virtual void BeginDestroy() {}
	/** Called just before the object's memory is freed. */
	virtual void FinishDestroy() {}
	/**
	 * Starts destroying the object once: sets RF_BeginDestroyed and calls BeginDestroy. The next
	 * garbage collection finishes and frees it. False if destruction had already started.
	 */
	bool ConditionalBeginDestroy();

	/**
	 * Records the object for undo before a change (the host keeps no undo buffer). Marks the package
	 * dirty when bAlwaysMarkDirty is set; true unless the object is a transient one.
	 */
	virtual bool Modify(bool bAlwaysMarkDirty = true);
	/** Tells the object an edit of its properties has finished (editor only in the engine). */
	virtual void PostEditChange();

	/** Makes a subobject of this object from its constructor (named SubobjectName, of class TReturnType). */
	template <class TReturnType>
	TReturnType* CreateDefaultSubobject(FName SubobjectName, bool bTransient = false)
	{
		EObjectFlags SubobjectFlags = RF_DefaultSubObject | (HasAnyFlags(RF_ClassDefaultObject | RF_ArchetypeObject) ? RF_ArchetypeObject : RF_NoFlags);
		SubobjectFlags |= bTransient ? RF_Transient : RF_NoFlags;
		return NewObject<TReturnType>(this, TReturnType::StaticClass(), SubobjectName, SubobjectFlags);
	}

	/**
	 * Writes the config properties that carry RequiredPropertyFlags to Filename (default: the class's saved
	 * config file) through Config. Host: bAllowCopyToDefaultObject is not used.
	 */
	void SaveConfig(uint64 RequiredPropertyFlags = CPF_Config, const TCHAR* Filename = nullptr, FConfigCacheIni* Config = GConfig, bool bAllowCopyToDefaultObject = true);
	/** Writes every config property to the class's default config file (or SpecificFileLocation); false if it cannot be written. */
	bool TryUpdateDefaultConfigFile(const FString& SpecificFileLocation = TEXT(""), bool bWarnIfFail = true);
	/** Writes one config property to InConfigIniName (array properties are skipped, as in the engine). */
	void UpdateSinglePropertyInConfigFile(const FProperty* InProperty, const FString& InConfigIniName);
	/** The project's Default<ConfigName>.ini of the object's class. */
	FString GetDefaultConfigFilename() const;

	/** Calls a reflected function. Host: functions have no bodies here, so the call only logs a warning. */
	virtual void ProcessEvent(UFunction* Function, void* Parms);

	/** Host only: how many times PostEditChange was called on this object, for tests. */
	int32 GetHostPostEditChangeCount() const { return HostPostEditChangeCount; }

	/** The function with this name on the object's class or its super classes; null if none. */
	UFunction* FindFunction(FName InName) const;
	/** As FindFunction, but asserts that the function exists. */
	UFunction* FindFunctionChecked(FName InName) const;

private:
	int32 HostPostEditChangeCount = 0;
};

/** True if the pointer is not null and the object is not marked as garbage. */
FORCEINLINE bool IsValid(const UObject* Test)
{
	return Test && !Test->HasAnyInternalFlags(EInternalObjectFlags::Garbage);
}
