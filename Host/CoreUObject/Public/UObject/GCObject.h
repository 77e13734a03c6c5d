// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/GCObject.h: non-object owners of object references.
#pragma once

#include "CoreMinimal.h"
#include "UObject/UObjectGlobals.h"

/**
 * Base of a non-object that keeps objects alive: the garbage collector calls AddReferencedObjects
 * on every live FGCObject. Registered for the instance's lifetime.
 */
class COREUOBJECT_API FGCObject
{
public:
	FGCObject();
	FGCObject(const FGCObject& Other);
	FGCObject(FGCObject&& Other);
	virtual ~FGCObject();
	FGCObject& operator=(const FGCObject&) { return *this; }
	FGCObject& operator=(FGCObject&&) { return *this; }

	/** Reports the objects this instance keeps alive. */
	virtual void AddReferencedObjects(FReferenceCollector& Collector) = 0;
	/** A name for this referencer in diagnostics. */
	virtual FString GetReferencerName() const = 0;
};
