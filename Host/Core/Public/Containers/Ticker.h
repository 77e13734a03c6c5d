// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Containers/Ticker.h: delegates called on the game thread after a delay.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Templates/Function.h"
#include "Templates/SharedPointer.h"

/** Called by a ticker with the time since it last fired; returns true to keep ticking, false to be removed. */
DECLARE_DELEGATE_RetVal_OneParam(bool, FTickerDelegate, float);

/**
 * The thread-safe ticker. Host: nothing ticks it on its own; the code that stands for the engine's main
 * loop (a tool, a test) calls Tick with the time that passed, so delays run without real waiting.
 */
class CORE_API FTSTicker
{
	struct FElement;

public:
	/** Identifies a ticker for RemoveTicker; empty once the ticker has been removed. */
	using FDelegateHandle = TWeakPtr<FElement>;

	/** The ticker the engine's main loop ticks once a frame. */
	static FTSTicker& GetCoreTicker();

	/** Calls InDelegate every InDelay seconds (every tick for 0) until it returns false or is removed. */
	FDelegateHandle AddTicker(const FTickerDelegate& InDelegate, float InDelay = 0.0f);
	/**
	 * As above for a function; the name is for diagnostics. The function's type differs between engine
	 * versions (TFunction, later TUniqueFunction&&): unconfirmed for 5.6, so the plug-in uses the delegate form.
	 */
	FDelegateHandle AddTicker(const TCHAR* InName, float InDelay, TFunction<bool(float)> Function);
	/** Removes a ticker; it is not called again, even from within the tick that is running. */
	static void RemoveTicker(FDelegateHandle Handle);

	/** Advances the ticker's clock and fires what is due, in the order the tickers were added. */
	void Tick(float DeltaTime);

	/** Host only: how many tickers wait to fire, for tests. */
	int32 GetHostPendingCount() const;

private:
	struct FElement
	{
		double FireTime = 0.0;
		float DelayTime = 0.0f;
		double LastFireTime = 0.0;
		TFunction<bool(float)> Function;
		bool bRemoved = false;
	};

	FDelegateHandle AddElement(float InDelay, TFunction<bool(float)> Function);

	TArray<TSharedPtr<FElement>> Elements;
	double CurrentTime = 0.0;
};
