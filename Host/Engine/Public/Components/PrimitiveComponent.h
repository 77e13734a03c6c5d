// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/PrimitiveComponent.h: scene components that have geometry.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "Engine/EngineTypes.h"

#include "PrimitiveComponent.generated.h"

/**
 * A scene component with geometry. The host renders nothing; it keeps the custom depth switches and the
 * collision settings, and traces hit the component's collision box when it has one (HostGetCollisionBox).
 */
UCLASS(Abstract)
class ENGINE_API UPrimitiveComponent : public USceneComponent
{
	GENERATED_BODY()

public:
	/** Blocks every channel for queries and physics until told otherwise (engine default from working knowledge; unconfirmed). */
	UPrimitiveComponent();

	/** Turns rendering into the custom depth pass on or off. */
	void SetRenderCustomDepth(bool bValue);
	/** Sets the value written to the custom stencil buffer, clamped to 0..255 as in the engine. */
	void SetCustomDepthStencilValue(int32 Value);

	/** Whether the component takes part in queries and physics. */
	virtual void SetCollisionEnabled(ECollisionEnabled::Type NewType);
	ECollisionEnabled::Type GetCollisionEnabled() const { return CollisionEnabled; }
	/** The response to one channel; ECC_MAX and other values outside the channels are ignored. */
	void SetCollisionResponseToChannel(ECollisionChannel Channel, ECollisionResponse NewResponse);
	void SetCollisionResponseToAllChannels(ECollisionResponse NewResponse);
	/** The response to Channel; ECR_Ignore for a value outside the channels. */
	ECollisionResponse GetCollisionResponseToChannel(ECollisionChannel Channel) const;

	/**
	 * Host only: the half size of the box (in the component's frame, before its world scale) that traces hit;
	 * false for a component without collision geometry.
	 */
	virtual bool HostGetCollisionBox(FVector& OutUnscaledExtent) const { return false; }

	/** Whether the component renders into the custom depth pass. */
	UPROPERTY()
	uint8 bRenderCustomDepth : 1;

	/** The value written to the custom stencil buffer when bRenderCustomDepth is on. */
	UPROPERTY()
	int32 CustomDepthStencilValue = 0;

protected:
	ECollisionEnabled::Type CollisionEnabled = ECollisionEnabled::QueryAndPhysics;
	uint8 CollisionResponses[ECC_MAX];
};
