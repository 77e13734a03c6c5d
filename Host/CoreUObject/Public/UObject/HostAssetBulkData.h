// Copyright Kelmora. All Rights Reserved.
// Host only, no engine counterpart: lets a host module keep an asset's large binary data (as the
// engine keeps bulk data, e.g. a static mesh's committed mesh description) in a sidecar file
// beside the readable asset file. UPackage::SavePackage and LoadObject call the handlers.
#pragma once

#include "CoreMinimal.h"
#include "Containers/ArrayView.h"
#include "Templates/Function.h"

class UObject;

namespace UE::CoreUObject::Host
{
	/** How one class's objects save and restore their bulk data. */
	struct FAssetBulkDataHandler
	{
		/** Appends the object's bulk data to OutBytes; false with OutError when it cannot be saved. */
		TFunction<bool(const UObject& Object, TArray<uint8>& OutBytes, FString& OutError)> Save;
		/** Restores the object from Bytes (untrusted file content); false with OutError when they are not valid. */
		TFunction<bool(UObject& Object, TArrayView<const uint8> Bytes, FString& OutError)> Load;
	};

	/**
	 * Registers the handler for objects of the class with this path (e.g. "/Script/Engine.StaticMesh")
	 * and its subclasses; safe to call during static initialisation.
	 */
	COREUOBJECT_API void RegisterAssetBulkDataHandler(const FString& ClassPath, FAssetBulkDataHandler Handler);
}
