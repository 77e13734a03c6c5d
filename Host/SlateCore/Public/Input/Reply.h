// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Input/Reply.h: handled or not, without focus, capture or drag requests.
#pragma once

#include "CoreTypes.h"

/** What a widget answers to an event. */
class FReply
{
public:
	/** The event was handled; it stops bubbling. */
	static FReply Handled() { return FReply(true); }
	/** The event was not handled; it bubbles on. */
	static FReply Unhandled() { return FReply(false); }

	/** True when the event was handled. */
	bool IsEventHandled() const { return bIsHandled; }

private:
	explicit FReply(bool bInIsHandled)
		: bIsHandled(bInIsHandled)
	{
	}

	bool bIsHandled;
};
