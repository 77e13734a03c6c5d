// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/GameViewportClient.h: the game's viewport on screen.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "GameViewportClient.generated.h"

/** The client of the game viewport. Host: there is no window; the viewport is just a size in pixels. */
UCLASS()
class ENGINE_API UGameViewportClient : public UObject
{
	GENERATED_BODY()

public:
	/** The viewport's size in pixels; zero while it has no viewport (signature from working knowledge; unconfirmed). */
	virtual void GetViewportSize(FVector2D& out_ViewportSize) const { out_ViewportSize = HostViewportSize; }

	/** Host only: the size of the (imaginary) viewport window, in pixels. */
	FVector2D HostViewportSize = FVector2D::ZeroVector;
};
