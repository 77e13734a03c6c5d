// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/Docking/TabManager.h: finding the live tabs of the application.
#pragma once

#include "CoreMinimal.h"
#include "Widgets/Docking/SDockTab.h"

/** Names a tab type (and an instance, which the host does not use). */
struct FTabId
{
	FTabId() = default;
	FTabId(const FName InTabType)
		: TabType(InTabType)
	{
	}

	FName TabType;
};

/** Keeps track of a set of tabs. */
class FTabManager : public TSharedFromThis<FTabManager>
{
public:
	virtual ~FTabManager() = default;

	/** The open tab of the given type; null when none is open. */
	SLATE_API TSharedPtr<SDockTab> FindExistingLiveTab(const FTabId& TabId) const;

	/**
	 * Host only: records Tab as the open tab of TabType, as spawning it through its registered spawner does
	 * in the engine. The manager holds the tab weakly: once nothing else holds it, it is no longer live.
	 */
	SLATE_API void HostAddLiveTab(FName TabType, const TSharedRef<SDockTab>& Tab);

protected:
	FTabManager() = default;

private:
	TArray<TPair<FName, TWeakPtr<SDockTab>>> LiveTabs;
};

/** The application's own tab manager, which holds the major tabs such as the level editor's. */
class FGlobalTabmanager : public FTabManager
{
public:
	SLATE_API static const TSharedRef<FGlobalTabmanager>& Get();
};
