// Copyright Kelmora. All Rights Reserved.
// Stands in for the TextureShare plug-in's Blueprints/TextureShareBlueprintContainers.h: the share objects
// that carry textures and custom data to another process. The plug-in reaches these classes only through
// reflection; the host records what is sent instead of sharing it. "HostCallable" marks the functions the host
// lets ProcessEvent run (as the engine's generated thunks would).
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include "TextureShareBlueprintContainers.generated.h"

/** What identifies a share object. */
USTRUCT()
struct TEXTURESHARE_API FTextureShareObjectDesc
{
	GENERATED_BODY()

	/** The share's name; names compare without regard to letter case. */
	UPROPERTY()
	FString ShareName;
};

/** Key-value pairs exchanged with the other process. */
USTRUCT()
struct TEXTURESHARE_API FTextureShareCustomData
{
	GENERATED_BODY()

	UPROPERTY()
	TMap<FString, FString> SendParameters;

	UPROPERTY()
	TMap<FString, FString> ReceivedParameters;
};

/** One named share. */
UCLASS()
class TEXTURESHARE_API UTextureShareObject : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY()
	bool bEnable = true;

	UPROPERTY()
	FTextureShareObjectDesc Desc;

	UPROPERTY()
	FTextureShareCustomData CustomData;

	/** Sends the parameters to the other process with the next frame. */
	UFUNCTION(BlueprintCallable, Category = "TextureShare", meta = (HostCallable))
	void SendCustomData(const TMap<FString, FString>& InSendParameters);
};

/** The shares of a world. */
UCLASS()
class TEXTURESHARE_API UTextureShare : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY()
	bool bEnable = true;

	UPROPERTY()
	FString ProcessName;

	UPROPERTY()
	TArray<TObjectPtr<UTextureShareObject>> TextureShareObjects;

	/** The share object of that name, made when missing. */
	UFUNCTION(BlueprintCallable, Category = "TextureShare", meta = (HostCallable))
	UTextureShareObject* GetOrCreateTextureShareObject(const FString& InShareName);

	/** Every share object, in creation order. */
	UFUNCTION(BlueprintCallable, Category = "TextureShare", meta = (HostCallable))
	const TArray<UTextureShareObject*> GetTextureShareObjects() const;
};

namespace UE::TextureShare::Host
{
	/** One SendCustomData call: the share, the engine frame it happened in and the parameters in their order. */
	struct FSentCustomData
	{
		FString ShareName;
		uint64 EngineFrame = 0;
		TArray<TPair<FString, FString>> Parameters;
	};

	/** Host only: every SendCustomData call since the last reset, oldest first. */
	TEXTURESHARE_API const TArray<FSentCustomData>& GetSentCustomData();
	TEXTURESHARE_API void ResetSentCustomData();
}
