// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/ScriptDelegates.h and the dynamic delegate declarations: delegates that
// blueprints bind to by object and function name.
#pragma once

#include "CoreMinimal.h"
#include "UObject/WeakObjectPtr.h"

class UObject;

/** A multicast delegate of (object, function name) bindings, called through reflection. */
class COREUOBJECT_API FMulticastScriptDelegate
{
public:
	bool IsBound() const { return Bindings.Num() > 0; }
	void Clear() { Bindings.Reset(); }
	/** Binds a reflected function of the object (once). */
	void AddUnique(UObject* Object, FName FunctionName);
	/** Calls every bound function whose object still lives with the parameter block. */
	void ProcessMulticastDelegate(void* Parameters) const;

private:
	TArray<TPair<FWeakObjectPtr, FName>> Bindings;
};

/** Declares a dynamic multicast delegate type without parameters; blueprints bind to a member of it. */
#define DECLARE_DYNAMIC_MULTICAST_DELEGATE(DelegateName)              \
	class DelegateName : public FMulticastScriptDelegate              \
	{                                                                 \
	public:                                                           \
		void Broadcast() const { ProcessMulticastDelegate(nullptr); } \
	};
