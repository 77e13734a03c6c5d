// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Stats/Stats.h: the identity of a statistic. The host collects no statistics.
#pragma once

#include "CoreTypes.h"
#include "UObject/NameTypes.h"

/** Names one statistic and the group it is shown in; empty when statistics are off. */
struct TStatId
{
	TStatId() = default;
	/** Host only: the statistic's name and group, as a stats-enabled build would register them. */
	TStatId(FName InName, FName InGroup)
		: Name(InName)
		, Group(InGroup)
	{
	}

	bool IsValidStat() const { return !Name.IsNone(); }
	FName GetName() const { return Name; }
	/** Host only: the group the statistic is shown in. */
	FName HostGetGroup() const { return Group; }

private:
	FName Name;
	FName Group;
};
