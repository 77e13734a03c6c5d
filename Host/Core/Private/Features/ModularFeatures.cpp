// Copyright Kelmora. All Rights Reserved.

#include "Features/IModularFeatures.h"

#include "HAL/CriticalSection.h"
#include "Misc/ScopeLock.h"

#include <utility>
#include <vector>

namespace
{
	class FModularFeatures final : public IModularFeatures
	{
	public:
		int32 GetModularFeatureImplementationCount(const FName Type) override
		{
			FScopeLock Lock(&CriticalSection);
			int32 Count = 0;
			for (const FEntry& Entry : Entries)
			{
				Count += Entry.first == Type ? 1 : 0;
			}
			return Count;
		}

		IModularFeature* GetModularFeatureImplementation(const FName Type, const int32 Index) override
		{
			FScopeLock Lock(&CriticalSection);
			int32 Current = 0;
			for (const FEntry& Entry : Entries)
			{
				if (Entry.first == Type && Current++ == Index)
				{
					return Entry.second;
				}
			}
			return nullptr;
		}

		void RegisterModularFeature(const FName Type, IModularFeature* ModularFeature) override
		{
			if (ModularFeature == nullptr)
			{
				return;
			}
			FScopeLock Lock(&CriticalSection);
			for (const FEntry& Entry : Entries)
			{
				if (Entry.first == Type && Entry.second == ModularFeature)
				{
					return;
				}
			}
			Entries.emplace_back(Type, ModularFeature);
			// Broadcast under the (recursive) lock so registrations from several threads reach subscribers
			// one at a time, and callbacks can query the registry.
			RegisteredEvent.Broadcast(Type, ModularFeature);
		}

		void UnregisterModularFeature(const FName Type, IModularFeature* ModularFeature) override
		{
			FScopeLock Lock(&CriticalSection);
			for (auto It = Entries.begin(); It != Entries.end(); ++It)
			{
				if (It->first == Type && It->second == ModularFeature)
				{
					Entries.erase(It);
					return;
				}
			}
		}

		FOnModularFeatureRegistered& OnModularFeatureRegistered() override { return RegisteredEvent; }

	private:
		using FEntry = std::pair<FName, IModularFeature*>;

		FCriticalSection CriticalSection;
		std::vector<FEntry> Entries;
		FOnModularFeatureRegistered RegisteredEvent;
	};
}

IModularFeatures& IModularFeatures::Get()
{
	// Never destroyed: features may unregister from static destructors that run after this one would.
	static FModularFeatures* Registry = new FModularFeatures();
	return *Registry;
}
