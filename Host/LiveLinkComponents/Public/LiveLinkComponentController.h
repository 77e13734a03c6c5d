// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkComponents/Public/LiveLinkComponentController.h (Live Link plug-in).
#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "LiveLinkTypes.h"
#include "Templates/SubclassOf.h"
#include "UObject/ObjectPtr.h"

#include "LiveLinkComponentController.generated.h"

class ULiveLinkRole;

/**
 * Drives a component of its actor from a Live Link subject. Host: the engine instances one controller per
 * role (ControllerMap); the host keeps the subject, the role and the controlled component of the one role set
 * and moves a scene component to the subject's transform each time it is evaluated.
 */
UCLASS(ClassGroup = (LiveLink), meta = (DisplayName = "LiveLink Controller", BlueprintSpawnableComponent))
class LIVELINKCOMPONENTS_API ULiveLinkComponentController : public UActorComponent
{
	GENERATED_BODY()

public:
	ULiveLinkComponentController();

	/** The subject and role read. */
	UFUNCTION(BlueprintGetter)
	FLiveLinkSubjectRepresentation GetSubjectRepresentation() const { return SubjectRepresentation; }

	/** Sets the subject and role read (5.3-5.6: by value). */
	UFUNCTION(BlueprintSetter)
	void SetSubjectRepresentation(FLiveLinkSubjectRepresentation InSubjectRepresentation);

	/** Sets the component the controller of InRoleClass drives; ignored for another role than the representation's (host). */
	void SetControlledComponent(TSubclassOf<ULiveLinkRole> InRoleClass, UActorComponent* InComponent);

	/** The component the controller of InRoleClass drives; null when there is no controller for that role. */
	UActorComponent* GetControlledComponent(TSubclassOf<ULiveLinkRole> InRoleClass) const;

	/** If false, Live Link is not evaluated (paused). */
	UPROPERTY()
	bool bEvaluateLiveLink = true;

	/** Evaluate also in editor worlds, not only while playing. */
	UPROPERTY()
	bool bUpdateInEditor = true;

	/** Host only: reads the subject's latest frame from the Live Link client and applies it; false when there was none. */
	bool HostEvaluate();

private:
	UPROPERTY()
	FLiveLinkSubjectRepresentation SubjectRepresentation;

	UPROPERTY()
	TObjectPtr<UActorComponent> ControlledComponent;
};
