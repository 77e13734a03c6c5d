// Copyright Kelmora. All Rights Reserved.
// The host's asset file: what UPackage::SavePackage writes and LoadObject reads back.
//
// A UTF-8 JSON document (readable with any JSON reader):
//   {
//     "Format": "HeadlessHostAsset", "Version": 1,
//     "Package": "/Game/Dir/Asset",
//     "Objects": [ <object>, ... ]          top-level objects: the asset first
//   }
//   <object> = { "Name": "Asset", "Class": "/Script/Module.ClassName", "Flags": <RF_Public|RF_Standalone|RF_Transactional bits>,
//                "Properties": { "<PropertyName>": <value>, ... } }   every reflected, non-transient property
// Values by property kind:
//   bool: true/false; integers: JSON integers; float/double: JSON numbers, or "NaN", "Infinity", "-Infinity";
//   FString and FName: strings; FText: { "Source": s, "Namespace": s, "Key": s };
//   enums (enum class or TEnumAsByte): the enumerator's full name, or its number when it has none;
//   structs: { "<Member>": <value>, ... }; TArray: [ <value>, ... ]; TMap: [ [<key>, <value>], ... ];
//   a fixed-size C array member: [ <value> x ArrayDim ];
//   TSoftObjectPtr: the object path string ("" when null); TSubclassOf / UClass*: the class path or null;
//   object references: null, { "Path": "/Game/Other.Other" } for an object outside this object, or
//   { "Object": <object> } for an object whose outer is the object being written (written once, in place).
// Bulk data: an object whose class has a handler registered with RegisterAssetBulkDataHandler
// (UObject/HostAssetBulkData.h) also gets "BulkData": { "Offset": n, "Size": n } in its entry, the
// range of its bytes in the sidecar file <asset file without extension>.ubulk, and the document gets
// "BulkDataSize": the sidecar's exact size. A save without bulk data deletes a stale sidecar. Loading
// fails when the sidecar is missing, of another size, larger than MaxBulkDataFileSize, a range lies
// outside it, or the handler rejects the bytes.
// Reading is strict: a value of the wrong JSON type, an unknown class, a class that may not be loaded
// (abstract, a type object, a package), or a file larger than MaxAssetFileSize or nested deeper than
// MaxAssetNesting fails the whole load, which then leaves nothing behind. Unknown property names are skipped.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

class UPackage;
class UObject;

namespace UE::CoreUObject::Host::AssetFile
{
	inline constexpr int64 MaxAssetFileSize = 64 * 1024 * 1024;
	inline constexpr int32 MaxAssetNesting = 200;
	inline constexpr int64 MaxBulkDataFileSize = 0x7fffffffLL;

	/** The sidecar file holding the bulk data of the asset file Filename. */
	FString GetBulkDataFilename(const FString& Filename);

	/** Writes the package's saved objects to Filename; false with OutError set on failure. */
	bool Save(UPackage* Package, UObject* Asset, EObjectFlags TopLevelFlags, const FString& Filename, FString& OutError);

	/** Reads a package from Filename into memory; null with OutError set on failure (nothing is left behind). */
	UPackage* Load(const FString& PackageName, const FString& Filename, FString& OutError);
}
