// Copyright Kelmora. All Rights Reserved.
#include "Containers/Ticker.h"

FTSTicker& FTSTicker::GetCoreTicker()
{
	static FTSTicker CoreTicker;
	return CoreTicker;
}

FTSTicker::FDelegateHandle FTSTicker::AddTicker(const FTickerDelegate& InDelegate, float InDelay)
{
	return AddElement(InDelay, [InDelegate](float DeltaTime)
		{ return InDelegate.IsBound() && InDelegate.Execute(DeltaTime); });
}

FTSTicker::FDelegateHandle FTSTicker::AddTicker(const TCHAR* InName, float InDelay, TFunction<bool(float)> Function)
{
	return AddElement(InDelay, MoveTemp(Function));
}

FTSTicker::FDelegateHandle FTSTicker::AddElement(float InDelay, TFunction<bool(float)> Function)
{
	TSharedPtr<FElement> Element = MakeShared<FElement>();
	Element->DelayTime = InDelay;
	Element->FireTime = CurrentTime + InDelay;
	Element->LastFireTime = CurrentTime;
	Element->Function = MoveTemp(Function);
	Elements.Add(Element);
	return Element;
}

void FTSTicker::RemoveTicker(FDelegateHandle Handle)
{
	if (TSharedPtr<FElement> Element = Handle.Pin())
	{
		Element->bRemoved = true;
	}
}

void FTSTicker::Tick(float DeltaTime)
{
	CurrentTime += DeltaTime;
	// A ticker added while firing waits for the next tick, as in the engine.
	const TArray<TSharedPtr<FElement>> Due = Elements;
	for (const TSharedPtr<FElement>& Element : Due)
	{
		if (Element->bRemoved || Element->FireTime > CurrentTime)
		{
			continue;
		}
		const float SinceLast = float(CurrentTime - Element->LastFireTime);
		Element->LastFireTime = CurrentTime;
		if (!Element->Function || !Element->Function(SinceLast))
		{
			Element->bRemoved = true;
		}
		else
		{
			Element->FireTime = CurrentTime + Element->DelayTime;
		}
	}
	Elements.RemoveAll([](const TSharedPtr<FElement>& Element)
		{ return Element->bRemoved; });
}

int32 FTSTicker::GetHostPendingCount() const
{
	int32 Count = 0;
	for (const TSharedPtr<FElement>& Element : Elements)
	{
		Count += Element->bRemoved ? 0 : 1;
	}
	return Count;
}
