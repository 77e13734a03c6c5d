// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "CineCameraActor.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include "OrvaneVPCameraActor.generated.h"

class ULiveLinkComponentController;
class ULiveLinkPreset;

/**
 * The native part of the virtual-production camera blueprint: a cine camera driven by the Live Link subject
 * "Orvane - Camera" in the camera role, in the editor as well as in play, and viewed through by player 0.
 * The blueprint adds the variables "LiveLinkPreset" and "Set LiveLink Preset"; construction applies the preset
 * to the Live Link client when the switch is on, once for each preset it is given.
 */
UCLASS()
class ORVANELIVELINK_API AOrvaneVPCameraActor : public ACineCameraActor
{
	GENERATED_BODY()

public:
	AOrvaneVPCameraActor(const FObjectInitializer& ObjectInitializer);

	/** The subject the camera follows. */
	static const FName SubjectName;
	/** The blueprint variable holding the preset. */
	static const FName PresetVariableName;
	/** The blueprint variable that switches applying the preset on. */
	static const FName ApplyPresetVariableName;

	virtual void OnConstruction(const FTransform& Transform) override;

	/** The preset construction applied last; null when none was applied (or the switch was turned off since). */
	ULiveLinkPreset* GetAppliedLiveLinkPreset() const;

	/** The controller that moves the cine camera component. */
	ULiveLinkComponentController* GetLiveLinkController() const { return LiveLinkController; }

private:
	/** Points the controller at the subject and the cine camera component. */
	void ConfigureLiveLinkController();
	/** Applies the blueprint's preset when the switch is on and the preset differs from the one applied last. */
	void ApplyPresetFromVariables();

	UPROPERTY(VisibleAnywhere, Category = "Orvane")
	TObjectPtr<ULiveLinkComponentController> LiveLinkController;

	/** The preset applied last, so that rerunning construction (every edit in the editor) does not apply it again. */
	TWeakObjectPtr<ULiveLinkPreset> AppliedPreset;
};
