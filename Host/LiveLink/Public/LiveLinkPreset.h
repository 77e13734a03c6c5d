// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLink/Public/LiveLinkPreset.h.
#pragma once

#include "CoreMinimal.h"
#include "LiveLinkPresetTypes.h"
#include "UObject/Object.h"

#include "LiveLinkPreset.generated.h"

/**
 * A saved set of Live Link sources and subjects. Host: ApplyToClientLatent is left out (nothing the
 * host runs uses it); ApplyToClient is the synchronous form the engine keeps (confirmed in 5.5,
 * unconfirmed in 5.6).
 */
UCLASS(BlueprintType)
class LIVELINK_API ULiveLinkPreset : public UObject
{
	GENERATED_BODY()

public:
	/** Removes every source and subject of the client, then adds this preset's. True when all were added. */
	UFUNCTION(BlueprintCallable, BlueprintPure = false, Category = "LiveLink")
	bool ApplyToClient() const;

	/** Adds this preset's sources and subjects, keeping the client's others; with bRecreatePresets, ones already there are made again. */
	UFUNCTION(BlueprintCallable, BlueprintPure = false, Category = "LiveLink")
	bool AddToClient(const bool bRecreatePresets = true) const;

	/** Resets this preset to the client's current sources and subjects. */
	UFUNCTION(BlueprintCallable, Category = "LiveLink")
	void BuildFromClient();

	const TArray<FLiveLinkSourcePreset>& GetSourcePresets() const { return Sources; }
	const TArray<FLiveLinkSubjectPreset>& GetSubjectPresets() const { return Subjects; }

private:
	UPROPERTY(VisibleAnywhere, Category = "LiveLinkPreset")
	TArray<FLiveLinkSourcePreset> Sources;

	UPROPERTY(VisibleAnywhere, Category = "LiveLinkPreset")
	TArray<FLiveLinkSubjectPreset> Subjects;
};
