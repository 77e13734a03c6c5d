// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/Roles/LiveLinkCameraTypes.h.
#pragma once

#include "CoreMinimal.h"
#include "Roles/LiveLinkTransformTypes.h"

#include "LiveLinkCameraTypes.generated.h"

/** How a camera projects. */
UENUM(BlueprintType)
enum class ELiveLinkCameraProjectionMode : uint8
{
	Perspective,
	Orthographic
};

// The defaults are the engine's (its 5.x header): every capability off except depth of field. The filmback
// fields that newer engines add (bIsDynamicFilmbackSupported, per-frame filmback) are left out: their first
// version is unknown.

/** Static data of the camera role: which camera values the source sends. */
USTRUCT(BlueprintType)
struct FLiveLinkCameraStaticData : public FLiveLinkTransformStaticData
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	bool bIsFieldOfViewSupported = false;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	bool bIsAspectRatioSupported = false;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	bool bIsFocalLengthSupported = false;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	bool bIsProjectionModeSupported = false;

	/** The sensor width in millimetres; not used when 0 or less. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	float FilmBackWidth = -1.f;

	/** The sensor height in millimetres; not used when 0 or less. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	float FilmBackHeight = -1.f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	bool bIsApertureSupported = false;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	bool bIsFocusDistanceSupported = false;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	bool bIsDepthOfFieldSupported = true;
};

/** Frame data of the camera role. */
USTRUCT(BlueprintType)
struct FLiveLinkCameraFrameData : public FLiveLinkTransformFrameData
{
	GENERATED_BODY()

	/** Horizontal field of view in degrees. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Interp, Category = "LiveLink")
	float FieldOfView = 90.f;

	/** Width divided by height. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Interp, Category = "LiveLink")
	float AspectRatio = 1.777778f;

	/** Focal length in millimetres. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Interp, Category = "LiveLink")
	float FocalLength = 50.f;

	/** Aperture as an f-stop. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Interp, Category = "LiveLink")
	float Aperture = 2.8f;

	/** Focus distance in centimetres. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Interp, Category = "LiveLink")
	float FocusDistance = 100000.0f;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	ELiveLinkCameraProjectionMode ProjectionMode = ELiveLinkCameraProjectionMode::Perspective;
};

/** Blueprint data of the camera role. */
USTRUCT(BlueprintType)
struct FLiveLinkCameraBlueprintData : public FLiveLinkBaseBlueprintData
{
	GENERATED_BODY()
};
