// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/LiveLinkSourceSettings.h.
#pragma once

#include "CoreMinimal.h"
#include "Misc/FrameRate.h"
#include "Templates/SubclassOf.h"
#include "UObject/Object.h"

#include "LiveLinkSourceSettings.generated.h"

class ULiveLinkSourceFactory;

/** Which buffered frame a source's subjects are evaluated at. */
UENUM()
enum class ELiveLinkSourceMode : uint8
{
	/** The newest frame received. */
	Latest,
	/** The frame at the engine time, less the engine time offset. */
	EngineTime,
	/** The frame at the engine timecode, less the timecode offset. */
	Timecode
};

// Host: the defaults below, other than MaxNumberOfFrameToBuffered, are unconfirmed.
/** How a source's frames are buffered and which one evaluation takes. */
USTRUCT()
struct FLiveLinkSourceBufferManagementSettings
{
	GENERATED_BODY()

	/** Drop frames older than ValidEngineTime seconds. */
	UPROPERTY(EditAnywhere, Category = "Settings")
	bool bValidEngineTimeEnabled = false;

	UPROPERTY(EditAnywhere, Category = "Settings")
	float ValidEngineTime = 1.0f;

	/** Seconds subtracted from the engine time when evaluating in EngineTime mode. */
	UPROPERTY(EditAnywhere, Category = "Settings")
	float EngineTimeOffset = 0.0f;

	UPROPERTY(EditAnywhere, Category = "Settings")
	double EngineTimeClockOffset = 0.0;

	UPROPERTY(EditAnywhere, Category = "Settings")
	double SmoothEngineTimeOffset = 0.0;

	UPROPERTY(EditAnywhere, Category = "Settings")
	bool bGenerateSubFrame = false;

	// Host: not reflected (no reflection for core structs).
	FFrameRate DetectedFrameRate = FFrameRate(24, 1);

	UPROPERTY(EditAnywhere, Category = "Settings")
	bool bUseTimecodeSmoothLatest = false;

	// Host: not reflected (no reflection for core structs).
	FFrameRate SourceTimecodeFrameRate = FFrameRate(24, 1);

	/** Drop frames more than ValidTimecodeFrame frames old. */
	UPROPERTY(EditAnywhere, Category = "Settings")
	bool bValidTimecodeFrameEnabled = false;

	UPROPERTY(EditAnywhere, Category = "Settings")
	int32 ValidTimecodeFrame = 30;

	/** Frames subtracted from the engine timecode when evaluating in Timecode mode. */
	UPROPERTY(EditAnywhere, Category = "Settings")
	float TimecodeFrameOffset = 0.0f;

	UPROPERTY(EditAnywhere, Category = "Settings")
	double TimecodeClockOffset = 0.0;

	/** In Latest mode, how many frames before the newest to evaluate. */
	UPROPERTY(EditAnywhere, Category = "Settings")
	int32 LatestOffset = 0;

	/** How many frames each subject keeps. */
	UPROPERTY(EditAnywhere, Category = "Settings")
	int32 MaxNumberOfFrameToBuffered = 10;

	UPROPERTY(EditAnywhere, Category = "Settings")
	bool bKeepAtLeastOneFrame = true;
};

/** The settings of one Live Link source, made by the client when the source is added. */
UCLASS()
class LIVELINKINTERFACE_API ULiveLinkSourceSettings : public UObject
{
	GENERATED_BODY()

public:
	/** Which frame evaluation takes. */
	UPROPERTY(EditAnywhere, Category = "Settings")
	ELiveLinkSourceMode Mode = ELiveLinkSourceMode::EngineTime;

	UPROPERTY(EditAnywhere, Category = "Settings", meta = (ShowOnlyInnerProperties))
	FLiveLinkSourceBufferManagementSettings BufferSettings;

	/** What the factory needs to make the source again (from a preset). */
	UPROPERTY()
	FString ConnectionString;

	/** The factory that makes the source again (from a preset). */
	UPROPERTY()
	TSubclassOf<ULiveLinkSourceFactory> Factory;
};
