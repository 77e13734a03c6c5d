// Copyright Kelmora. All Rights Reserved.
// Host only, no engine counterpart: lets a host module keep an asset's large binary data (as the
// engine keeps bulk data, e.g. a static mesh's committed mesh description) in a sidecar file
// beside the readable asset file. UPackage::SavePackage and LoadObject call the handlers.
#pragma once

#include "CoreMinimal.h"
#include "Containers/ArrayView.h"
#include "Templates/Function.h"

class UObject;

#include <vector>

namespace UE::CoreUObject::Host
{
	/**
	 * The bulk data of a package being saved, written into the sidecar in the order appended. Large
	 * byte ranges the saved objects own are written from where they are rather than copied.
	 */
	class COREUOBJECT_API FAssetBulkDataWriter
	{
	public:
		/** Appends a copy of Size bytes. */
		void Append(const void* Data, int64 Size);
		/** Appends bytes without copying them: they must stay valid and unchanged until the save ends. */
		void AppendReferenced(TArrayView<const uint8> Bytes);
		/** The number of bytes appended so far. */
		int64 Num() const { return Total; }
		/** Calls Visit(const uint8* Data, int64 Size) for each run of bytes, in order. */
		template <typename FunctorType>
		void ForEachRun(FunctorType&& Visit) const
		{
			for (const FRun& Run : Runs)
			{
				Visit(Run.Referenced ? Run.Referenced : Copies.data() + Run.CopyOffset, Run.Size);
			}
		}

	private:
		struct FRun
		{
			// Null for copied bytes, which start at CopyOffset in Copies.
			const uint8* Referenced = nullptr;
			size_t CopyOffset = 0;
			int64 Size = 0;
		};
		std::vector<uint8> Copies;
		std::vector<FRun> Runs;
		int64 Total = 0;
	};

	/** How one class's objects save and restore their bulk data. */
	struct FAssetBulkDataHandler
	{
		/** Appends the object's bulk data to Writer; false with OutError when it cannot be saved. */
		TFunction<bool(const UObject& Object, FAssetBulkDataWriter& Writer, FString& OutError)> Save;
		/** Restores the object from Bytes (untrusted file content); false with OutError when they are not valid. */
		TFunction<bool(UObject& Object, TArrayView<const uint8> Bytes, FString& OutError)> Load;
	};

	/**
	 * Registers the handler for objects of the class with this path (e.g. "/Script/Engine.StaticMesh")
	 * and its subclasses; safe to call during static initialisation.
	 */
	COREUOBJECT_API void RegisterAssetBulkDataHandler(const FString& ClassPath, FAssetBulkDataHandler Handler);
}
