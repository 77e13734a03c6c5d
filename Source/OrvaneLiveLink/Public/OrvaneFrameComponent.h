// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "LiveLinkTypes.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include "OrvaneFrameComponent.generated.h"

class ILiveLinkClient;
class UFunction;
class UOrvane_CameraOverlayBase;

DECLARE_DYNAMIC_MULTICAST_DELEGATE(FOnOrvaneFrameSend);

/**
 * Tells the compositing application, once per engine frame while the game plays, which camera frame is being
 * rendered: the Live Link frame number, the engine frame count and the answers to operator commands, sent as
 * TextureShare custom data. Reports skipped or repeated frames and drives the camera overlay while extended
 * reporting is on.
 */
UCLASS(config = Engine, ClassGroup = (Custom), meta = (BlueprintSpawnableComponent))
class ORVANELIVELINK_API UOrvaneFrameComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	UOrvaneFrameComponent();

	/** For blueprints to bind; the component itself never broadcasts it. */
	UPROPERTY(BlueprintAssignable, Category = "Orvane")
	FOnOrvaneFrameSend OnOrvaneFrameSend;

	/** Extended reporting (skipped frames, overlay); follows the sender's skip-report switch on every tick. */
	UPROPERTY(BlueprintReadWrite, Category = "Orvane")
	bool bExtendedLog = false;

	virtual void BeginPlay() override;
	virtual void EndPlay(const EEndPlayReason::Type EndPlayReason) override;
	virtual void TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) override;

	/** The frame number sent by the previous update of any frame component; -1 before the first. */
	static int32 LastSentFrame;

private:
	/** Builds the frame's custom data and sends it on the share object. */
	void SetTextureShareMetadata();
	/** Calls UpdateCameraOverlay on the overlay widget of this component's world, finding it when needed. */
	void UpdateOverlay(float DeltaTime);

	ILiveLinkClient* LiveLinkClient = nullptr;
	FName SubjectName;
	FLiveLinkSubjectFrameData SubjectFrameData;
	TWeakObjectPtr<UOrvane_CameraOverlayBase> OverlayWidget;
	/** The TextureShare plug-in's objects, reached through reflection only (the plug-in is not linked). */
	TWeakObjectPtr<UObject> TextureShare;
	TWeakObjectPtr<UObject> ShareObject;
	/** ShareObject's SendCustomData, checked against the expected signature at the start of play. */
	UFunction* SendCustomDataFunction = nullptr;
	bool bAcquiredExchange = false;
};
