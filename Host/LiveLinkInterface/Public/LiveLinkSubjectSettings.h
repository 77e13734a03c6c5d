// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/LiveLinkSubjectSettings.h.
#pragma once

#include "CoreMinimal.h"
#include "LiveLinkFrameInterpolationProcessor.h"
#include "LiveLinkRole.h"
#include "Templates/SubclassOf.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include "LiveLinkSubjectSettings.generated.h"

/**
 * The settings of one subject, made by the client with the subject. Host: the pre-processors and
 * translators are left out (nothing the host runs uses them).
 */
UCLASS()
class LIVELINKINTERFACE_API ULiveLinkSubjectSettings : public UObject
{
	GENERATED_BODY()

public:
	/** Blends buffered frames at evaluation; none evaluates the chosen frame as it is. */
	UPROPERTY(EditAnywhere, Instanced, Category = "LiveLink")
	TObjectPtr<ULiveLinkFrameInterpolationProcessor> InterpolationProcessor;

	/** The subject's role. */
	UPROPERTY(VisibleAnywhere, Category = "LiveLink")
	TSubclassOf<ULiveLinkRole> Role;

	// Host: not reflected (no reflection for core structs).
	/** The frame rate the subject's frames were last detected at. */
	FFrameRate FrameRate;

	/** Whether the subject is re-broadcast to other Live Link clients. */
	UPROPERTY(EditAnywhere, Category = "LiveLink")
	bool bRebroadcastSubject = false;
};
