// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/EngineTypes.h: collision channels and responses, the mesh build settings.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "EngineTypes.generated.h"

/** The channels a trace or a component's collision can use (values as in the engine). */
UENUM(BlueprintType)
enum ECollisionChannel : int
{
	ECC_WorldStatic,
	ECC_WorldDynamic,
	ECC_Pawn,
	ECC_Visibility,
	ECC_Camera,
	ECC_PhysicsBody,
	ECC_Vehicle,
	ECC_Destructible,
	ECC_EngineTraceChannel1,
	ECC_EngineTraceChannel2,
	ECC_EngineTraceChannel3,
	ECC_EngineTraceChannel4,
	ECC_EngineTraceChannel5,
	ECC_EngineTraceChannel6,
	ECC_GameTraceChannel1,
	ECC_GameTraceChannel2,
	ECC_GameTraceChannel3,
	ECC_GameTraceChannel4,
	ECC_GameTraceChannel5,
	ECC_GameTraceChannel6,
	ECC_GameTraceChannel7,
	ECC_GameTraceChannel8,
	ECC_GameTraceChannel9,
	ECC_GameTraceChannel10,
	ECC_GameTraceChannel11,
	ECC_GameTraceChannel12,
	ECC_GameTraceChannel13,
	ECC_GameTraceChannel14,
	ECC_GameTraceChannel15,
	ECC_GameTraceChannel16,
	ECC_GameTraceChannel17,
	ECC_GameTraceChannel18,
	ECC_OverlapAll_Deprecated,
	ECC_MAX,
};

/** How a component answers a query on one channel. */
UENUM(BlueprintType)
enum ECollisionResponse : int
{
	ECR_Ignore,
	ECR_Overlap,
	ECR_Block,
	ECR_MAX,
};

/** How a material is lit. Host: the leading values, in the engine's order. */
UENUM()
enum EMaterialShadingModel : int
{
	MSM_Unlit,
	MSM_DefaultLit,
	MSM_Subsurface,
	MSM_PreintegratedSkin,
	MSM_ClearCoat,
	MSM_SubsurfaceProfile,
	MSM_TwoSidedFoliage,
	MSM_Hair,
	MSM_Cloth,
	MSM_Eye,
	MSM_SingleLayerWater,
	MSM_ThinTranslucent,
	MSM_Strata,
	MSM_NUM,
	MSM_FromMaterialExpression,
	MSM_MAX,
};

/** Which local player, if any, an actor takes input or the view for when play starts. */
namespace EAutoReceiveInput
{
	enum Type : int
	{
		Disabled,
		Player0,
		Player1,
		Player2,
		Player3,
		Player4,
		Player5,
		Player6,
		Player7,
	};
}

/** Whether a component takes part in queries (traces, overlaps) and physics. */
namespace ECollisionEnabled
{
	enum Type : int
	{
		NoCollision,
		QueryOnly,
		PhysicsOnly,
		QueryAndPhysics,
		ProbeOnly,
		QueryAndProbe
	};
}

/** What a scene capture writes into its target. Unconfirmed: the order of the values; the plug-in uses the names only. */
UENUM()
enum ESceneCaptureSource : int
{
	SCS_SceneColorHDR,
	SCS_SceneColorHDRNoAlpha,
	SCS_FinalColorLDR,
	SCS_SceneColorSceneDepth,
	SCS_SceneDepth,
	SCS_DeviceDepth,
	SCS_Normal,
	SCS_BaseColor,
	SCS_FinalColorHDR,
	SCS_FinalToneCurveHDR,
	SCS_MAX,
};

/** Settings applied when a static mesh's source model is built; the defaults are the engine's. */
USTRUCT()
struct FMeshBuildSettings
{
	GENERATED_BODY()

	/** Derive tangents with MikkTSpace. */
	UPROPERTY()
	uint8 bUseMikkTSpace : 1;

	/** Ignore the source normals and compute them. */
	UPROPERTY()
	uint8 bRecomputeNormals : 1;

	/** Ignore the source tangents and compute them. */
	UPROPERTY()
	uint8 bRecomputeTangents : 1;

	/** Weigh computed normals by triangle area and corner angle. */
	UPROPERTY()
	uint8 bComputeWeightedNormals : 1;

	/** Remove degenerate triangles. */
	UPROPERTY()
	uint8 bRemoveDegenerates : 1;

	/** Build a reversed index buffer for mirrored transforms. */
	UPROPERTY()
	uint8 bBuildReversedIndexBuffer : 1;

	/** Store tangents at 16 rather than 8 bits. */
	UPROPERTY()
	uint8 bUseHighPrecisionTangentBasis : 1;

	/** Store UVs as 32-bit floats rather than 16-bit. */
	UPROPERTY()
	uint8 bUseFullPrecisionUVs : 1;

	/** Convert 16-bit UVs with the legacy truncation. */
	UPROPERTY()
	uint8 bUseBackwardsCompatibleF16TruncUVs : 1;

	/** Generate a lightmap UV channel. */
	UPROPERTY()
	uint8 bGenerateLightmapUVs : 1;

	/** Treat every triangle as front-facing for the distance field. */
	UPROPERTY()
	uint8 bGenerateDistanceFieldAsIfTwoSided : 1;

	/** Keep the data needed to remap faces. */
	UPROPERTY()
	uint8 bSupportFaceRemap : 1;

	/** The smallest lightmap resolution the lightmap UVs are packed for. */
	UPROPERTY()
	int32 MinLightmapResolution = 64;

	/** The UV channel lightmap UVs are generated from. */
	UPROPERTY()
	int32 SrcLightmapIndex = 0;

	/** The UV channel lightmap UVs are written to. */
	UPROPERTY()
	int32 DstLightmapIndex = 1;

	/** Scale of the distance field resolution. */
	UPROPERTY()
	float DistanceFieldResolutionScale = 1.0f;

	/** The most Lumen mesh cards the build makes. */
	UPROPERTY()
	int32 MaxLumenMeshCards = 12;

	FMeshBuildSettings()
		: bUseMikkTSpace(true)
		, bRecomputeNormals(true)
		, bRecomputeTangents(true)
		, bComputeWeightedNormals(false)
		, bRemoveDegenerates(true)
		, bBuildReversedIndexBuffer(true)
		, bUseHighPrecisionTangentBasis(false)
		, bUseFullPrecisionUVs(false)
		, bUseBackwardsCompatibleF16TruncUVs(false)
		, bGenerateLightmapUVs(true)
		, bGenerateDistanceFieldAsIfTwoSided(false)
		, bSupportFaceRemap(false)
	{
	}
};

/** Why an actor or component stops playing. */
namespace EEndPlayReason
{
	enum Type : int
	{
		/** Destroyed on purpose. */
		Destroyed,
		/** Its level was left for another. */
		LevelTransition,
		/** The play session in the editor ended. */
		EndPlayInEditor,
		/** Its level was taken out of the world. */
		RemovedFromWorld,
		/** The application is closing. */
		Quit
	};
}

/** Whether a move teleports physics bodies (the host has no physics). */
enum class ETeleportType : uint8
{
	None,
	TeleportPhysics,
	ResetPhysics
};

/** How one part of a transform is treated when attaching. */
enum class EAttachmentRule : uint8
{
	KeepRelative,
	KeepWorld,
	SnapToTarget
};

/** How a component's transform is treated when it is attached. */
struct FAttachmentTransformRules
{
	static ENGINE_API FAttachmentTransformRules KeepRelativeTransform;
	static ENGINE_API FAttachmentTransformRules KeepWorldTransform;
	static ENGINE_API FAttachmentTransformRules SnapToTargetNotIncludingScale;
	static ENGINE_API FAttachmentTransformRules SnapToTargetIncludingScale;

	FAttachmentTransformRules(EAttachmentRule InRule, bool bInWeldSimulatedBodies)
		: LocationRule(InRule)
		, RotationRule(InRule)
		, ScaleRule(InRule)
		, bWeldSimulatedBodies(bInWeldSimulatedBodies)
	{
	}

	EAttachmentRule LocationRule;
	EAttachmentRule RotationRule;
	EAttachmentRule ScaleRule;
	bool bWeldSimulatedBodies;
};
