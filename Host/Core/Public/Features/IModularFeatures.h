// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Features/IModularFeatures.h.
#pragma once

#include "CoreTypes.h"
#include "Delegates/Delegate.h"
#include "Features/IModularFeature.h"
#include "Misc/AssertionMacros.h"
#include "UObject/NameTypes.h"

/**
 * The process-wide registry of feature implementations by type name. Registration, unregistration and
 * queries are serialised by one lock and may come from any thread. OnModularFeatureRegistered is
 * broadcast on the registering thread while that lock is held, so its callbacks may query the registry;
 * subscribe and unsubscribe on the game thread while no other thread registers, as with any delegate.
 */
class IModularFeatures
{
public:
	/** (Type, Implementation), broadcast after an implementation is registered. */
	DECLARE_EVENT_TwoParams(IModularFeatures, FOnModularFeatureRegistered, const FName&, IModularFeature*);

	virtual ~IModularFeatures() = default;

	/** The registry. */
	static CORE_API IModularFeatures& Get();

	/** Number of implementations registered under Type. */
	virtual int32 GetModularFeatureImplementationCount(const FName Type) = 0;
	/** The Index-th implementation of Type in registration order, or null when Index is out of range. */
	virtual IModularFeature* GetModularFeatureImplementation(const FName Type, const int32 Index) = 0;
	/** Adds an implementation under Type; registering the same pair twice, or a null implementation, is ignored. */
	virtual void RegisterModularFeature(const FName Type, IModularFeature* ModularFeature) = 0;
	/** Removes an implementation from Type; unknown pairs are ignored. */
	virtual void UnregisterModularFeature(const FName Type, IModularFeature* ModularFeature) = 0;
	/** Fired after each registration. */
	virtual FOnModularFeatureRegistered& OnModularFeatureRegistered() = 0;

	/** True when at least one implementation of Type is registered. */
	bool IsModularFeatureAvailable(const FName Type) { return GetModularFeatureImplementationCount(Type) > 0; }

	/**
	 * The first implementation of Type. Call IsModularFeatureAvailable first: asking for an absent
	 * feature fails a check, as in the engine.
	 */
	template <typename TModularFeature>
	TModularFeature& GetModularFeature(const FName Type)
	{
		IModularFeature* Feature = GetModularFeatureImplementation(Type, 0);
		checkf(Feature != nullptr, TEXT("No implementation of the modular feature is registered"));
		return static_cast<TModularFeature&>(*Feature);
	}
};
